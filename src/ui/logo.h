#pragma once
// The program's logo, drawn rather than loaded so that a missing image file
// cannot stop the start: three overlapping light discs (red, green, blue)
// and the word TRIVOLUX, white on the banner colour.
#include <QPixmap>
#include <QSize>

namespace trivolux {

QPixmap DrawLogo(QSize size);

}  // namespace trivolux
