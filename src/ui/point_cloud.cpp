#include "ui/point_cloud.h"

#include <cmath>
#include <limits>

namespace trivolux {

namespace {
// Half-widths of the rows of a 5 px disc.
constexpr int kDiscHalfWidth[5] = {1, 2, 2, 2, 1};
}  // namespace

PointCloud::PointCloud(QCustomPlot* plot, const QColor& colour) : QCPLayerable(plot), colour_(colour) {
  setAntialiased(false);
}

void PointCloud::SetSource(const double* base, int stride, int across, int up) {
  base_ = base;
  stride_ = stride;
  across_ = across;
  up_ = up;
  valid_ = false;
}

void PointCloud::SetCount(int n) {
  if (n < stamped_) valid_ = false;
  count_ = base_ ? std::max(n, 0) : 0;
}

QPointF PointCloud::Coords(int k) const {
  if (!base_ || k < 0 || k >= count_) return {};
  const double* p = base_ + static_cast<std::ptrdiff_t>(k) * stride_;
  return {p[across_], p[up_]};
}

int PointCloud::Nearest(const QPointF& pixel) const {
  const QCPAxis* x = mParentPlot->xAxis;
  const QCPAxis* y = mParentPlot->yAxis;
  // Search in plot coordinates scaled to pixels: two multiplications a point.
  const double sx = x->coordToPixel(1) - x->coordToPixel(0);
  const double sy = y->coordToPixel(1) - y->coordToPixel(0);
  const double a = x->pixelToCoord(pixel.x()), b = y->pixelToCoord(pixel.y());
  int best = -1;
  double bestDistance = std::numeric_limits<double>::infinity();
  for (int k = 0; k < count_; ++k) {
    const double* p = base_ + static_cast<std::ptrdiff_t>(k) * stride_;
    const double dx = (p[across_] - a) * sx, dy = (p[up_] - b) * sy;
    const double d = dx * dx + dy * dy;
    if (d < bestDistance) {
      bestDistance = d;
      best = k;
    }
  }
  return best;
}

void PointCloud::applyDefaultAntialiasingHint(QCPPainter* painter) const {
  painter->setRenderHint(QPainter::Antialiasing, false);
}

QRect PointCloud::clipRect() const {
  return mParentPlot->axisRect()->rect();
}

PointCloud::View PointCloud::CurrentView(qreal ratio) const {
  return {mParentPlot->axisRect()->rect(), mParentPlot->xAxis->range(), mParentPlot->yAxis->range(), ratio};
}

void PointCloud::draw(QCPPainter* painter) {
  const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
  const View view = CurrentView(ratio);
  if (!valid_ || !(view == view_) || image_.isNull()) {
    view_ = view;
    const QSize size = (QSizeF(view.rect.size()) * ratio).toSize();
    if (image_.size() != size) image_ = QImage(size, QImage::Format_ARGB32_Premultiplied);
    image_.setDevicePixelRatio(ratio);
    image_.fill(Qt::transparent);
    stamped_ = 0;
    valid_ = true;
    ++fullRedraws_;
  }
  if (count_ > stamped_) Stamp(stamped_, count_);
  stamped_ = count_;
  painter->drawImage(view.rect.topLeft(), image_);
}

void PointCloud::Stamp(int from, int to) {
  if (image_.isNull() || !base_) return;
  const QCPRange& xr = view_.x;
  const QCPRange& yr = view_.y;
  const double w = image_.width(), h = image_.height();
  if (xr.size() == 0 || yr.size() == 0) return;
  // Linear axes: pixel = offset + value * scale, y growing downwards.
  const double sx = w / xr.size(), sy = h / yr.size();
  const QRgb rgb = colour_.rgba();
  const int width = image_.width(), height = image_.height();
  auto* bits = reinterpret_cast<QRgb*>(image_.bits());
  const qsizetype line = image_.bytesPerLine() / static_cast<qsizetype>(sizeof(QRgb));
  for (int k = from; k < to; ++k) {
    const double* p = base_ + static_cast<std::ptrdiff_t>(k) * stride_;
    const double fx = (p[across_] - xr.lower) * sx, fy = (yr.upper - p[up_]) * sy;
    if (!(fx > -3 && fx < w + 2 && fy > -3 && fy < h + 2)) continue;
    const int cx = static_cast<int>(std::floor(fx)), cy = static_cast<int>(std::floor(fy));
    for (int r = 0; r < 5; ++r) {
      const int py = cy + r - 2;
      if (py < 0 || py >= height) continue;
      QRgb* row = bits + py * line;
      const int x0 = std::max(cx - kDiscHalfWidth[r], 0), x1 = std::min(cx + kDiscHalfWidth[r], width - 1);
      for (int px = x0; px <= x1; ++px) row[px] = rgb;
    }
  }
}

}  // namespace trivolux
