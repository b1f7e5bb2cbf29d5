#include "scope/scope_report.h"

#include <QFontMetricsF>
#include <QLocale>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QTextLayout>
#include <vector>

namespace trivolux {

namespace {

constexpr int kHeaderPointSize = 10;

QFont ReportFont(int pointSize) {
  QFont font(QStringLiteral("Arial"));
  font.setPointSize(pointSize);
  return font;
}

// One piece of the report placed on a page, in device pixels relative to the
// page's printable area.
struct Placed {
  int page = 0;
  QRectF rect;
  QString text;  // empty for the image and for empty lines
  int pointSize = 10;
  bool image = false;
};

class Layout {
 public:
  Layout(QPaintDevice& device, double width, double height)
      : device_(device), width_(width), height_(height) {
    headerHeight_ = QFontMetricsF(ReportFont(kHeaderPointSize), &device).lineSpacing() * 2;
    y_ = headerHeight_;
  }

  // One paragraph, placed line by line so that a page may end between any two
  // of its lines. Lines break between words, and inside a word that is wider
  // than the page (a comment without blanks stays whole).
  void AddText(const QString& text, int pointSize) {
    const QFont font = ReportFont(pointSize);
    const double lineHeight = QFontMetricsF(font, &device_).lineSpacing();
    if (text.isEmpty()) {
      Place(lineHeight, width_, QString(), pointSize, false);
      return;
    }
    QTextLayout layout(text, font, &device_);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
      line.setLineWidth(width_);
      Place(lineHeight, width_, text.mid(line.textStart(), line.textLength()), pointSize, false);
    }
    layout.endLayout();
  }

  void AddImage(const QSize& size) {
    if (size.isEmpty()) return;
    double w = width_;
    double h = w * size.height() / size.width();
    const double room = height_ - headerHeight_;
    if (h > room) {
      w = w * room / h;
      h = room;
    }
    Place(h, w, QString(), 0, true);
  }

  const std::vector<Placed>& items() const { return items_; }
  int pages() const { return page_ + 1; }
  double headerHeight() const { return headerHeight_; }

 private:
  void Place(double h, double w, const QString& text, int pointSize, bool image) {
    // An item taller than a whole page stays on the page it starts and is cut.
    if (y_ + h > height_ && y_ > headerHeight_) {
      ++page_;
      y_ = headerHeight_;
    }
    items_.push_back({page_, QRectF(0, y_, w, h), text, pointSize, image});
    y_ += h;
  }

  QPaintDevice& device_;
  double width_;
  double height_;
  double headerHeight_ = 0;
  double y_ = 0;
  int page_ = 0;
  std::vector<Placed> items_;
};

void PaintHeader(QPainter& painter, const QDateTime& at, int page, int pages, double width) {
  painter.setFont(ReportFont(kHeaderPointSize));
  const QLocale locale;
  const QRectF line(0, 0, width, QFontMetricsF(painter.font(), painter.device()).lineSpacing());
  painter.drawText(line, Qt::AlignLeft | Qt::AlignVCenter, locale.toString(at.date(), QLocale::ShortFormat));
  painter.drawText(line, Qt::AlignHCenter | Qt::AlignVCenter,
                   locale.toString(at.time(), QLocale::ShortFormat));
  painter.drawText(line, Qt::AlignRight | Qt::AlignVCenter, PageOfText(page, pages));
}

}  // namespace

bool PaintScopeReport(QPagedPaintDevice& device, const ScopeReport& report, QString* error) {
  const double width = device.width();
  const double height = device.height();
  Layout layout(device, width, height);
  for (const ReportLine& line : report.lines) {
    if (!line.text.contains(QLatin1Char('\n'))) {
      layout.AddText(line.text, line.pointSize);
      continue;
    }
    // A comment of several lines keeps its line breaks and may continue on
    // the next page between two of them.
    for (const QString& part : line.text.split(QLatin1Char('\n'))) layout.AddText(part, line.pointSize);
  }
  layout.AddImage(report.panel.size());

  QPainter painter;
  if (!painter.begin(&device)) {
    *error = QStringLiteral("The printer could not be opened.");
    return false;
  }
  int page = 0;
  PaintHeader(painter, report.printedAt, 1, layout.pages(), width);
  for (const Placed& item : layout.items()) {
    while (page < item.page) {
      if (!device.newPage()) {
        painter.end();
        *error = QStringLiteral("A new page could not be started.");
        return false;
      }
      ++page;
      PaintHeader(painter, report.printedAt, page + 1, layout.pages(), width);
    }
    if (item.image) {
      painter.drawImage(item.rect, report.panel);
    } else if (!item.text.isEmpty()) {
      painter.setFont(ReportFont(item.pointSize));
      painter.drawText(item.rect, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, item.text);
    }
  }
  if (!painter.end()) {
    *error = QStringLiteral("The output could not be finished.");
    return false;
  }
  return true;
}

}  // namespace trivolux
