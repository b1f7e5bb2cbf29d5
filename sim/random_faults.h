#pragma once
// Faults at random moments, for soak runs: after a random pause (uniform
// between half and one and a half times the mean) one fault is armed, and
// the next request gets it. Each fault is counted when it is applied, so a
// peer can compare the faults it was given with the failures it reported.
#include <QString>
#include <cstdint>

#include "sim/measurement.h"
#include "sim/sim_options.h"

namespace trivolux::sim {

enum class RandomFault {
  Drop,              // no answer (the peer times out)
  CorruptSync,       // answer with a wrong sync byte
  CorruptHeaderCrc,  // answer with a wrong header CRC
  CorruptDataCrc,    // answer with a wrong data CRC (only answers that carry data)
  Delay,             // answer later than the peer waits
  Close,             // connection closed instead of the answer (TCP; a pseudo-terminal: no answer)
  Split,             // answer in pieces with short pauses: a peer must take it whole
  kCount
};
const char* RandomFaultName(RandomFault fault);

class RandomFaults {
 public:
  RandomFaults(const RandomFaultPlan& plan, std::int64_t nowMs);

  const RandomFaultPlan& plan() const { return plan_; }
  // The fault for the request at nowMs, when one is due; starts the next pause.
  bool Due(std::int64_t nowMs, RandomFault* fault);
  // Counts a fault once it has been applied.
  void Applied();
  long long Injected() const { return injected_; }

 private:
  std::int64_t NextGap();

  RandomFaultPlan plan_;
  Noise rng_;
  std::int64_t dueMs_ = 0;
  long long injected_ = 0;
};

}  // namespace trivolux::sim
