#pragma once
// A scatter layer for tens of thousands of points that stays cheap while
// points are added: the points are stamped into an image of the axis rect
// once, and a replot only stamps the points added since the last one and
// blits the image. The whole image is redrawn only when the axis ranges, the
// rect size or the point source change. Markers are 5 px discs written as
// pixels, not painted shapes.
#include <QColor>
#include <QImage>
#include <QPointF>
#include <QRect>

#include "qcustomplot.h"

namespace trivolux {

class PointCloud : public QCPLayerable {
  Q_OBJECT
 public:
  PointCloud(QCustomPlot* plot, const QColor& colour);

  // Point k is (base[k * stride + across], base[k * stride + up]); the
  // memory belongs to the caller and must outlive the cloud.
  void SetSource(const double* base, int stride, int across, int up);
  // Points 0..n-1 are shown. A smaller count redraws the image (the entries
  // behind it may be overwritten later); a larger one stamps the new points.
  void SetCount(int n);
  int Count() const { return count_; }
  QPointF Coords(int k) const;
  // The point nearest to a widget pixel position (in pixels), -1 when empty.
  int Nearest(const QPointF& pixel) const;
  // Forces a full redraw of the image at the next replot.
  void Invalidate() { valid_ = false; }
  // Full image redraws since construction (for tests and benchmarks).
  long long FullRedraws() const { return fullRedraws_; }

 protected:
  void applyDefaultAntialiasingHint(QCPPainter* painter) const override;
  void draw(QCPPainter* painter) override;
  QRect clipRect() const override;

 private:
  struct View {
    QRect rect;
    QCPRange x, y;
    qreal ratio = 1;
    bool operator==(const View& o) const {
      return rect == o.rect && x == o.x && y == o.y && ratio == o.ratio;
    }
  };
  View CurrentView(qreal ratio) const;
  void Stamp(int from, int to);

  QColor colour_;
  const double* base_ = nullptr;
  int stride_ = 1, across_ = 0, up_ = 0;
  int count_ = 0;
  int stamped_ = 0;
  bool valid_ = false;
  View view_;
  QImage image_;
  long long fullRedraws_ = 0;
};

}  // namespace trivolux
