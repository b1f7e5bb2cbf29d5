#pragma once
// Paints the scope report on a paged device (a printer or a PDF writer): on
// every page a header line with the date, the time and "Page n of m"; then the
// report's lines and the image of the scope graph panel, scaled to the page
// width with its aspect kept (and down to the page height if it is taller).
// Text wraps between words, and anywhere in a word wider than the page; an
// item that does not fit the rest of a page starts the next page, and the
// comment may break between any two of its printed lines.
#include <QDateTime>
#include <QImage>
#include <QString>
#include <vector>

#include "scope/scope_report_lines.h"

class QPagedPaintDevice;

namespace trivolux {

struct ScopeReport {
  std::vector<ReportLine> lines;
  QImage panel;
  QDateTime printedAt;
};

// Returns false, with the reason in *error, when the device cannot be opened,
// a page cannot be started or the output cannot be finished.
bool PaintScopeReport(QPagedPaintDevice& device, const ScopeReport& report, QString* error);

}  // namespace trivolux
