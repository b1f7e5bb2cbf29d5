#pragma once
// The program's logo, drawn rather than loaded so that a missing image file
// cannot stop the start: three overlapping light discs (red, green, blue)
// and the word TRIVOLUX, white on the banner colour.
#include <QImage>
#include <QPixmap>
#include <QSize>

namespace trivolux {

QPixmap DrawLogo(QSize size);

// The desktop icon: the logo's emblem (discs and ring, no word) on a disc of
// the banner colour, side x side pixels, transparent corners. Needs no
// QGuiApplication, so a build step can render the icon sizes with it.
QImage DrawIcon(int side);

}  // namespace trivolux
