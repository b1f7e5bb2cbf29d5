// File I/O of IniText through Qt, alike on Unix and Windows: reading regular
// files, the atomic write through a temporary file and the clean-up of
// temporaries left by a killed save.
#include "ini/ini_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <new>

#include "base/atomic_file.h"
#include "ini/ini_text.h"

namespace trivolux {

namespace {

// QTemporaryFile replaces the six X with letters; older versions of this
// store used letters and digits.
constexpr char kTemporaryPrefix[] = "ini$$";

int IniErrorOf(AtomicFile::Error error) {
  switch (error) {
    case AtomicFile::Error::None:
      return 0;
    case AtomicFile::Error::AccessDenied:
      return ini_error::kAccessDenied;
    case AtomicFile::Error::DiskFull:
      return ini_error::kDiskFull;
    case AtomicFile::Error::WriteError:
      break;
  }
  return ini_error::kWriteError;
}

int WriteFileAtomically(const QString& path, const std::string& text) {
  AtomicFile file(path, QLatin1String(kTemporaryPrefix));
  if (!file.Open() || !file.Write(text.data(), static_cast<qint64>(text.size())) || !file.Commit())
    return IniErrorOf(file.error());
  return 0;
}

// Reads a whole regular file: 0, kCannotOpen or kFileTooLarge. Devices, pipes
// and directories are refused before opening, so reading neither blocks nor
// runs forever; a file that grows past the limit while read is refused too.
int ReadRegularFile(const QString& path, std::string* bytes) {
  const QFileInfo info(path);
  if (!info.isFile()) return ini_error::kCannotOpen;
  if (info.size() > kIniMaxFileSize) return ini_error::kFileTooLarge;
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly) || file.isSequential()) return ini_error::kCannotOpen;
  bytes->reserve(static_cast<std::size_t>(info.size()));
  char chunk[16384];
  for (;;) {
    const qint64 got = file.read(chunk, sizeof chunk);
    if (got < 0) return ini_error::kCannotOpen;
    if (got == 0) return 0;
    if (static_cast<std::int64_t>(bytes->size()) + got > kIniMaxFileSize) return ini_error::kFileTooLarge;
    bytes->append(chunk, static_cast<std::size_t>(got));
  }
}

}  // namespace

int IniText::WriteToFile(const QString& path) const {
  if (path.isEmpty()) return ini_error::kMissingArgument;
  try {
    return WriteFileAtomically(path, ToText());
  } catch (const std::bad_alloc&) {
    return ini_error::kOutOfMemory;
  }
}

int ReplaceFileContents(const QString& path, const std::string& bytes) {
  if (path.isEmpty()) return ini_error::kMissingArgument;
  try {
    return WriteFileAtomically(path, bytes);
  } catch (const std::bad_alloc&) {
    return ini_error::kOutOfMemory;
  }
}

int IniText::ReadFromFile(const QString& path) {
  if (path.isEmpty()) return ini_error::kCannotOpen;
  try {
    std::string bytes;
    const int result = ReadRegularFile(path, &bytes);
    return result != 0 ? result : Parse(bytes);
  } catch (const std::bad_alloc&) {
    return ini_error::kOutOfMemory;
  }
}

QString IniReadErrorText(int code, const QString& path) {
  const QString file = QDir::toNativeSeparators(path);
  switch (code) {
    case 0:
      return {};
    case ini_error::kFileTooLarge:
      return QStringLiteral(
                 "The file \"%1\" is larger than %2 MiB and was not read. "
                 "It is damaged or not a settings or parameter file.")
          .arg(file, QString::number(kIniMaxFileSize >> 20));
    case ini_error::kCannotOpen:
      return QStringLiteral("The file \"%1\" cannot be opened for reading.").arg(file);
    case ini_error::kOutOfMemory:
      return QStringLiteral("There is not enough memory to read the file \"%1\".").arg(file);
    default:
      return QStringLiteral("The file \"%1\" could not be read (error %2).").arg(file, QString::number(code));
  }
}

int RemoveStaleIniTemporaries(const QString& directory, std::chrono::seconds minimumAge) {
  return RemoveAbandonedTemporaries(directory, QLatin1String(kTemporaryPrefix), minimumAge);
}

}  // namespace trivolux
