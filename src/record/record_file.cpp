#include "record/record_file.h"

#include <QFile>
#include <cmath>

#include "ini/ini_file.h"
#include "ini/ini_text.h"

namespace trivolux {

RecordTime RecordTimeFor(double interval, int values) {
  const double total = interval * values;
  RecordTime t;
  t.days = static_cast<int>(std::trunc(total / 86400));
  double rest = total - t.days * 86400.0;
  t.hours = static_cast<int>(std::trunc(rest / 3600));
  rest -= t.hours * 3600.0;
  t.minutes = static_cast<int>(std::trunc(rest / 60));
  t.seconds = rest - t.minutes * 60.0;
  return t;
}

QByteArray RecordHeader(const QString& programTitle, const QString& panelId) {
  QByteArray h = "\nRECORD RESULTS OF: " + programTitle.toLatin1() + "\r\n";
  if (!panelId.isEmpty()) h += "PANEL ID: " + panelId.toLatin1() + "\r\n";
  h += "\r\nDATE\tTIME\tRED\tGREEN\tBLUE\tX s\tY i\tINT M\tdelta C\tCOLOR\tGROUP\tTRIGGER\tTEMP\r\n";
  return h;
}

QByteArray RecordLine(const QDateTime& when, const MeasurementRecord& record) {
  QByteArray line = when.toString(QStringLiteral("MM-dd-yyyy\tHH:mm:ss")).toLatin1();
  for (int w = MeasurementRecord::kRed; w <= MeasurementRecord::kTemp; ++w) {
    line += '\t';
    line += QByteArray::number(record[w]);
  }
  line += "\r\n";
  return line;
}

bool ReplaceRecordFile(const QString& path, const QByteArray& bytes, QString* error) {
  const int result = ReplaceFileContents(path, bytes.toStdString());
  switch (result) {
    case 0:
      return true;
    case ini_error::kDiskFull:
      *error = QStringLiteral("The disk is full.");
      break;
    case ini_error::kAccessDenied:
      *error = QStringLiteral("The file or its directory cannot be written.");
      break;
    default:
      *error = QStringLiteral("The file could not be written (error %1).").arg(result);
  }
  return false;
}

bool AppendRecordBytes(const QString& path, const QByteArray& bytes, QString* error) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Append)) {
    *error = file.errorString();
    return false;
  }
  const bool written = file.write(bytes) == bytes.size() && file.flush();
  if (!written) *error = file.errorString();
  file.close();
  if (written && file.error() != QFileDevice::NoError) {
    *error = file.errorString();
    return false;
  }
  return written;
}

}  // namespace trivolux
