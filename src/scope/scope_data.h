#pragma once
// Scope arithmetic without widgets: the scan frequency and the display
// precisions, a result block taken out of the sensor's ring, the two binary
// traces, the cursor deltas and the analog graph's y range.
#include <array>
#include <cstdint>

namespace trivolux {

inline constexpr int kScopeSamples = 128;
inline constexpr int kScopeBlockBytes = 2 * kScopeSamples + 2;  // 128 samples and the ring position
using ScopeBlock = std::array<std::uint16_t, kScopeSamples>;

// N / (T × 0.01) in Hz; 0 when N or T is zero or negative.
double ScanFrequencyOf(std::int32_t n, std::int32_t t);
// Decimals of the scan-frequency display, the cycle-time display and the
// delta-X display.
int FrequencyDecimals(double frequency);
int CycleTimeDecimals(double frequency);
int DeltaXDecimals(double deltaMs);

// The block in display order: SINGLE SHOT (trigger mode 0) from ring word 0,
// the other modes from (p + 128 − preTrigger) mod 128, so the sample at the
// ring position p lands at index preTrigger. *position = p (word 128).
ScopeBlock TakeScopeBlock(const std::uint8_t* data, int triggerMode, int preTrigger, std::uint16_t* position);

// Trace A = bit 0 + 2, trace B = bit 1: one above the other.
void BinaryTraces(const ScopeBlock& binary, std::array<double, kScopeSamples>* a,
                  std::array<double, kScopeSamples>* b);

struct ScopeDelta {
  int dx = 0;     // samples: |trunc(x1 − x2)|
  int dy = 0;     // digits: |trunc(y1) − trunc(y2)|
  double ms = 0;  // dx × cycle time × scan rate
};
ScopeDelta ScopeDeltaOf(double x1, double y1, double x2, double y2, double cycleTimeMs, int scanRate);

// Upper end of the analog graph: 10000 for the calculated values (recorded
// signal 1) in an s/i/M calculation mode (1 and 3), else 4100.
double ScopeYMax(int recordedSignal, int calcMode);

}  // namespace trivolux
