#include "scope/scope_report_lines.h"

namespace trivolux {

std::vector<ReportLine> ScopeReportLines(const QString& programTitle, const QString& identification,
                                         const QString& comment) {
  std::vector<ReportLine> lines{{QStringLiteral("Scope Screen Shot"), 20}, {programTitle, 10}};
  if (!identification.isEmpty()) lines.push_back({QStringLiteral("PANEL ID: ") + identification, 10});
  lines.push_back({QString(), 10});
  if (!comment.isEmpty()) {
    lines.push_back({QStringLiteral("COMMENT:"), 10});
    lines.push_back({comment, 10});
    lines.push_back({QString(), 10});
  }
  return lines;
}

QString PageOfText(int page, int pages) {
  return QStringLiteral("Page %1 of %2").arg(page).arg(pages);
}

}  // namespace trivolux
