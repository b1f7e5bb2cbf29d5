// Where the taught rows are drawn in the colour planes and which bounds the
// live planes scale to.
#include "teach/plane_geometry.h"

#include <gtest/gtest.h>

namespace trivolux {
namespace {

TeachVector Row(int c0, int c1, int c2, int c3, int c4) {
  TeachVector v;
  v[0] = static_cast<std::uint16_t>(c0);
  v[1] = static_cast<std::uint16_t>(c1);
  v[2] = static_cast<std::uint16_t>(c2);
  v[3] = static_cast<std::uint16_t>(c3);
  v[4] = static_cast<std::uint16_t>(c4);
  return v;
}

TeachTable TableOfOnes() {
  TeachTable t;
  for (TeachVector& v : t.row) v = Row(1, 1, 1, 1, 1);
  return t;
}

TEST(PlaneGeometry, OutlinesOfTheWorkedRow) {
  // Mode 0: x 1000, y 1200, CTO 100, INT 2000, ITO 200.
  const RowOutlines o = OutlinesOf(RegionOfRow(Row(1000, 1200, 100, 2000, 200), 0));
  EXPECT_EQ(o.xy, (EllipseBox{900, 1100, 1100, 1300}));
  EXPECT_EQ(o.xInt, (EllipseBox{900, 1800, 1100, 2200}));
  EXPECT_EQ(o.yInt, (EllipseBox{1100, 1800, 1300, 2200}));
}

TEST(PlaneGeometry, ThreeDimensionalModesUseOneToleranceEverywhere) {
  // Mode 2 and 3: INT in CELL 2, TOL in CELL 3; every outline is a circle.
  for (int mode : {2, 3}) {
    const RowRegion g = RegionOfRow(Row(1000, 1200, 2000, 150, 999), mode);
    EXPECT_EQ(g.r, 150);
    EXPECT_EQ(g.i, 2000);
    EXPECT_EQ(g.ri, 150);
    const RowOutlines o = OutlinesOf(g);
    for (const EllipseBox& b : {o.xy, o.xInt, o.yInt}) EXPECT_EQ(b.right - b.left, b.top - b.bottom);
  }
  // Mode 1 reads like mode 0 (siTO, M, MTO).
  const RowRegion s = RegionOfRow(Row(1, 2, 3, 4, 5), 1);
  EXPECT_EQ(s.r, 3);
  EXPECT_EQ(s.i, 4);
  EXPECT_EQ(s.ri, 5);
}

TEST(PlaneGeometry, NoCountingRowGivesZeroToTenThousand) {
  // After RESET TABLE every cell is 1: drawn, but no row counts.
  EXPECT_EQ(BoundsOfTable(TableOfOnes(), 0), (TaughtBounds{0, 10000, 0, 10000, 0, 10000}));
  EXPECT_FALSE(RowCountsForBounds(RegionOfRow(Row(10, 10, 1, 1, 1), 0)));
  EXPECT_TRUE(RowCountsForBounds(RegionOfRow(Row(5, 300, 1, 1, 1), 0)));
  EXPECT_TRUE(RowCountsForBounds(RegionOfRow(Row(11, 0, 1, 1, 1), 0)));
}

TEST(PlaneGeometry, BoundsCoverEveryCountingRowAndMayGoNegative) {
  TeachTable t = TableOfOnes();
  t[0] = Row(1000, 1200, 100, 2000, 200);
  t[5] = Row(5, 300, 50, 100, 300);       // x - r below zero
  t[63] = Row(10, 10, 5000, 9000, 9000);  // empty: ignored despite its size
  const TaughtBounds b = BoundsOfTable(t, 0);
  EXPECT_EQ(b, (TaughtBounds{-45, 1100, 250, 1300, -200, 2200}));
}

TEST(PlaneGeometry, IntensityBandIsClippedToTheChannelRange) {
  struct Case {
    int i, ri, low, high;
  } cases[] = {{4000, 200, 3800, 4096}, {100, 200, 0, 300}, {2000, 0, 2000, 2000}, {65535, 65535, 0, 4096}};
  for (const Case& c : cases) {
    const IntensityBand band = IntensityBandOf(c.i, c.ri);
    EXPECT_EQ(band.low, c.low) << c.i << "/" << c.ri;
    EXPECT_EQ(band.high, c.high) << c.i << "/" << c.ri;
  }
  EXPECT_EQ(IntensityColumnsFor(0).intensity, 3);
  EXPECT_EQ(IntensityColumnsFor(1).tolerance, 4);
  EXPECT_EQ(IntensityColumnsFor(2).intensity, 2);
  EXPECT_EQ(IntensityColumnsFor(3).tolerance, 3);
}

}  // namespace
}  // namespace trivolux
