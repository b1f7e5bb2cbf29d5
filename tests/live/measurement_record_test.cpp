// The measurement record, its derived values, the histories and the axis
// windows of the live planes.
#include "live/measurement_record.h"

#include <gtest/gtest.h>

#include "live/axis_window.h"

namespace trivolux {
namespace {

using W = MeasurementRecord;

MeasurementRecord RecordWith(std::initializer_list<std::pair<int, int>> words) {
  MeasurementRecord r;
  for (auto [w, v] : words) r.word[static_cast<std::size_t>(w)] = static_cast<std::int16_t>(v);
  return r;
}

TEST(MeasurementRecord, DecodesLittleEndianSignedWords) {
  std::uint8_t bytes[W::kBytes] = {};
  bytes[0] = 0x00, bytes[1] = 0x80;    // RED -32768
  bytes[2] = 0xFF, bytes[3] = 0x7F;    // GREEN 32767
  bytes[14] = 0xFF, bytes[15] = 0xFF;  // COLOR -1
  bytes[38] = 0x34, bytes[39] = 0x12;  // last extreme
  MeasurementRecord r;
  r.Decode(bytes);
  EXPECT_EQ(r[W::kRed], -32768);
  EXPECT_EQ(r[W::kGreen], 32767);
  EXPECT_EQ(r[W::kColor], -1);
  EXPECT_EQ(r[19], 0x1234);
}

TEST(MeasurementRecord, CurrentColourTruncatesEachChannelAndStaysInItsByte) {
  struct Case {
    int red, green, blue;
    std::uint32_t colour;
  } cases[] = {
      {0, 15, 16, 0x000001},
      {31, 32, 4095, 0x0102FF},
      {-15, -16, 0, 0x000000},     // toward zero, then kept at 0
      {4096, 32767, 0, 0xFFFF00},  // above 4095 kept at 255 instead of spilling over
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CurrentMeasuredColour(RecordWith({{W::kRed, c.red}, {W::kGreen, c.green}, {W::kBlue, c.blue}})),
              c.colour)
        << c.red << " " << c.green << " " << c.blue;
  }
}

TEST(MeasurementRecord, RawSpreadCoversTheFullSignedRange) {
  EXPECT_EQ(RawSpread(RecordWith({{W::kRawRed, 1000}, {W::kRawGreen, 1200}, {W::kRawBlue, 900}})), 300);
  EXPECT_EQ(RawSpread(RecordWith({{W::kRawRed, -32768}, {W::kRawGreen, 32767}, {W::kRawBlue, 0}})), 65535);
}

TEST(MeasurementRecord, OutputIndicators) {
  struct Case {
    int evalMode, color;
    bool driven, out0, out1;
  } cases[] = {
      {4, 3, true, true, true},  {4, 1, true, false, true},  {4, -1, true, true, true},
      {3, 2, true, true, false}, {6, 0, true, false, false}, {2, 3, false, false, false},
  };
  for (const Case& c : cases) {
    const OutputLamps lamps = OutputIndicators(c.evalMode, static_cast<std::int16_t>(c.color));
    EXPECT_EQ(lamps.driven, c.driven) << c.evalMode << "/" << c.color;
    EXPECT_EQ(lamps.out0, c.out0) << c.evalMode << "/" << c.color;
    EXPECT_EQ(lamps.out1, c.out1) << c.evalMode << "/" << c.color;
  }
}

TEST(ValueHistories, KeepTheLastHundredOldestFirst) {
  ValueHistories h;
  for (int frame = 1; frame <= 150; ++frame) {
    h.Push(RecordWith({{W::kRed, frame},
                       {W::kGreen, -frame},
                       {W::kBlue, 2 * frame},
                       {W::kX, frame},
                       {W::kY, 1000 + frame},
                       {W::kInt, 3000 + frame}}));
    if (frame == 50) {
      EXPECT_EQ(h.X()[0], 0);  // not yet filled
      EXPECT_EQ(h.X()[50], 1);
    }
  }
  for (int k = 0; k < ValueHistories::kLength; ++k) {
    const double frame = 51 + k;
    ASSERT_EQ(h.X()[k], frame);
    ASSERT_EQ(h.Y()[k], 1000 + frame);
    ASSERT_EQ(h.Int()[k], 3000 + frame);
    ASSERT_EQ(h.Rgb()[3 * k], frame);
    ASSERT_EQ(h.Rgb()[3 * k + 1], -frame);
    ASSERT_EQ(h.Rgb()[3 * k + 2], 2 * frame);
  }
}

TEST(AxisWindow, PointInsideKeepsTheRegionOutsideWidensIt) {
  struct Case {
    int v, mn, mx;
    AxisSpan want;
  } cases[] = {
      {500, 0, 10000, {10000, 5000}},    // inside
      {12001, 0, 10000, {12001, 6000}},  // above: span v - mn, halves truncated
      {-301, 100, 1000, {1301, 349}},    // below: centre v + span / 2 = -301 + 650
      {-7, -20, -5, {15, -13}},          // negative bounds: -20 + 15 / 2 truncates to -13
      {0, 0, 0, {0, 0}},                 // bounds before the first drawing
  };
  for (const Case& c : cases) {
    const AxisSpan a = AxisSpanFor(c.v, c.mn, c.mx);
    EXPECT_EQ(a.span, c.want.span) << c.v;
    EXPECT_EQ(a.centre, c.want.centre) << c.v;
  }
}

TEST(AxisWindow, PlanesAreSquareWithTheMargin) {
  // X region 900..1100 (span 200), Y 1100..1300; point inside.
  PlaneWindow w = PlaneWindowFor(AxisSpanFor(1000, 900, 1100), AxisSpanFor(1200, 1100, 1300));
  EXPECT_EQ(w.xLow, 875);
  EXPECT_EQ(w.xHigh, 1125);
  EXPECT_EQ(w.yLow, 1075);
  EXPECT_EQ(w.yHigh, 1325);
  // The point at x 2000 widens X to span 1100; Y takes the same width.
  w = PlaneWindowFor(AxisSpanFor(2000, 900, 1100), AxisSpanFor(1200, 1100, 1300));
  EXPECT_EQ(w.xLow, 1450 - 25 - 550);
  EXPECT_EQ(w.xHigh, 1450 + 550 + 25);
  EXPECT_EQ(w.yLow, 1200 - 25 - 550);
  EXPECT_EQ(w.yHigh, 1200 + 550 + 25);
  EXPECT_EQ(w.xHigh - w.xLow, w.yHigh - w.yLow);
  EXPECT_LT(w.xLow, 2000);
  EXPECT_GT(w.xHigh, 2000);
}

TEST(AxisWindow, IntensityCursorCapsMAt1200InModeOneOnly) {
  EXPECT_EQ(IntensityCursor(1, 1200), 1200.0);
  EXPECT_EQ(IntensityCursor(1, 1201), 1200.0);
  EXPECT_EQ(IntensityCursor(1, 32767), 1200.0);
  EXPECT_EQ(IntensityCursor(0, 4000), 4000.0);
  EXPECT_EQ(IntensityCursor(3, 5000), 5000.0);
}

}  // namespace
}  // namespace trivolux
