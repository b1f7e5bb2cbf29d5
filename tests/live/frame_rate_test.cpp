// The smoothed frame rate of GO and its text.
#include "live/frame_rate.h"

#include <gtest/gtest.h>

using trivolux::FrameRateMeter;
using trivolux::FrameRateText;

TEST(FrameRateMeter, AveragesEachIntervalIntoTheFigure) {
  FrameRateMeter meter;
  meter.Start(1000, 5000);  // frames counted before this loop do not count
  EXPECT_LT(meter.Rate(), 0);
  EXPECT_DOUBLE_EQ(meter.Sample(3500, 5250), 10000.0);  // 2500 frames in 0.25 s
  EXPECT_DOUBLE_EQ(meter.Sample(4500, 5500), 7000.0);   // half of 4000 and half of 10000
  EXPECT_DOUBLE_EQ(meter.Sample(4500, 5500), 7000.0);   // no time passed: no new figure
  meter.Start(4500, 6000);
  EXPECT_DOUBLE_EQ(meter.Sample(4501, 6250), 4.0);  // a new loop starts afresh
}

TEST(FrameRateText, OneDecimalBelowAHundred) {
  EXPECT_EQ(FrameRateText(9849.6).toStdString(), "9850 frames/s");
  EXPECT_EQ(FrameRateText(4.04).toStdString(), "4.0 frames/s");
  EXPECT_EQ(FrameRateText(-1).toStdString(), "");
}
