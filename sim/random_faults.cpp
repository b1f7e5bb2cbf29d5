#include "sim/random_faults.h"

namespace trivolux::sim {

const char* RandomFaultName(RandomFault fault) {
  switch (fault) {
    case RandomFault::Drop:
      return "drop";
    case RandomFault::CorruptSync:
      return "corrupt-sync";
    case RandomFault::CorruptHeaderCrc:
      return "corrupt-header-crc";
    case RandomFault::CorruptDataCrc:
      return "corrupt-data-crc";
    case RandomFault::Delay:
      return "delay";
    case RandomFault::Close:
      return "close";
    case RandomFault::Split:
    case RandomFault::kCount:
      break;
  }
  return "split";
}

bool RandomFaultIsFailure(RandomFault fault) {
  return fault != RandomFault::Split;
}

RandomFaults::RandomFaults(const RandomFaultPlan& plan, std::int64_t nowMs) : plan_(plan), rng_(plan.seed) {
  dueMs_ = nowMs + NextGap();
}

std::int64_t RandomFaults::NextGap() {
  const std::int64_t mean = plan_.meanGapMs > 1 ? plan_.meanGapMs : 1;
  return mean / 2 + static_cast<std::int64_t>(rng_.Next() % static_cast<std::uint32_t>(mean + 1));
}

bool RandomFaults::Due(std::int64_t nowMs, RandomFault* fault) {
  if (nowMs < dueMs_) return false;
  *fault = static_cast<RandomFault>(rng_.Next() % static_cast<std::uint32_t>(RandomFault::kCount));
  dueMs_ = nowMs + NextGap();
  return true;
}

void RandomFaults::Applied(RandomFault fault) {
  ++injected_;
  ++perKind_[static_cast<int>(fault)];
}

}  // namespace trivolux::sim
