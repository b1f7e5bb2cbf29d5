#include "teach/mean_teach.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "params/parameter_set.h"

namespace trivolux {

CaptureRow MeanValues(const CaptureRow* rows, int n) {
  CaptureRow mean{};
  if (n <= 0) return mean;
  for (std::size_t c = 0; c < mean.size(); ++c) {
    std::uint32_t sum = 0;
    for (int k = 0; k < n; ++k) sum += rows[k][c];
    mean[c] = static_cast<std::uint16_t>(sum / static_cast<std::uint32_t>(n));
  }
  return mean;
}

MaxDelta MaxDeltaOf(const CaptureRow* rows, int n, const CaptureRow& mean, int calcMode) {
  MaxDelta best;
  std::int64_t colour = 0, intensity = 0;
  for (int k = 0; k < n; ++k) {
    const std::int64_t dx = std::int64_t{rows[k][3]} - mean[3];
    const std::int64_t dy = std::int64_t{rows[k][4]} - mean[4];
    const std::int64_t di = std::int64_t{rows[k][5]} - mean[5];
    std::int64_t squares = dx * dx + dy * dy;
    if (mode::Is3D(calcMode)) squares += di * di;
    colour = std::max(colour, static_cast<std::int64_t>(std::sqrt(static_cast<double>(squares))));
    intensity = std::max(intensity, static_cast<std::int64_t>(std::llabs(di)));
  }
  best.colour = static_cast<std::uint16_t>(std::min<std::int64_t>(colour, 65535));
  best.intensity = static_cast<std::uint16_t>(std::min<std::int64_t>(intensity, 65535));
  return best;
}

}  // namespace trivolux
