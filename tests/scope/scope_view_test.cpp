#include "scope/scope_view.h"

#include <gtest/gtest.h>

#include <QByteArrayList>
#include <cmath>
#include <limits>

namespace trivolux {
namespace {

// Red rises 100..227, green is flat at 0, blue alternates 3000/3010; the
// binary block counts 0..3.
ScopeTraces Known() {
  ScopeTraces t{};
  for (std::size_t i = 0; i < kScopeSamples; ++i) {
    t[0][i] = static_cast<std::uint16_t>(100 + i);
    t[1][i] = 0;
    t[2][i] = i % 2 ? 3010 : 3000;
    t[3][i] = static_cast<std::uint16_t>(i % 4);
  }
  return t;
}

TEST(ScopeView, FitRangeCoversTheShownLinesWithAMargin) {
  struct Case {
    std::array<bool, 3> shown;
    double lower, upper;
  };
  const ScopeTraces t = Known();
  for (const Case& c : {Case{{true, false, false}, 100 - 6.35, 227 + 6.35},  // 5 % of 127
                        Case{{false, true, false}, -5, 5},                   // flat: still a range
                        Case{{false, false, true}, 2995, 3015},              // span 10: the minimum margin
                        Case{{true, true, true}, -150.5, 3160.5}}) {
    const ScopeYRange r = ScopeFitRange(t, c.shown);
    EXPECT_DOUBLE_EQ(r.lower, c.lower);
    EXPECT_DOUBLE_EQ(r.upper, c.upper);
  }
  const ScopeYRange none = ScopeFitRange(t, {false, false, false});
  EXPECT_EQ(none.lower, none.upper);
}

TEST(ScopeView, CursorSampleAndTriggerIndex) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  for (auto [x, sample] : {std::pair{10.4, 10}, {10.6, 11}, {-3.0, 0}, {128.0, 127}, {nan, 0}})
    EXPECT_EQ(ScopeSampleAt(x), sample) << x;
  EXPECT_EQ(ScopeTriggerIndex(0, 20), -1);
  EXPECT_EQ(ScopeTriggerIndex(1, 20), 20);
  EXPECT_EQ(ScopeTriggerIndex(4, 130), 2);
  EXPECT_EQ(ScopeTriggerIndex(2, -1), 127);
}

TEST(ScopeView, LineNamesFollowTheRecordedSignal) {
  EXPECT_EQ(ScopeLineNames(0, 3)[0], "RED");
  EXPECT_EQ(ScopeLineNames(1, 3)[2], "M");
  EXPECT_EQ(ScopeLineNames(1, 2)[2], "INT");
  EXPECT_EQ(ScopeLineNames(7, 1)[1], "GREEN");
}

TEST(ScopeView, CsvHasOneRowPerSampleWithTimeValuesAndBits) {
  const QList<QByteArray> rows = ScopeCsv(Known(), {"X", "Y", "INT"}, 0.125).split('\n');
  ASSERT_EQ(rows.size(), kScopeSamples + 2);  // header, 128 rows, nothing after the last line end
  EXPECT_EQ(rows[0], "time_ms,X,Y,INT,BIT0,BIT1\r");
  EXPECT_EQ(rows[1], "0,100,0,3000,0,0\r");
  EXPECT_EQ(rows[4], "0.375,103,0,3010,1,1\r");
  EXPECT_EQ(rows[128], "15.875,227,0,3010,1,1\r");
  EXPECT_TRUE(rows.back().isEmpty());
  // A cycle time that is not a binary fraction prints without float noise.
  EXPECT_TRUE(ScopeCsv(Known(), {"R", "G", "B"}, 0.1).contains("\r\n0.3,103,"));
}

}  // namespace
}  // namespace trivolux
