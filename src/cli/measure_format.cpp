#include "cli/measure_format.h"

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
}  // namespace

QByteArray IsoLocalTime(const QDateTime& when) {
  const int offset = when.offsetFromUtc();
  const int minutes = std::abs(offset) / 60;
  return when.toString(QStringLiteral("yyyy-MM-dd'T'HH:mm:ss.zzz")).toLatin1() + (offset < 0 ? '-' : '+') +
         QByteArray::number(minutes / 60).rightJustified(2, '0') + ':' +
         QByteArray::number(minutes % 60).rightJustified(2, '0');
}

QByteArray MeasureHeader(MeasureFormat format, const QString& panelId) {
  switch (format) {
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

QByteArray MeasureLine(MeasureFormat format, const QDateTime& when, const MeasurementRecord& record) {
  if (format == MeasureFormat::Record) return RecordLine(when, record);
  const bool csv = format == MeasureFormat::Csv;
  QByteArray line;
  line.reserve(256);
  line += csv ? IsoLocalTime(when) : "{\"time\":\"" + IsoLocalTime(when) + '"';
  for (int w = 0; w < MeasurementRecord::kWordCount; ++w) {
    line += ',';
    if (!csv) line += QByteArray("\"") + kWordNames[w] + "\":";
    line += QByteArray::number(record[w]);
  }
  line += csv ? "\n" : "}\n";
  return line;
}

}  // namespace trivolux::cli
