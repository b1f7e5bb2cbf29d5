#pragma once
// Mean-value teach arithmetic: the means of the captured frames and the
// largest distances of the captures from them. Pure; the panel only shows
// the results.
#include <array>
#include <cstdint>

namespace trivolux {

// One captured frame as the capture grid holds it: RED, GREEN, BLUE, X (s),
// Y (i), INT (M), unsigned 16-bit cells.
using CaptureRow = std::array<std::uint16_t, 6>;
constexpr int kMaxCaptures = 100;

// Column means of rows[0..n): 32-bit sums, division truncating toward zero;
// all zero for n = 0.
CaptureRow MeanValues(const CaptureRow* rows, int n);

// The largest colour distance (X/Y, or X/Y/INT in CALCULATION MODE 2 and 3)
// and intensity distance of the rows from the means, each truncated toward
// zero. Squares are summed exactly in 64 bits; a distance above 65535 (only
// possible with cells far apart in all three coordinates) is shown as 65535.
struct MaxDelta {
  std::uint16_t colour = 0;
  std::uint16_t intensity = 0;
};
MaxDelta MaxDeltaOf(const CaptureRow* rows, int n, const CaptureRow& mean, int calcMode);

}  // namespace trivolux
