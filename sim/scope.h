#pragma once
// The on-sensor scope: settings of order 110/1 and the four result blocks
// (red, green, blue, binary), each 128 ring words followed by the ring
// position of the trigger sample.
#include <array>
#include <cstdint>
#include <functional>

namespace trivolux::sim {

struct ScopeSettings {
  std::uint16_t triggerLevel = 0;
  std::uint16_t triggerMode = 0;  // 0 SINGLE SHOT, 1 RISING, 2 FALLING, 3 INTERNAL C-No.0, 4 EXTERNAL IN0
  std::int16_t preTrigger = 0;
  std::int16_t scanRate = 1;
  std::uint16_t signal = 0;  // 0 RED/GREEN/BLUE, 1 the colour point of the calculation mode

  static ScopeSettings FromPayload(const std::uint8_t* tenBytes);
};

constexpr int kScopeSamples = 128;
using ScopeBlock = std::array<std::uint16_t, kScopeSamples + 1>;

// Levels of the three analog lines at the moment of recording, with the
// binary signals (bit 0 = IN0, bit 1 = colour 0 detected).
struct ScopeLevels {
  std::array<int, 3> line{};
  std::uint16_t binary = 0;
};

// Records 128 samples around the trigger and lays them into the ring so that
// the trigger sample sits at ringPos (pre-trigger samples before it). In the
// edge modes the blue line crosses the trigger level at the trigger sample;
// INTERNAL C-No.0 and EXTERNAL IN0 switch the matching binary bit there.
// noise returns -1 .. 1.
std::array<ScopeBlock, 4> RecordScope(const ScopeSettings& settings, const ScopeLevels& levels, int ringPos,
                                      const std::function<double()>& noise);

}  // namespace trivolux::sim
