#include "ui/logo.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>

namespace trivolux {

QPixmap DrawLogo(QSize size) {
  if (size.isEmpty()) size = QSize(180, 55);
  QPixmap pixmap(size);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  const int h = size.height();
  const qreal r = h * 0.26;
  const QPointF centre(h * 0.5, h * 0.5);
  // Additive-looking overlap of the three channels the sensor measures.
  p.setCompositionMode(QPainter::CompositionMode_Plus);
  const struct {
    qreal dx, dy;
    QColor colour;
  } discs[] = {{0, -r * 0.55, QColor(230, 40, 40)},
               {-r * 0.5, r * 0.35, QColor(40, 200, 60)},
               {r * 0.5, r * 0.35, QColor(50, 90, 255)}};
  for (const auto& d : discs) {
    p.setPen(Qt::NoPen);
    p.setBrush(d.colour);
    p.drawEllipse(centre + QPointF(d.dx, d.dy), r, r);
  }
  p.setCompositionMode(QPainter::CompositionMode_SourceOver);
  p.setPen(QPen(Qt::white, 1.5));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(centre, h * 0.46, h * 0.46);
  QFont font;
  font.setBold(true);
  font.setLetterSpacing(QFont::AbsoluteSpacing, 1.0);
  const QString word = QStringLiteral("TRIVOLUX");
  const int room = size.width() - h - 6;
  // Largest font that fits the room beside the emblem.
  for (int px = qMax(8, h * 2 / 5); px >= 8; --px) {
    font.setPixelSize(px);
    if (QFontMetrics(font).horizontalAdvance(word) <= room) break;
  }
  p.setFont(font);
  p.setPen(Qt::white);
  p.drawText(QRectF(h + 4, 0, room + 2, h), Qt::AlignVCenter | Qt::AlignLeft, word);
  return pixmap;
}

}  // namespace trivolux
