#pragma once
// Termination requests from outside (SIGINT from Ctrl+C, SIGTERM) delivered
// into the Qt event loop: the signal handler only writes a byte into a
// socket pair, and a notifier on the other end calls the handler in the
// loop, so it may do anything. Unix only; elsewhere the system's own handling
// of Ctrl+C applies and nothing is installed.
#include <functional>

class QObject;

namespace trivolux {

// Installs the signal handlers (once per process: a second call does
// nothing); onSignal runs in the event loop once for every signal, as long as
// context lives. False when nothing was installed.
bool OnTerminationSignals(QObject* context, std::function<void()> onSignal);

}  // namespace trivolux
