#pragma once
// The text of the scope report, in print order: the title in 20 point, then
// at 10 point the program line, the sensor identification when there is one,
// an empty line, and the user's comment framed by "COMMENT:" and an empty
// line when there is one. The comment stays one entry with its line breaks.
#include <QString>
#include <vector>

namespace trivolux {

struct ReportLine {
  QString text;
  int pointSize = 10;
};

std::vector<ReportLine> ScopeReportLines(const QString& programTitle, const QString& identification,
                                         const QString& comment);

// The page field of the header line: "Page 2 of 3".
QString PageOfText(int page, int pages);

}  // namespace trivolux
