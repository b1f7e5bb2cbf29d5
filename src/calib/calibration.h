#pragma once
// White calibration arithmetic: the factors that bring the mean raw values
// of 100 samples to the set value, and the hardware-data text of the
// hardware information file. Pure.
#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>

namespace trivolux {

inline constexpr int kCalSamples = 100;
inline constexpr std::uint32_t kMaxCalFactor = 4096;

// Sums over the samples: raw RED, GREEN, BLUE (signed) and the raw delta.
struct RawSums {
  std::int32_t red = 0, green = 0, blue = 0, delta = 0;
  void Add(std::int16_t r, std::int16_t g, std::int16_t b, std::uint16_t d) {
    red += r;
    green += g;
    blue += b;
    delta += d;
  }
};

enum class CalOutcome { Passed, DeltaTooHigh, OutOfRange };

struct CalResult {
  CalOutcome outcome = CalOutcome::Passed;
  std::array<std::uint16_t, 3> factors{};  // valid when Passed
};

// Means are sums / 100 truncated toward zero (the divisor is always 100).
// A mean raw delta above maxDelta is refused; a channel mean of 0 counts as
// 1; CF = setValue × 1024 / mean (unsigned, 32 bits), and a factor above
// 4096 is refused.
CalResult CalcFactors(const RawSums& sums, std::uint16_t setValue, std::uint16_t maxDelta);

// The 256 words of a hardware-data answer (little-endian) as 4 upper-case
// hex digits each; a shorter answer gives fewer words.
QString HardwareDataText(const std::uint8_t* data, int bytes);

}  // namespace trivolux
