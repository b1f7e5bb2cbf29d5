// Build step: renders the desktop icon into the PNG sizes of the hicolor
// theme, OUTDIR/<n>x<n>/apps/NAME.png for each size given.
//   trivolux-render-icons OUTDIR NAME SIZE...
#include <QDir>
#include <QImage>
#include <cstdio>
#include <cstdlib>

#include "ui/logo.h"

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: trivolux-render-icons OUTDIR NAME SIZE...\n");
    return 2;
  }
  const QString outDir = QString::fromLocal8Bit(argv[1]);
  const QString name = QString::fromLocal8Bit(argv[2]);
  for (int i = 3; i < argc; ++i) {
    const int side = std::atoi(argv[i]);
    if (side < 16 || side > 1024) {
      std::fprintf(stderr, "trivolux-render-icons: size %s outside 16..1024\n", argv[i]);
      return 2;
    }
    const QString dir = QStringLiteral("%1/%2x%2/apps").arg(outDir).arg(side);
    const QString file = QStringLiteral("%1/%2.png").arg(dir, name);
    if (!QDir().mkpath(dir) || !trivolux::DrawIcon(side).save(file, "PNG")) {
      std::fprintf(stderr, "trivolux-render-icons: cannot write %s\n", qPrintable(file));
      return 1;
    }
  }
  return 0;
}
