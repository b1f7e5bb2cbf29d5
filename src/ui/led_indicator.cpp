#include "ui/led_indicator.h"

#include <QPainter>

namespace trivolux {

LedIndicator::LedIndicator(QWidget* parent) : QWidget(parent) { setMinimumSize(12, 12); }

void LedIndicator::setOn(bool on) {
  if (on_ == on) return;
  on_ = on;
  update();
}

void LedIndicator::setOnColor(const QColor& c) {
  onColor_ = c;
  update();
}

void LedIndicator::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  const int d = qMin(width(), height()) - 2;
  const QRectF r((width() - d) / 2.0, (height() - d) / 2.0, d, d);
  p.setPen(QPen(Qt::black, 1));
  p.setBrush(on_ ? onColor_ : QColor(0x30, 0x30, 0x30));
  p.drawEllipse(r);
}

}  // namespace trivolux
