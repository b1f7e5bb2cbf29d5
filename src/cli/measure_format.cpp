#include "cli/measure_format.h"

#include <QDateTime>
#include <cstdlib>

#include "base/version.h"
#include "record/record_file.h"

namespace trivolux::cli {

namespace {
// The 20 words in frame order; CSV and JSON name them alike.
constexpr const char* kWordNames[MeasurementRecord::kWordCount] = {
    "red",           "green",        "blue",           "x_s",
    "y_i",           "int_m",        "delta_c",        "color",
    "group",         "trigger",      "temp",           "raw_red",
    "raw_green",     "raw_blue",     "extreme1_red",   "extreme1_green",
    "extreme1_blue", "extreme2_red", "extreme2_green", "extreme2_blue"};

QByteArray TwoDigits(int v) {
  return QByteArray::number(v).rightJustified(2, '0');
}
}  // namespace

QByteArray MeasureFormatter::Header(const QString& panelId) const {
  switch (format_) {
    case MeasureFormat::Record:
      return RecordHeader(QString::fromLatin1(kProgramTitle), panelId);
    case MeasureFormat::Csv: {
      QByteArray header = "time";
      for (const char* name : kWordNames) header += QByteArray(",") + name;
      return header + '\n';
    }
    case MeasureFormat::Jsonl:
      break;
  }
  return {};
}

void MeasureFormatter::FormatSecond(qint64 second) {
  second_ = second;
  const QDateTime when = QDateTime::fromSecsSinceEpoch(second);
  if (format_ == MeasureFormat::Record) {
    dateTime_ = RecordDateTime(when);
    return;
  }
  dateTime_ = when.toString(QStringLiteral("yyyy-MM-dd'T'HH:mm:ss")).toLatin1();
  const int offset = when.offsetFromUtc();
  const int minutes = std::abs(offset) / 60;
  offset_ = (offset < 0 ? "-" : "+") + TwoDigits(minutes / 60) + ':' + TwoDigits(minutes % 60);
}

QByteArray MeasureFormatter::Line(qint64 msecsSinceEpoch, const MeasurementRecord& record) {
  const qint64 second = msecsSinceEpoch / 1000;
  if (second != second_) FormatSecond(second);
  if (format_ == MeasureFormat::Record) return RecordLine(dateTime_, record);
  const bool csv = format_ == MeasureFormat::Csv;
  QByteArray line;
  line.reserve(320);
  if (!csv) line += "{\"time\":\"";
  line += dateTime_;
  line += '.';
  line += QByteArray::number(msecsSinceEpoch % 1000).rightJustified(3, '0');
  line += offset_;
  if (!csv) line += '"';
  for (int w = 0; w < MeasurementRecord::kWordCount; ++w) {
    line += ',';
    if (!csv) {
      line += '"';
      line += kWordNames[w];
      line += "\":";
    }
    line += QByteArray::number(record[w]);
  }
  line += csv ? "\n" : "}\n";
  return line;
}

}  // namespace trivolux::cli
