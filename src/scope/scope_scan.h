#pragma once
// One scope scan over the checked exchange, without panels: the start request
// with the five settings, then the four result blocks the sensor sends on its
// own, awaited without a time limit until BREAK. Any failed block (a bad
// header or data CRC, another length than 258, a lost port) ends the scan.
#include <array>
#include <cstdint>

#include "scope/scope_data.h"

namespace trivolux {

class SensorLink;
struct SharedState;

struct ScopeSettings {
  std::uint16_t triggerLevel = 0;
  std::uint16_t triggerMode =
      0;  // 0 SINGLE SHOT, 1 RISING EDGE, 2 FALLING EDGE, 3 INTERNAL C-No.0, 4 EXTERNAL IN0
  std::int16_t preTrigger = 0;
  std::int16_t scanRate = 1;  // a value every scanRate scans
  std::uint16_t signal = 0;   // 0 RED, GREEN, BLUE; 1 X, Y, INT or s, i, M
};

// Red, green and blue lines and the binary block, in display order.
struct ScopeResult {
  std::array<ScopeBlock, 4> blocks{};
  std::uint16_t triggerPos = 0;  // ring position sent with the last block
};

class ScopeScan {
 public:
  ScopeScan(SharedState& state, SensorLink& link) : state_(state), link_(link) {}

  // Order 110/1 with the settings (10 bytes): 1 when the sensor took it, -1
  // after a reported failure.
  int Start(const ScopeSettings& settings);
  // Waits for the four result blocks of the scan started last. 1: all four
  // are in *result; 0: BREAK or a quit ended the wait (nothing taken);
  // -1: a failure was reported.
  int Collect(ScopeResult* result);
  // While Start or Collect waits, only clears ScanActive: the scan owns the
  // link and sends the break request itself once its wait has returned (a
  // Collect after a broken-off start sends it and returns 0 at once).
  // Without a waiting scan it does nothing.
  void Break();

 private:
  SharedState& state_;
  SensorLink& link_;
  ScopeSettings settings_;
  bool starting_ = false;  // the start request waits for its answer
  bool scanning_ = false;  // Collect waits for the result blocks
  bool breakPending_ = false;
};

}  // namespace trivolux
