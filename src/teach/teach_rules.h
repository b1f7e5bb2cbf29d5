#pragma once
// Teach-table arithmetic without widgets: the default tolerances TEACH DATA
// TO writes, and the running value of "Increment selection with".
#include <cstdint>

namespace trivolux {

// What TEACH DATA TO writes besides the values when the teach tolerance is
// on: in the 2D modes the colour tolerance (column 3) and the intensity
// tolerance (column 5); in the 3D modes TOL (column 4) and 1 in column 5.
struct DefaultTolerance {
  std::uint16_t colour = 0;
  std::uint16_t intensity = 0;
};
DefaultTolerance DefaultTolerancesFor(int calcMode, int evalMode, int powerMode);

// The next running value of "Increment selection with": (v + d) mod 65536.
std::uint16_t NextRunningValue(std::uint16_t value, long long delta);

// A prompt answer read as a decimal integer (surrounding blanks allowed);
// false for anything else, a cancelled prompt included.
bool ParseCellAnswer(const char* text, long long* value);

}  // namespace trivolux
