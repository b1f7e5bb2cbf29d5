#include "live/frame_rate.h"

namespace trivolux {

void FrameRateMeter::Start(long long frames, std::int64_t ms) {
  frames_ = frames;
  ms_ = ms;
  rate_ = -1;
}

double FrameRateMeter::Sample(long long frames, std::int64_t ms) {
  const std::int64_t interval = ms - ms_;
  if (interval <= 0) return rate_;
  const double now = 1000.0 * static_cast<double>(frames - frames_) / static_cast<double>(interval);
  rate_ = rate_ < 0 ? now : 0.5 * rate_ + 0.5 * now;
  frames_ = frames;
  ms_ = ms;
  return rate_;
}

QString FrameRateText(double framesPerSecond) {
  if (framesPerSecond < 0) return QString();
  const int decimals = framesPerSecond < 100 ? 1 : 0;
  return QStringLiteral("%1 frames/s").arg(framesPerSecond, 0, 'f', decimals);
}

}  // namespace trivolux
