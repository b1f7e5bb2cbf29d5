#include "sim/quit_signals.h"

namespace trivolux::sim {

void QuitOnTerminationSignals(QCoreApplication&) {}

}  // namespace trivolux::sim
