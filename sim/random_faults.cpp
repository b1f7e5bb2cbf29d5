#include "sim/random_faults.h"

#include <iterator>

namespace trivolux::sim {

const char* RandomFaultName(RandomFault fault) {
  static const char* const kNames[] = {
      "drop", "corrupt-sync", "corrupt-header-crc", "corrupt-data-crc", "delay", "close", "split"};
  static_assert(std::size(kNames) == static_cast<std::size_t>(RandomFault::kCount));
  const auto i = static_cast<std::size_t>(fault);
  return i < std::size(kNames) ? kNames[i] : "split";
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

void RandomFaults::Applied() {
  ++injected_;
}

}  // namespace trivolux::sim
