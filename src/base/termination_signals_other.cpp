#include "base/termination_signals.h"

namespace trivolux {

bool OnTerminationSignals(QObject*, std::function<void()>) {
  return false;
}

}  // namespace trivolux
