#pragma once
// Where the taught rows lie in the colour planes: each row's tolerance
// region as ellipse boxes, the bounds over all rows that count, and the
// intensity band of one row. Pure arithmetic; the drawing only applies it.
#include <array>

#include "live/axis_window.h"
#include "params/parameter_set.h"

namespace trivolux {

// A row's colour point, colour radius, intensity and intensity radius for a
// CALCULATION MODE (signed, so x - r may be negative).
struct RowRegion {
  int x = 0, y = 0, r = 0;
  int i = 0, ri = 0;
};
RowRegion RegionOfRow(const TeachVector& row, int calcMode);

// Bounding box of an ellipse: (left, bottom) to (right, top).
struct EllipseBox {
  int left = 0, bottom = 0, right = 0, top = 0;
  bool operator==(const EllipseBox& o) const {
    return left == o.left && bottom == o.bottom && right == o.right && top == o.top;
  }
};

// The outlines of one row: the X/Y circle (both the 2D and the 3D page), the
// X/INT and the Y/INT ellipses.
struct RowOutlines {
  EllipseBox xy, xInt, yInt;
};
RowOutlines OutlinesOf(const RowRegion& region);

// A row counts for the bounds when x or y is above 10; with no counting row
// an axis spans 0..10000.
bool RowCountsForBounds(const RowRegion& region);
TaughtBounds BoundsOfTable(const TeachTable& table, int calcMode);

// Teach grid columns (0-based: CELL 0 is column 0) of a row's intensity and
// its tolerance in a CALCULATION MODE.
struct IntensityColumns {
  int intensity = 3, tolerance = 4;
};
IntensityColumns IntensityColumnsFor(int calcMode);

// The intensity band i - ri .. i + ri, kept to 0..4096.
struct IntensityBand {
  int low = 0, high = 0;
};
IntensityBand IntensityBandOf(int intensity, int tolerance);

inline constexpr unsigned kIntensityBandColour = 0x408080;

}  // namespace trivolux
