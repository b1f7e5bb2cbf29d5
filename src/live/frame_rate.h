#pragma once
// The frame rate of a running loop as the status strip shows it: the loop's
// frame count sampled a few times a second, smoothed so that the figure
// reads steadily. Costs nothing per frame: the loop only counts.
#include <QString>
#include <cstdint>

namespace trivolux {

class FrameRateMeter {
 public:
  // A loop starts: frames counted so far and the time in ms.
  void Start(long long frames, std::int64_t ms);
  // A sample: returns the smoothed rate in frames/s, -1 until one interval
  // has passed. Half of each new interval's rate goes into the figure.
  double Sample(long long frames, std::int64_t ms);
  double Rate() const { return rate_; }

 private:
  long long frames_ = 0;
  std::int64_t ms_ = 0;
  double rate_ = -1;
};

// "9850 frames/s", "4.0 frames/s" (one decimal below 100).
QString FrameRateText(double framesPerSecond);

}  // namespace trivolux
