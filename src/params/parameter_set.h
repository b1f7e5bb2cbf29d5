#pragma once
// The working copy of one sensor parameter set: the 17-word parameter block
// and the 64-row teach table, with their little-endian payload layouts.
// All words are unsigned 16-bit; the sensor's own plausibility check is the
// final judge of their ranges.
#include <array>
#include <cstddef>
#include <cstdint>

namespace trivolux {

// Word indices of the parameter block, in payload (and file) order.
enum ParamWord : int {
  kPower = 0,   // LED intensity 0..1000
  kPowerMode,   // 0 STAT, 1 DYN
  kAverage,     // raw values averaged
  kEvalMode,    // 0 FIRST HIT .. 6 THD Green Blue
  kHoldFail,    // fail-state hold; shown in hold grid row 1
  kIntlim,      // intensity limit
  kMaxVecNo,    // teach rows checked, 1..64
  kDigOutmode,  // 0 DIRECT LO, 1 BINARY, 2 DIRECT HI
  kTrigger,     // 0 CONT .. 6 PARA
  kExteach,     // 0 OFF, 1 ON, 2 STAT1, 3 DYN1
  kCalcMode,    // 0/1 2D, 2/3 3D
  kDynWinLo,
  kDynWinHi,
  kColorGroup,  // 0 off, 1 on
  kLedMode,     // 0 DC, 1 AC, 2 OFF, 3 PULSE
  kGain,        // AMP1..AMP8 = 0..7
  kIntegral,    // 0..250
  kParamWordCount
};

// Word indices of a teach row.
enum TeachWord : int {
  kCell0 = 0,  // CELL 0..CELL 4 are teach grid columns 1..5
  kCell4 = 4,
  kGroup = 5,
  kHold = 6,
  kReserved = 7,  // sensor-owned: kept from the last read, sent back unchanged
  kTeachWordCount
};

// Enumeration values the rules and the controls share.
namespace mode {
constexpr std::uint16_t kPowerStat = 0, kPowerDyn = 1;
constexpr std::uint16_t kEvalFirstHit = 0, kEvalBestHit = 1, kEvalMinDist = 2, kEvalCol2 = 3,
                        kEvalThdRedGreen = 4, kEvalThdRedBlue = 5, kEvalThdGreenBlue = 6;
constexpr std::uint16_t kOutDirectLo = 0, kOutBinary = 1, kOutDirectHi = 2;
constexpr std::uint16_t kTrigCont = 0, kTrigSelf = 1, kTrigExt1 = 2, kTrigExt2 = 3, kTrigExt3 = 4,
                        kTrigTrans = 5, kTrigPara = 6;
constexpr std::uint16_t kExteachOff = 0, kExteachOn = 1, kExteachStat1 = 2, kExteachDyn1 = 3;
constexpr std::uint16_t kLedDc = 0, kLedAc = 1, kLedOff = 2, kLedPulse = 3;

inline bool IsThreshold(int evalMode) {
  return evalMode >= kEvalThdRedGreen && evalMode <= kEvalThdGreenBlue;
}
// CALCULATION MODE 2 and 3 use one tolerance for all three coordinates.
inline bool Is3D(int calcMode) {
  return calcMode == 2 || calcMode == 3;
}
// s i M modes (1, 3) versus X Y INT modes (0, 2).
inline bool IsSiM(int calcMode) {
  return calcMode == 1 || calcMode == 3;
}
}  // namespace mode

struct ParameterBlock {
  std::array<std::uint16_t, kParamWordCount> word{};
  std::uint16_t& operator[](int i) { return word[static_cast<std::size_t>(i)]; }
  std::uint16_t operator[](int i) const { return word[static_cast<std::size_t>(i)]; }
  bool operator==(const ParameterBlock& o) const { return word == o.word; }
  bool operator!=(const ParameterBlock& o) const { return word != o.word; }
};

struct TeachVector {
  std::array<std::uint16_t, kTeachWordCount> word{};
  std::uint16_t& operator[](int i) { return word[static_cast<std::size_t>(i)]; }
  std::uint16_t operator[](int i) const { return word[static_cast<std::size_t>(i)]; }
  bool operator==(const TeachVector& o) const { return word == o.word; }
  bool operator!=(const TeachVector& o) const { return word != o.word; }
};

constexpr int kTeachRows = 64;
constexpr int kTeachCells = 5;  // value columns of the teach grid
constexpr int kRowsPerHalf = 32;

struct TeachTable {
  std::array<TeachVector, kTeachRows> row{};
  TeachVector& operator[](int r) { return row[static_cast<std::size_t>(r)]; }
  const TeachVector& operator[](int r) const { return row[static_cast<std::size_t>(r)]; }
  bool operator==(const TeachTable& o) const { return row == o.row; }
  bool operator!=(const TeachTable& o) const { return row != o.row; }
};

// The one working copy: zero at start, 1058 bytes on the wire.
struct ParameterSet {
  ParameterBlock block;
  TeachTable table;
};

constexpr std::size_t kBlockBytes = 2 * kParamWordCount;                       // 34
constexpr std::size_t kTeachHalfPayload = 2 * kTeachWordCount * kRowsPerHalf;  // 512

// Payload packing (little-endian words, no gaps). half 0 = rows 0..31, 1 = rows 32..63.
void PackParameterBlock(const ParameterBlock& block, std::uint8_t* out);
void UnpackParameterBlock(const std::uint8_t* in, ParameterBlock* block);
void PackTeachHalf(const TeachTable& table, int half, std::uint8_t* out);
void UnpackTeachHalf(const std::uint8_t* in, int half, TeachTable* table);

// Frame parameters of the three payloads for parameter set s (0 or 1).
constexpr std::uint16_t BlockFrameParam(int s) {
  return static_cast<std::uint16_t>(s);
}
constexpr std::uint16_t TeachFrameParam(int s, int half) {
  return static_cast<std::uint16_t>(2 * s + 2 + half);
}

// INI tags and the values used when a tag is missing from a file.
extern const std::array<const char*, kParamWordCount> kParamTags;
extern const std::array<std::uint16_t, kParamWordCount> kParamDefaults;
// The line naming a defaulted parameter in the file message ("EXTEACH" for EXTERN TEACH).
extern const std::array<const char*, kParamWordCount> kParamMessageNames;
constexpr std::uint16_t kCellDefault = 1;
constexpr std::uint16_t kGroupDefault = 0;
constexpr std::uint16_t kHoldDefault = 10;

}  // namespace trivolux
