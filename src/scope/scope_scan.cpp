#include "scope/scope_scan.h"

#include "base/shared_state.h"
#include "link/frame.h"
#include "link/orders.h"
#include "link/sensor_link.h"

namespace trivolux {

int ScopeScan::Start(const ScopeSettings& settings) {
  settings_ = settings;
  const std::uint16_t words[5] = {settings.triggerLevel, settings.triggerMode,
                                  static_cast<std::uint16_t>(settings.preTrigger),
                                  static_cast<std::uint16_t>(settings.scanRate), settings.signal};
  std::uint8_t payload[10];
  for (int k = 0; k < 5; ++k) WriteU16(payload + 2 * k, words[k]);
  breakPending_ = false;
  starting_ = true;
  const int result = link_.Exchange(order::kScope, 1, payload, sizeof payload);
  starting_ = false;
  return result == 1 ? 1 : -1;
}

int ScopeScan::Collect(ScopeResult* result) {
  if (breakPending_) {
    // BREAK came while the start request waited for its answer: the sensor
    // may be armed already, so it is told; there is nothing to wait for.
    breakPending_ = false;
    state_.ScanActive = 0;
    if (!state_.QuitRequested) link_.Exchange(order::kScope, 0);
    return 0;
  }
  state_.ScanActive = 1;
  scanning_ = true;
  link_.SetListening(true);
  ScopeResult taken;
  int outcome = 1;
  for (std::size_t k = 0; k < taken.blocks.size() && outcome == 1; ++k) {
    outcome = link_.GetSensorFrame(state_.ScanActive);
    if (outcome == 1 && !link_.AnswerLengthIs(kScopeBlockBytes)) outcome = -1;
    if (outcome == 1)
      taken.blocks[k] =
          TakeScopeBlock(link_.AnswerData(), settings_.triggerMode, settings_.preTrigger, &taken.triggerPos);
  }
  link_.SetListening(false);
  scanning_ = false;
  state_.ScanActive = 0;
  if (breakPending_ && !state_.QuitRequested) link_.Exchange(order::kScope, 0);
  breakPending_ = false;
  if (outcome == 1) *result = taken;
  return outcome;
}

void ScopeScan::Break() {
  // Without a waiting scan there is nothing to break and no exchange to start.
  if (!scanning_ && !starting_) return;
  breakPending_ = true;
  state_.ScanActive = 0;
}

}  // namespace trivolux
