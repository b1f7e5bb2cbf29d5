#include "teach/teach_rules.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>

#include "params/parameter_set.h"

namespace trivolux {

DefaultTolerance DefaultTolerancesFor(int calcMode, int evalMode, int powerMode) {
  // Colour tolerance by EVALUATION MODE: BEST HIT 200, MIN DIST 40, others 100.
  const std::uint16_t colour = evalMode == mode::kEvalBestHit   ? 200
                               : evalMode == mode::kEvalMinDist ? 40
                                                                : 100;
  if (mode::Is3D(calcMode)) return {colour, 1};
  if (mode::IsSiM(calcMode)) return {colour, 50};
  const bool dyn = powerMode == mode::kPowerDyn;
  const bool wide = evalMode == mode::kEvalBestHit || evalMode == mode::kEvalMinDist;
  return {colour, static_cast<std::uint16_t>(wide ? (dyn ? 100 : 200) : (dyn ? 50 : 100))};
}

std::uint16_t NextRunningValue(std::uint16_t value, long long delta) {
  const long long next = (static_cast<long long>(value) + delta) % 65536;
  return static_cast<std::uint16_t>(next < 0 ? next + 65536 : next);
}

bool ParseCellAnswer(const char* text, long long* value) {
  if (!text) return false;
  while (std::isspace(static_cast<unsigned char>(*text))) ++text;
  if (*text == '\0') return false;
  char* end = nullptr;
  errno = 0;
  const long long v = std::strtoll(text, &end, 10);
  if (errno != 0 || end == text) return false;
  while (std::isspace(static_cast<unsigned char>(*end))) ++end;
  if (*end != '\0') return false;
  *value = v;
  return true;
}

}  // namespace trivolux
