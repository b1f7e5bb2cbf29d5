#include "teach/plane_geometry.h"

#include <algorithm>
#include <utility>

namespace trivolux {

namespace {
constexpr int kEmptyRowLimit = 10;
constexpr int kDefaultBoundsMax = 10000;
constexpr int kBandMax = 4096;
}  // namespace

RowRegion RegionOfRow(const TeachVector& row, int calcMode) {
  RowRegion g;
  g.x = row[0];
  g.y = row[1];
  if (mode::Is3D(calcMode)) {
    // One tolerance TOL (CELL 3) across and up; the intensity is CELL 2.
    g.r = row[3];
    g.i = row[2];
    g.ri = row[3];
  } else {
    g.r = row[2];
    g.i = row[3];
    g.ri = row[4];
  }
  return g;
}

RowOutlines OutlinesOf(const RowRegion& g) {
  RowOutlines o;
  o.xy = {g.x - g.r, g.y - g.r, g.x + g.r, g.y + g.r};
  o.xInt = {g.x - g.r, g.i - g.ri, g.x + g.r, g.i + g.ri};
  o.yInt = {g.y - g.r, g.i - g.ri, g.y + g.r, g.i + g.ri};
  return o;
}

bool RowCountsForBounds(const RowRegion& g) {
  return g.x > kEmptyRowLimit || g.y > kEmptyRowLimit;
}

TaughtBounds BoundsOfTable(const TeachTable& table, int calcMode) {
  TaughtBounds b{kDefaultBoundsMax, 0, kDefaultBoundsMax, 0, kDefaultBoundsMax, 0};
  for (const TeachVector& row : table.row) {
    const RowRegion g = RegionOfRow(row, calcMode);
    if (!RowCountsForBounds(g)) continue;
    b.xMin = std::min(b.xMin, g.x - g.r);
    b.xMax = std::max(b.xMax, g.x + g.r);
    b.yMin = std::min(b.yMin, g.y - g.r);
    b.yMax = std::max(b.yMax, g.y + g.r);
    b.iMin = std::min(b.iMin, g.i - g.ri);
    b.iMax = std::max(b.iMax, g.i + g.ri);
  }
  // No row counted on an axis: its maximum is below its minimum; exchanged,
  // the axis spans 0..10000.
  for (auto [mn, mx] : {std::pair{&b.xMin, &b.xMax}, {&b.yMin, &b.yMax}, {&b.iMin, &b.iMax}}) {
    if (*mx < *mn) std::swap(*mn, *mx);
  }
  return b;
}

IntensityColumns IntensityColumnsFor(int calcMode) {
  if (mode::Is3D(calcMode)) return {2, 3};
  return {3, 4};
}

IntensityBand IntensityBandOf(int intensity, int tolerance) {
  return {std::max(intensity - tolerance, 0), std::min(intensity + tolerance, kBandMax)};
}

}  // namespace trivolux
