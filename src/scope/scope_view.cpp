#include "scope/scope_view.h"

#include <algorithm>
#include <cmath>

namespace trivolux {

ScopeYRange ScopeFitRange(const ScopeTraces& traces, const std::array<bool, 3>& shown) {
  bool any = false;
  double lower = 0, upper = 0;
  for (std::size_t c = 0; c < 3; ++c) {
    if (!shown[c]) continue;
    const auto [lo, hi] = std::minmax_element(traces[c].begin(), traces[c].end());
    lower = any ? std::min<double>(lower, *lo) : *lo;
    upper = any ? std::max<double>(upper, *hi) : *hi;
    any = true;
  }
  if (!any) return {};
  constexpr double kFlatMargin = 5;  // digits
  const double margin = std::max(0.05 * (upper - lower), kFlatMargin);
  return {lower - margin, upper + margin};
}

int ScopeSampleAt(double x) {
  if (!std::isfinite(x)) return 0;
  return static_cast<int>(std::clamp(std::lround(x), 0L, static_cast<long>(kScopeSamples - 1)));
}

int ScopeTriggerIndex(int triggerMode, int preTrigger) {
  if (triggerMode == 0) return -1;
  return ((preTrigger % kScopeSamples) + kScopeSamples) % kScopeSamples;
}

std::array<QString, 3> ScopeLineNames(int recordedSignal, int calcMode) {
  if (recordedSignal != 1) return {"RED", "GREEN", "BLUE"};
  if (calcMode == 1 || calcMode == 3) return {"s", "i", "M"};
  return {"X", "Y", "INT"};
}

QByteArray ScopeCsv(const ScopeTraces& traces, const std::array<QString, 3>& names, double msPerSample) {
  QByteArray csv = "time_ms";
  for (const QString& name : names) csv += ',' + name.toUtf8();
  for (const char* bit : kScopeBitNames) csv += QByteArray(",") + bit;
  csv += "\r\n";
  for (std::size_t i = 0; i < kScopeSamples; ++i) {
    // Up to 12 significant digits: 0.000125 ms steps stay exact, whole
    // milliseconds carry no decimals.
    csv += QByteArray::number(static_cast<double>(i) * msPerSample, 'g', 12);
    for (std::size_t c = 0; c < 3; ++c) csv += ',' + QByteArray::number(traces[c][i]);
    csv += ',' + QByteArray::number(traces[3][i] & 1);
    csv += ',' + QByteArray::number((traces[3][i] >> 1) & 1);
    csv += "\r\n";
  }
  return csv;
}

}  // namespace trivolux
