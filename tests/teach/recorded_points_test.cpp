#include "teach/recorded_points.h"

#include <gtest/gtest.h>

namespace trivolux {
namespace {

TEST(RecordedPoints, FirstMatchSearchesTheCurrentRecordingOnly) {
  RecordedPoints p;
  p.Append(1, 2, 3);
  p.Append(4, 5, 6);
  p.Append(4, 5, 7);  // same X/Y as entry 1
  p.Append(9, 5, 6);  // same Y/INT as entry 1
  struct Case {
    int graph;
    double a, b;
    int entry;
  } cases[] = {{0, 4, 5, 1}, {1, 4, 7, 2}, {2, 5, 6, 1}, {1, 9, 6, 3}, {0, 4.5, 5, 0}, {0, 5, 4, 0}};
  for (const Case& c : cases) EXPECT_EQ(p.FirstMatch(c.graph, c.a, c.b), c.entry) << c.graph << " " << c.a;
  p.Reset();
  p.Append(8, 8, 8);
  // Entry 1 still holds (4, 5, 6) but lies behind the count.
  EXPECT_EQ(p.FirstMatch(0, 4, 5), 0);
}

TEST(RecordedPoints, StoreHoldsExactlyItsCapacity) {
  RecordedPoints p;
  for (int k = 0; k < RecordedPoints::kCapacity; ++k) ASSERT_TRUE(p.Append(k, 0, 0));
  EXPECT_TRUE(p.Full());
  EXPECT_FALSE(p.Append(-1, -1, -1));
  EXPECT_EQ(p.Count(), RecordedPoints::kCapacity);
  EXPECT_EQ(p[RecordedPoints::kCapacity - 1].v[0], RecordedPoints::kCapacity - 1);
}

TEST(GrowingRange, WidensBySpanQuarterOrMargin) {
  GrowingRange r;
  EXPECT_TRUE(r.Take(100));
  EXPECT_EQ(r.lower, 75);
  EXPECT_EQ(r.upper, 125);
  EXPECT_FALSE(r.Take(125));
  EXPECT_TRUE(r.Take(130));  // span 50: margin 25 is larger than a quarter
  EXPECT_EQ(r.upper, 155);
  EXPECT_TRUE(r.Take(-1000));  // span 80 → 25 again
  EXPECT_EQ(r.lower, -1025);
  EXPECT_TRUE(r.Take(2000));  // span 1180: a quarter, 295
  EXPECT_EQ(r.upper, 2295);
}

}  // namespace
}  // namespace trivolux
