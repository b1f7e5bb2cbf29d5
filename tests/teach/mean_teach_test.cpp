// Means and largest distances of the mean-value teach.
#include "teach/mean_teach.h"

#include <gtest/gtest.h>

#include <vector>

namespace trivolux {
namespace {

CaptureRow Xyi(int x, int y, int i) {
  return {
      0, 0, 0, static_cast<std::uint16_t>(x), static_cast<std::uint16_t>(y), static_cast<std::uint16_t>(i)};
}

TEST(MeanTeach, MeansTruncateAndSumBeyondSixteenBits) {
  const std::vector<CaptureRow> rows = {Xyi(100, 5, 0), Xyi(102, 5, 0), Xyi(107, 5, 0)};
  EXPECT_EQ(MeanValues(rows.data(), 3)[3], 103);  // 309 / 3
  const std::vector<CaptureRow> big(100, CaptureRow{65535, 1, 0, 0, 0, 0});
  EXPECT_EQ(MeanValues(big.data(), 100)[0], 65535);
  EXPECT_EQ(MeanValues(rows.data(), 0), CaptureRow{});
  EXPECT_EQ(MaxDeltaOf(rows.data(), 3, MeanValues(rows.data(), 3), 0).colour, 4);  // 107 - 103
}

TEST(MeanTeach, DistancesIn2DAnd3D) {
  const std::vector<CaptureRow> rows = {Xyi(0, 0, 1000), Xyi(3, 4, 1003)};
  const CaptureRow mean = MeanValues(rows.data(), 2);
  EXPECT_EQ(mean, Xyi(1, 2, 1001));
  const MaxDelta d2 = MaxDeltaOf(rows.data(), 2, mean, 0);
  EXPECT_EQ(d2.colour, 2);  // trunc(sqrt(8))
  EXPECT_EQ(d2.intensity, 2);
  EXPECT_EQ(MaxDeltaOf(rows.data(), 2, mean, 2).colour, 3);  // trunc(sqrt(12))
  EXPECT_EQ(MaxDeltaOf(rows.data(), 0, mean, 0).colour, 0);
  // Far apart in all three coordinates: exact squares, shown at most 65535.
  const std::vector<CaptureRow> far = {Xyi(0, 0, 0), Xyi(65535, 65535, 65535)};
  EXPECT_EQ(MaxDeltaOf(far.data(), 2, Xyi(0, 0, 0), 0).colour, 65535);
  EXPECT_EQ(MaxDeltaOf(far.data(), 2, Xyi(0, 0, 0), 2).intensity, 65535);
  EXPECT_EQ(MaxDeltaOf(far.data(), 2, Xyi(30000, 40000, 0), 0).colour, 50000);
}

}  // namespace
}  // namespace trivolux
