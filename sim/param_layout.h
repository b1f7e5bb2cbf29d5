#pragma once
// Word layout of the sensor's parameter block and teach table as the
// simulator keeps them: 17 parameter words and 64 rows of 8 words, all
// unsigned 16-bit and little-endian on the wire.
#include <array>
#include <cstddef>
#include <cstdint>

namespace trivolux::sim {

namespace pw {
constexpr int kPower = 0;
constexpr int kPowerMode = 1;
constexpr int kAverage = 2;
constexpr int kEvalMode = 3;
constexpr int kHoldFail = 4;
constexpr int kIntlim = 5;
constexpr int kMaxVecNo = 6;
constexpr int kDigOutmode = 7;
constexpr int kTrigger = 8;
constexpr int kExtTeach = 9;
constexpr int kCalcMode = 10;
constexpr int kDynWinLo = 11;
constexpr int kDynWinHi = 12;
constexpr int kColorGroup = 13;
constexpr int kLedMode = 14;
constexpr int kGain = 15;
constexpr int kIntegral = 16;
constexpr int kCount = 17;
}  // namespace pw

// Teach row words: CELL 0..4, GROUP, HOLD, and the sensor-owned word 7.
namespace tw {
constexpr int kGroup = 5;
constexpr int kHold = 6;
constexpr int kReserved = 7;
}  // namespace tw

constexpr int kTeachRows = 64;
constexpr std::size_t kParamBytes = 34;
constexpr std::size_t kTeachBytes = 1024;

using ParamWords = std::array<std::uint16_t, pw::kCount>;
using TeachRow = std::array<std::uint16_t, 8>;
using TeachRows = std::array<TeachRow, kTeachRows>;

// EVALUATION MODE values.
enum EvalMode : int { kFirstHit = 0, kBestHit, kMinDist, kCol2, kThdRedGreen, kThdRedBlue, kThdGreenBlue };
// TRIGGER values.
enum TriggerMode : int { kCont = 0, kSelf, kExt1, kExt2, kExt3, kTrans, kPara };
constexpr int kLedOff = 2;

inline ParamWords UnpackParams(const std::array<std::uint8_t, kParamBytes>& b) {
  ParamWords w{};
  for (int i = 0; i < pw::kCount; ++i) w[i] = static_cast<std::uint16_t>(b[2 * i] | (b[2 * i + 1] << 8));
  return w;
}
inline std::array<std::uint8_t, kParamBytes> PackParams(const ParamWords& w) {
  std::array<std::uint8_t, kParamBytes> b{};
  for (int i = 0; i < pw::kCount; ++i) {
    b[2 * i] = static_cast<std::uint8_t>(w[i] & 0xFF);
    b[2 * i + 1] = static_cast<std::uint8_t>(w[i] >> 8);
  }
  return b;
}
inline TeachRows UnpackTeach(const std::array<std::uint8_t, kTeachBytes>& b) {
  TeachRows rows{};
  for (int r = 0; r < kTeachRows; ++r)
    for (int c = 0; c < 8; ++c) {
      const std::size_t o = static_cast<std::size_t>(16 * r + 2 * c);
      rows[r][c] = static_cast<std::uint16_t>(b[o] | (b[o + 1] << 8));
    }
  return rows;
}
inline std::array<std::uint8_t, kTeachBytes> PackTeach(const TeachRows& rows) {
  std::array<std::uint8_t, kTeachBytes> b{};
  for (int r = 0; r < kTeachRows; ++r)
    for (int c = 0; c < 8; ++c) {
      const std::size_t o = static_cast<std::size_t>(16 * r + 2 * c);
      b[o] = static_cast<std::uint8_t>(rows[r][c] & 0xFF);
      b[o + 1] = static_cast<std::uint8_t>(rows[r][c] >> 8);
    }
  return b;
}

}  // namespace trivolux::sim
