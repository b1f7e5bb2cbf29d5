#pragma once
// The measurement record: the last answer to order 8 as 20 signed 16-bit
// words, what is derived from it (the current measured colour, the raw
// spread, the output indicators), and the value histories the strip charts
// draw. Fixed-size arrays, shifted in place: nothing is allocated per frame.
#include <array>
#include <cstddef>
#include <cstdint>

namespace trivolux {

struct MeasurementRecord {
  enum Word : int {
    kRed = 0,
    kGreen,
    kBlue,
    kX,        // X, or s in the s/i/M modes
    kY,        // Y, or i
    kInt,      // INT, or M
    kDeltaC,   // -1: no colour detected (BEST HIT, MIN DIST) or below INTLIM
    kColor,    // detected row; 255 is the failure condition
    kGroup,    // detected group; 255 is the failure condition
    kTrigger,  // non-zero while triggered
    kTemp,
    kRawRed,
    kRawGreen,
    kRawBlue,
    kExtremeA = 14,  // RED, GREEN, BLUE: one of minimum and maximum
    kExtremeB = 17,  // the other one
    kWordCount = 20
  };
  static constexpr std::size_t kBytes = 2 * kWordCount;

  std::array<std::int16_t, kWordCount> word{};

  std::int16_t operator[](int i) const { return word[static_cast<std::size_t>(i)]; }
  // Copies the 40 answer bytes (little-endian words) unchanged.
  void Decode(const std::uint8_t* bytes);
};

// 0xRRGGBB from RED/16, GREEN/16, BLUE/16 (truncating toward zero). Each
// component is kept to 0..255, so an out-of-range channel cannot spill into
// its neighbours.
std::uint32_t CurrentMeasuredColour(const MeasurementRecord& record);

// Maximum minus minimum of raw RED, GREEN, BLUE.
std::uint16_t RawSpread(const MeasurementRecord& record);

// The two output indicators for EVALUATION MODE 3 and above (COL2 and the
// threshold modes): COLOR taken as unsigned 16-bit c; OUT0 when c >= 2 (then
// c -= 2), OUT1 when the rest is not 0. Below mode 3 they are not driven.
struct OutputLamps {
  bool driven = false;
  bool out0 = false;
  bool out1 = false;
};
OutputLamps OutputIndicators(int evalMode, std::int16_t color);

// The last 100 (RED, GREEN, BLUE) triples, interleaved, and the last 100
// values of X, Y and INT; oldest first, zero before the first frames.
class ValueHistories {
 public:
  static constexpr int kLength = 100;

  void Push(const MeasurementRecord& record);
  void Clear();

  const std::array<double, 3 * kLength>& Rgb() const { return rgb_; }
  const std::array<double, kLength>& X() const { return x_; }
  const std::array<double, kLength>& Y() const { return y_; }
  const std::array<double, kLength>& Int() const { return int_; }

 private:
  std::array<double, 3 * kLength> rgb_{};
  std::array<double, kLength> x_{};
  std::array<double, kLength> y_{};
  std::array<double, kLength> int_{};
};

}  // namespace trivolux
