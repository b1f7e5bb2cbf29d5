#include "sim/scope.h"

#include <algorithm>
#include <cmath>

#include "link/frame.h"

namespace trivolux::sim {

ScopeSettings ScopeSettings::FromPayload(const std::uint8_t* p) {
  ScopeSettings s;
  s.triggerLevel = ReadU16(p);
  s.triggerMode = ReadU16(p + 2);
  s.preTrigger = static_cast<std::int16_t>(ReadU16(p + 4));
  s.scanRate = static_cast<std::int16_t>(ReadU16(p + 6));
  s.signal = ReadU16(p + 8);
  return s;
}

std::array<ScopeBlock, 4> RecordScope(const ScopeSettings& settings, const ScopeLevels& levels, int ringPos,
                                      const std::function<double()>& noise) {
  const int mode = settings.triggerMode;
  const int pre = mode == 0 ? 0 : std::clamp<int>(settings.preTrigger, 0, kScopeSamples - 1);
  const double level = settings.triggerLevel;
  const double swing = std::max(50.0, level / 4.0);
  const double blueBase = std::max(1, levels.line[2]);

  std::array<std::array<double, kScopeSamples>, 3> lines{};
  std::array<std::uint16_t, kScopeSamples> binary{};
  for (int i = 0; i < kScopeSamples; ++i) {
    const bool after = i >= pre;
    double scale = 1.0;
    double blue = levels.line[2];
    if (mode == 1 || mode == 2) {
      // An object passes: the blue line steps across the trigger level, the
      // other lines follow in proportion.
      const bool high = (mode == 1) == after;
      blue = high ? level + swing : std::max(0.0, level - swing);
      scale = blue / blueBase;
    } else if (mode == 3 && !after) {
      scale = 0.7;  // another colour before colour 0 appears
    }
    lines[0][i] = levels.line[0] * scale;
    lines[1][i] = levels.line[1] * scale;
    lines[2][i] = (mode == 1 || mode == 2) ? blue : levels.line[2] * scale;
    std::uint16_t bits = levels.binary;
    if (mode == 3) bits = static_cast<std::uint16_t>((bits & 1) | (after ? 2 : 0));
    if (mode == 4) bits = static_cast<std::uint16_t>((bits & 2) | (after ? 1 : 0));
    binary[i] = bits;
  }

  ringPos = ((ringPos % kScopeSamples) + kScopeSamples) % kScopeSamples;
  const int start = mode == 0 ? 0 : (ringPos + kScopeSamples - pre) % kScopeSamples;
  std::array<ScopeBlock, 4> blocks{};
  for (int i = 0; i < kScopeSamples; ++i) {
    const int slot = (start + i) % kScopeSamples;
    for (int c = 0; c < 3; ++c) {
      const double v = lines[c][i] + 3.0 * noise();
      blocks[c][slot] = static_cast<std::uint16_t>(std::clamp(std::lround(v), 0L, 65535L));
    }
    blocks[3][slot] = binary[i];
  }
  for (ScopeBlock& b : blocks) b[kScopeSamples] = static_cast<std::uint16_t>(ringPos);
  return blocks;
}

}  // namespace trivolux::sim
