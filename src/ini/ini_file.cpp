// File I/O of IniText through Qt, alike on Unix and Windows: reading regular
// files, the atomic write through a temporary file and the clean-up of
// temporaries left by a killed save.
#include "ini/ini_file.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <cerrno>
#include <filesystem>
#include <new>
#include <system_error>

#ifdef _WIN32
#include <io.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

#include "ini/ini_text.h"

namespace trivolux {

namespace {

// QTemporaryFile replaces the six X with letters; older versions of this
// store used letters and digits.
constexpr char kTemporaryPrefix[] = "ini$$";
constexpr int kTemporaryRandomChars = 6;

// Permissions of a file that did not exist before: rw-r--r--.
constexpr QFileDevice::Permissions kNewFilePermissions =
    QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther;

int ErrorFromCode(std::error_code error) {
  if (error == std::errc::no_space_on_device) return ini_error::kDiskFull;
#ifdef EDQUOT
  if (error == std::error_condition(EDQUOT, std::generic_category())) return ini_error::kDiskFull;
#endif
  if (error == std::errc::permission_denied || error == std::errc::operation_not_permitted ||
      error == std::errc::read_only_file_system || error == std::errc::is_a_directory ||
      error == std::errc::no_such_file_or_directory || error == std::errc::not_a_directory) {
    return ini_error::kAccessDenied;
  }
  return ini_error::kWriteError;
}

// Qt reports ENOSPC as ResourceError and every other failed write as WriteError.
int ErrorFromFile(const QFileDevice& file) {
  switch (file.error()) {
    case QFileDevice::ResourceError:
      return ini_error::kDiskFull;
    case QFileDevice::OpenError:
    case QFileDevice::PermissionsError:
      return ini_error::kAccessDenied;
    default:
      return ini_error::kWriteError;
  }
}

// Moves the file's data from the cache to the disk, so that the rename can
// never publish a file whose content a power loss would still take away.
bool SyncToDisk(int fd) {
#ifdef _WIN32
  return ::_commit(fd) == 0;
#else
  return ::fsync(fd) == 0;
#endif
}

// Makes the rename itself durable on Unix. Windows offers no way to sync a
// directory; NTFS journals the rename.
void SyncDirectory([[maybe_unused]] const QString& directory) {
#ifndef _WIN32
  const int fd = ::open(QFile::encodeName(directory).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);  // best effort: the rename already happened
  ::close(fd);
#endif
}

std::filesystem::path NativePath(const QString& path) {
#ifdef _WIN32
  return std::filesystem::path(path.toStdWString());
#else
  return std::filesystem::path(QFile::encodeName(path).toStdString());
#endif
}

// The file to replace: for a symbolic link the file it finally leads to, so
// that the link stays. Empty for a link that leads nowhere.
QString ResolveTarget(const QString& path) {
  const QFileInfo info(path);
  return info.isSymbolicLink() ? info.canonicalFilePath() : path;
}

// The target must be a writable regular file or not exist yet; sets the
// permissions of the replacement. The directory is left to the creation of
// the temporary, which fails with OpenError (kAccessDenied) when it is
// missing or not writable: its read-only flag on Windows only marks folders
// that Explorer customises.
int CheckTarget(const QFileInfo& target, QFileDevice::Permissions* permissions) {
  if (!target.exists()) {
    *permissions = kNewFilePermissions;
    return 0;
  }
  if (!target.isFile() || !target.isWritable()) return ini_error::kAccessDenied;
  *permissions = target.permissions();
  return 0;
}

// A write that fills the disk returns the part that fitted without an error;
// writing the rest then fails with ResourceError.
bool WriteAll(QFileDevice& file, const std::string& text) {
  const char* data = text.data();
  auto left = static_cast<qint64>(text.size());
  while (left > 0) {
    const qint64 wrote = file.write(data, left);
    if (wrote <= 0) return false;
    data += wrote;
    left -= wrote;
  }
  return file.flush();
}

int WriteFileAtomically(const QString& path, const std::string& text) {
  const QString target = ResolveTarget(path);
  if (target.isEmpty()) return ini_error::kAccessDenied;
  const QFileInfo info(target);
  QFileDevice::Permissions permissions;
  const int checked = CheckTarget(info, &permissions);
  if (checked != 0) return checked;

  const QString directory = info.absolutePath();
  // autoRemove (the default) deletes the temporary on every early return.
  QTemporaryFile temporary(
      QDir(directory).filePath(QLatin1String(kTemporaryPrefix) + QStringLiteral("XXXXXX")));
  if (!temporary.open()) return ErrorFromFile(temporary);
  temporary.setPermissions(permissions);  // a failure only leaves the file private (0600)
  if (!WriteAll(temporary, text)) return ErrorFromFile(temporary);
  if (!SyncToDisk(temporary.handle())) return ErrorFromCode(std::error_code(errno, std::generic_category()));
  const QString temporaryName = temporary.fileName();
  temporary.close();
  if (temporary.error() != QFileDevice::NoError) return ErrorFromFile(temporary);

  std::error_code error;
  std::filesystem::rename(NativePath(temporaryName), NativePath(target), error);
  if (error) return ErrorFromCode(error);
  // The name is free again and could belong to another save by now.
  temporary.setAutoRemove(false);
  SyncDirectory(directory);
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

bool IsTemporaryName(const QString& name) {
  const QLatin1String prefix(kTemporaryPrefix);
  if (name.size() != prefix.size() + kTemporaryRandomChars || !name.startsWith(prefix)) return false;
  for (qsizetype i = prefix.size(); i < name.size(); ++i) {
    const char16_t c = name[i].unicode();
    const bool letterOrDigit = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
    if (!letterOrDigit) return false;
  }
  return true;
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
  const QDateTime newest = QDateTime::currentDateTimeUtc().addSecs(-minimumAge.count());
  int removed = 0;
  // The name filter ignores case; IsTemporaryName decides.
  const QFileInfoList entries = QDir(directory).entryInfoList(
      {QLatin1String(kTemporaryPrefix) + QStringLiteral("*")}, QDir::Files | QDir::Hidden | QDir::NoSymLinks);
  for (const QFileInfo& entry : entries) {
    if (!IsTemporaryName(entry.fileName()) || !entry.isFile() || entry.isSymbolicLink()) continue;
    if (entry.lastModified() > newest) continue;
    if (QFile::remove(entry.filePath())) ++removed;
  }
  return removed;
}

}  // namespace trivolux
