#include "scope/scope_data.h"

#include <cmath>
#include <cstdlib>

namespace trivolux {

double ScanFrequencyOf(std::int32_t n, std::int32_t t) {
  if (n <= 0 || t <= 0) return 0;
  return n / (t * 0.01);
}

int FrequencyDecimals(double f) {
  return f > 1000 ? 0 : f > 1 ? 1 : 2;
}

int CycleTimeDecimals(double f) {
  return f > 10000 ? 6 : f > 1 ? 3 : 0;
}

int DeltaXDecimals(double ms) {
  return ms > 1000 ? 0 : ms > 1 ? 3 : 6;
}

ScopeBlock TakeScopeBlock(const std::uint8_t* data, int triggerMode, int preTrigger,
                          std::uint16_t* position) {
  const auto word = [data](int k) {
    return static_cast<std::uint16_t>(data[2 * k] | (data[2 * k + 1] << 8));
  };
  const std::uint16_t p = word(kScopeSamples);
  *position = p;
  int start = 0;
  if (triggerMode != 0) {
    // Any position and pre-trigger count: the start is taken modulo 128.
    start = static_cast<int>((static_cast<long>(p) + kScopeSamples - preTrigger) % kScopeSamples);
    if (start < 0) start += kScopeSamples;
  }
  ScopeBlock block{};
  for (int i = 0; i < kScopeSamples; ++i)
    block[static_cast<std::size_t>(i)] = word((start + i) % kScopeSamples);
  return block;
}

void BinaryTraces(const ScopeBlock& binary, std::array<double, kScopeSamples>* a,
                  std::array<double, kScopeSamples>* b) {
  for (std::size_t i = 0; i < binary.size(); ++i) {
    (*a)[i] = (binary[i] & 1) + 2;
    (*b)[i] = (binary[i] >> 1) & 1;
  }
}

ScopeDelta ScopeDeltaOf(double x1, double y1, double x2, double y2, double cycleTimeMs, int scanRate) {
  ScopeDelta d;
  d.dx = std::abs(static_cast<int>(std::trunc(x1 - x2)));
  d.dy = std::abs(static_cast<int>(std::trunc(y1)) - static_cast<int>(std::trunc(y2)));
  d.ms = d.dx * cycleTimeMs * scanRate;
  return d;
}

double ScopeYMax(int recordedSignal, int calcMode) {
  return recordedSignal == 1 && (calcMode == 1 || calcMode == 3) ? 10000 : 4100;
}

}  // namespace trivolux
