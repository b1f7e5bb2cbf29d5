#include "record/record_file.h"

#include <QFile>
#include <cmath>

#include "ini/ini_file.h"
#include "ini/ini_text.h"

#ifdef _WIN32
#include <QFileInfo>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>
#endif

namespace trivolux {

namespace {
constexpr char kNotRegularFile[] = "Not a regular file";
}  // namespace

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

QByteArray RecordDateTime(const QDateTime& when) {
  return when.toString(QStringLiteral("MM-dd-yyyy\tHH:mm:ss")).toLatin1();
}

QByteArray RecordLine(const QDateTime& when, const MeasurementRecord& record) {
  return RecordLine(RecordDateTime(when), record);
}

QByteArray RecordLine(const QByteArray& dateTime, const MeasurementRecord& record) {
  QByteArray line = dateTime;
  line.reserve(dateTime.size() + 11 * 7 + 2);
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

#ifdef _WIN32

bool AppendRecordBytes(const QString& path, const QByteArray& bytes, QString* error) {
  const QFileInfo info(path);
  if (info.exists() && !info.isFile()) {
    *error = QString::fromLatin1(kNotRegularFile);
    return false;
  }
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Append)) {
    *error = file.errorString();
    return false;
  }
  const qint64 before = file.size();
  if (file.write(bytes) == bytes.size() && file.flush()) return true;
  *error = file.errorString();
  file.resize(before);
  return false;
}

#else

namespace {
QString SystemReason(int code) {
  return QString::fromStdString(std::generic_category().message(code));
}
}  // namespace

bool AppendRecordBytes(const QString& path, const QByteArray& bytes, QString* error) {
  const QByteArray name = QFile::encodeName(path);
  struct stat st {};
  // A pipe or device in the file's place would make the open wait for a
  // reader, or act on the device; only a regular file (or none yet) is opened.
  if (::stat(name.constData(), &st) == 0 && !S_ISREG(st.st_mode)) {
    *error = QString::fromLatin1(kNotRegularFile);
    return false;
  }
  // O_NONBLOCK: one put in place after the check still cannot make it wait.
  const int fd = ::open(name.constData(), O_WRONLY | O_APPEND | O_CREAT | O_NONBLOCK | O_CLOEXEC, 0666);
  if (fd < 0) {
    *error = SystemReason(errno);
    return false;
  }
  bool written = false;
  if (::fstat(fd, &st) != 0) {
    *error = SystemReason(errno);
  } else if (!S_ISREG(st.st_mode)) {
    *error = QString::fromLatin1(kNotRegularFile);
  } else {
    // One call writes the line; a short write (the disk full, the file size
    // limit) is followed by one for the rest, which fails with the reason,
    // and the file is cut back to where the line began: no torn line for
    // the next one to be glued onto.
    const char* data = bytes.constData();
    auto left = static_cast<std::size_t>(bytes.size());
    int reason = 0;
    while (left > 0 && reason == 0) {
      const ssize_t n = ::write(fd, data, left);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) {
        reason = n < 0 ? errno : ENOSPC;
      } else {
        data += n;
        left -= static_cast<std::size_t>(n);
      }
    }
    written = left == 0;
    if (!written) {
      *error = SystemReason(reason);
      if (::ftruncate(fd, st.st_size) != 0) *error += QStringLiteral(" (the line is incomplete)");
    }
  }
  if (::close(fd) != 0 && written) {
    *error = SystemReason(errno);
    written = false;
  }
  return written;
}

#endif

}  // namespace trivolux
