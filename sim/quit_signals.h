#pragma once
// Ending the simulator in order on a termination request from outside.
class QCoreApplication;

namespace trivolux::sim {

// SIGTERM and SIGINT quit the event loop (Unix); elsewhere the system's own
// handling of Ctrl+C applies.
void QuitOnTerminationSignals(QCoreApplication& app);

}  // namespace trivolux::sim
