#include "ui/logo.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>

namespace trivolux {

namespace {

// The banner's colour, behind the emblem in the icon.
constexpr QRgb kIconBackdrop = 0x0080FF;

// The emblem in the square (0, 0, h, h): three discs added like light (the
// three channels the sensor measures) inside a white ring. The ring's pen is
// 1.5 px at the banner's 55 px and grows with h.
void PaintEmblem(QPainter& p, qreal h) {
  p.setRenderHint(QPainter::Antialiasing);
  const qreal r = h * 0.26;
  const QPointF centre(h * 0.5, h * 0.5);
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
  p.setPen(QPen(Qt::white, qMax(1.5, h * 1.5 / 55)));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(centre, h * 0.46, h * 0.46);
}

}  // namespace

QPixmap DrawLogo(QSize size) {
  if (size.isEmpty()) size = QSize(180, 55);
  QPixmap pixmap(size);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  const int h = size.height();
  PaintEmblem(p, h);
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

QImage DrawIcon(int side) {
  side = qMax(1, side);
  // The discs are added onto transparency first, as on the banner, so the
  // backdrop does not tint them.
  QImage emblem(side, side, QImage::Format_ARGB32_Premultiplied);
  emblem.fill(Qt::transparent);
  {
    QPainter p(&emblem);
    PaintEmblem(p, side);
  }
  QImage icon(side, side, QImage::Format_ARGB32_Premultiplied);
  icon.fill(Qt::transparent);
  QPainter p(&icon);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor::fromRgb(kIconBackdrop));
  p.drawEllipse(QRectF(0, 0, side, side).adjusted(0.5, 0.5, -0.5, -0.5));
  p.drawImage(0, 0, emblem);
  return icon;
}

}  // namespace trivolux
