#include "live/axis_window.h"

#include <algorithm>

namespace trivolux {

AxisSpan AxisSpanFor(int v, int mn, int mx) {
  AxisSpan a;
  if (v > mx) {
    a.span = v - mn;
    a.centre = mn + a.span / 2;
  }
  if (v < mn) {
    a.span = mx - v;
    a.centre = v + a.span / 2;
  }
  if (mn <= v && v <= mx) {
    a.span = mx - mn;
    a.centre = mn + a.span / 2;
  }
  return a;
}

PlaneWindow PlaneWindowFor(AxisSpan across, AxisSpan up) {
  const int half = std::max(across.span, up.span) / 2;
  return {across.centre - kPlaneMargin - half, across.centre + half + kPlaneMargin,
          up.centre - kPlaneMargin - half, up.centre + half + kPlaneMargin};
}

double IntensityCursor(int calcMode, int intensity) {
  if (calcMode == 1 && intensity >= 1201) return 1200.0;
  return intensity;
}

}  // namespace trivolux
