#pragma once
// The axis windows of the live colour planes: each plane covers the taught
// region and the current point, stays square, and keeps a 25-unit margin.
// Signed integer arithmetic; halves truncate toward zero.
namespace trivolux {

// Bounds of all taught regions, written by the colour-plane drawing of the
// teach table and read here. Zero before the first drawing.
struct TaughtBounds {
  int xMin = 0, xMax = 0;
  int yMin = 0, yMax = 0;
  int iMin = 0, iMax = 0;
  bool operator==(const TaughtBounds& o) const {
    return xMin == o.xMin && xMax == o.xMax && yMin == o.yMin && yMax == o.yMax && iMin == o.iMin &&
           iMax == o.iMax;
  }
};

struct AxisSpan {
  int span = 0;
  int centre = 0;
};

// Span and centre for coordinate v with bounds [mn, mx], widened to include v.
AxisSpan AxisSpanFor(int v, int mn, int mx);

struct PlaneWindow {
  int xLow = 0, xHigh = 0;
  int yLow = 0, yHigh = 0;
};

inline constexpr int kPlaneMargin = 25;

// Both axes get the width of the wider span plus the margin on each side.
PlaneWindow PlaneWindowFor(AxisSpan across, AxisSpan up);

// Where the INT bar graph's cursor stands: at INT, except that in
// CALCULATION MODE 1 an M above 1200 stands at 1200.
double IntensityCursor(int calcMode, int intensity);

}  // namespace trivolux
