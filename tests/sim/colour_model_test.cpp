// The colour evaluation in every EVALUATION MODE, on hand-made teach tables.
#include "sim/colour_model.h"

#include <gtest/gtest.h>

#include "sim/sensor_model.h"

namespace trivolux::sim {
namespace {

TEST(ColourModel, ColourPoints) {
  const ColourPoint xy = ToXyInt(1000, 1000, 2000);
  EXPECT_EQ(xy.a, 1024);  // 4095 / 4
  EXPECT_EQ(xy.b, 1024);
  EXPECT_EQ(xy.c, 1333);
  const ColourPoint grey = ToSiM(1000, 1000, 1000);
  EXPECT_EQ(grey.a, 5000);
  EXPECT_EQ(grey.b, 5000);
  EXPECT_EQ(grey.c, 2442);
  EXPECT_EQ(ToSiM(4095, 4095, 4095).c, 10000);
  // Black and negative inputs never divide by zero.
  EXPECT_EQ(ToXyInt(0, 0, 0).c, 0);
  EXPECT_EQ(ToXyInt(-5, 0, 0).a, 0);
  EXPECT_EQ(ToPoint(3, 0, 0, 0).a, 5000);
}

TEST(ColourModel, PowerAndGainScaleTheSignal) {
  ParamWords p = DefaultParams();
  EXPECT_DOUBLE_EQ(AdcLevel(1000, 40, p), 1040);
  p[pw::kPower] = 1000;
  EXPECT_DOUBLE_EQ(AdcLevel(1000, 40, p), 2040);
  p[pw::kGain] = 7;
  EXPECT_DOUBLE_EQ(AdcLevel(1000, 40, p), 4040);
  p[pw::kGain] = 0;
  EXPECT_NEAR(AdcLevel(1000, 40, p), 40 + 2000 / std::pow(2.0, 2.5), 1e-9);
  p[pw::kGain] = 7;
  EXPECT_DOUBLE_EQ(AdcLevel(3000, 40, p), 4095) << "the converter saturates";
  p[pw::kLedMode] = kLedOff;
  EXPECT_DOUBLE_EQ(AdcLevel(3000, 40, p), 40) << "LED off leaves the dark level";
}

class Evaluation2D : public ::testing::Test {
 protected:
  void SetUp() override {
    p = DefaultParams();
    p[pw::kMaxVecNo] = 3;
    // X, Y, CTO, INT, ITO, GROUP, HOLD, reserved
    rows[0] = {1000, 1000, 50, 2000, 100, 1, 10, 0};
    rows[1] = {1030, 1000, 50, 2000, 100, 2, 10, 0};
    rows[2] = {3000, 3000, 10, 500, 10, 0, 10, 0};
  }
  Evaluation Eval(int mode, ColourPoint point) {
    p[pw::kEvalMode] = static_cast<std::uint16_t>(mode);
    return Evaluate(p, rows, point, 0, 0, 0);
  }
  ParamWords p;
  TeachRows rows{};
};

TEST_F(Evaluation2D, HitModes) {
  const ColourPoint nearRow1{1025, 1000, 2050};  // inside rows 0 and 1, closer to 1
  Evaluation e = Eval(kFirstHit, nearRow1);
  EXPECT_EQ(e.color, 0);
  EXPECT_EQ(e.deltaC, 25);
  e = Eval(kBestHit, nearRow1);
  EXPECT_EQ(e.color, 1);
  EXPECT_EQ(e.deltaC, 5);
  EXPECT_EQ(e.group, 1) << "groups disabled: GROUP repeats COLOR";
  p[pw::kColorGroup] = 1;
  EXPECT_EQ(Eval(kBestHit, nearRow1).group, 2);

  // Outside every tolerance: FIRST HIT shows the distance to the last enabled row.
  const ColourPoint away{1500, 1000, 2000};
  e = Eval(kFirstHit, away);
  EXPECT_EQ(e.color, 255);
  EXPECT_EQ(e.group, 255);
  EXPECT_EQ(e.deltaC, 2500);  // to row 2 at (3000, 3000)
  e = Eval(kBestHit, away);
  EXPECT_EQ(e.color, 255);
  EXPECT_EQ(e.deltaC, -1);
  // MIN DIST ignores CTO but needs INT inside ITO.
  e = Eval(kMinDist, away);
  EXPECT_EQ(e.color, 1);
  EXPECT_EQ(e.deltaC, 470);
  EXPECT_EQ(Eval(kMinDist, {1500, 1000, 2500}).color, 255);

  // The intensity tolerance applies to hits too.
  EXPECT_EQ(Eval(kBestHit, {1025, 1000, 2200}).color, 255);
  // MAX VEC NO limits the rows checked.
  p[pw::kMaxVecNo] = 1;
  EXPECT_EQ(Eval(kBestHit, nearRow1).color, 0);
  EXPECT_EQ(Eval(kFirstHit, away).deltaC, 500);
}

TEST_F(Evaluation2D, IntlimStopsTheEvaluation) {
  p[pw::kIntlim] = 2100;
  const Evaluation e = Eval(kFirstHit, {1000, 1000, 2050});
  EXPECT_EQ(e.color, 255);
  EXPECT_EQ(e.group, 255);
  EXPECT_EQ(e.deltaC, -1);
  p[pw::kIntlim] = 2050;
  EXPECT_EQ(Eval(kFirstHit, {1000, 1000, 2050}).color, 0) << "INT equal to INTLIM still evaluates";
}

TEST_F(Evaluation2D, Col2ReportsBothRowsAsBits) {
  EXPECT_EQ(Eval(kCol2, {1015, 1000, 2000}).color, 3);
  EXPECT_EQ(Eval(kCol2, {975, 1000, 2000}).color, 1);
  EXPECT_EQ(Eval(kCol2, {1070, 1000, 2000}).color, 2);
  const Evaluation none = Eval(kCol2, {2000, 2000, 2000});
  EXPECT_EQ(none.color, 0);
  EXPECT_GT(none.deltaC, 0);
}

TEST(ColourModelThd, ThresholdModesCompareChannels) {
  ParamWords p = DefaultParams();
  TeachRows rows{};
  rows[0][0] = 1000;
  rows[1][0] = 2000;
  struct Case {
    int mode, r, g, b, color;
  } cases[] = {
      {kThdRedGreen, 1001, 2001, 0, 3}, {kThdRedGreen, 1000, 2001, 0, 2}, {kThdRedGreen, 1001, 0, 9999, 1},
      {kThdRedBlue, 1001, 0, 2001, 3},  {kThdRedBlue, 0, 9999, 2001, 2},  {kThdGreenBlue, 0, 1001, 0, 1},
      {kThdGreenBlue, 9999, 0, 0, 0},
  };
  for (const Case& c : cases) {
    p[pw::kEvalMode] = static_cast<std::uint16_t>(c.mode);
    p[pw::kIntlim] = 60000;  // INTLIM does not apply to the threshold modes
    EXPECT_EQ(Evaluate(p, rows, {}, c.r, c.g, c.b).color, c.color) << c.mode << " " << c.r << " " << c.g;
  }
}

TEST(ColourModel3D, OneToleranceForAllThreeCoordinates) {
  ParamWords p = DefaultParams();
  p[pw::kCalcMode] = 2;
  p[pw::kMaxVecNo] = 2;
  TeachRows rows{};
  rows[0] = {1000, 1000, 1000, 30, 1, 0, 10, 0};  // X, Y, INT, TOL
  rows[1] = {1000, 1000, 1100, 80, 1, 0, 10, 0};
  p[pw::kEvalMode] = kBestHit;
  Evaluation e = Evaluate(p, rows, {1000, 1020, 1020}, 0, 0, 0);  // 28 from row 0, 82 from row 1
  EXPECT_EQ(e.color, 0);
  EXPECT_EQ(e.deltaC, 28);
  e = Evaluate(p, rows, {1000, 1000, 1040}, 0, 0, 0);  // 40 / 60: only row 1 hits
  EXPECT_EQ(e.color, 1);
  p[pw::kEvalMode] = kMinDist;
  EXPECT_EQ(Evaluate(p, rows, {1000, 1000, 1040}, 0, 0, 0).color, 0) << "nearest centre, no tolerance";
}

}  // namespace
}  // namespace trivolux::sim
