// The atomic write, alike on Unix and Windows.
#include "base/atomic_file.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <filesystem>
#include <system_error>

#ifdef _WIN32
#include <io.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#endif

namespace trivolux {

namespace {

// Permissions of a file that did not exist before: rw-r--r--.
constexpr QFileDevice::Permissions kNewFilePermissions =
    QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther;

AtomicFile::Error ErrorFromCode(std::error_code error) {
  if (error == std::errc::no_space_on_device) return AtomicFile::Error::DiskFull;
#ifdef EDQUOT
  if (error == std::error_condition(EDQUOT, std::generic_category())) return AtomicFile::Error::DiskFull;
#endif
  if (error == std::errc::permission_denied || error == std::errc::operation_not_permitted ||
      error == std::errc::read_only_file_system || error == std::errc::is_a_directory ||
      error == std::errc::no_such_file_or_directory || error == std::errc::not_a_directory) {
    return AtomicFile::Error::AccessDenied;
  }
  return AtomicFile::Error::WriteError;
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

// A temporary held by a live writer carries its lock; the lock goes with the
// process, so a killed writer's temporary has none.
bool LockHeld(const QString& path) {
#ifdef _WIN32
  Q_UNUSED(path);
  return false;  // removing a file that is open fails on Windows
#else
  const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
  if (fd < 0) return true;  // cannot tell: leave it
  const bool held = ::flock(fd, LOCK_EX | LOCK_NB) != 0;
  ::close(fd);
  return held;
#endif
}

bool IsTemporaryName(const QString& name, const QString& prefix) {
  constexpr qsizetype kRandomChars = 6;
  if (name.size() != prefix.size() + kRandomChars || !name.startsWith(prefix)) return false;
  for (qsizetype i = prefix.size(); i < name.size(); ++i) {
    const char16_t c = name[i].unicode();
    if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))) return false;
  }
  return true;
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

}  // namespace

AtomicFile::AtomicFile(const QString& target, const QString& temporaryPrefix)
    : requested_(target), prefix_(temporaryPrefix) {}

AtomicFile::~AtomicFile() = default;  // QTemporaryFile removes an uncommitted temporary

bool AtomicFile::Fail(Error error, const QString& reason) {
  error_ = error;
  errorString_ = reason;
  Discard();
  return false;
}

// Qt reports ENOSPC as ResourceError and every other failed write as WriteError.
bool AtomicFile::FailFromFile() {
  switch (file_.error()) {
    case QFileDevice::ResourceError:
      return Fail(Error::DiskFull, file_.errorString());
    case QFileDevice::OpenError:
    case QFileDevice::PermissionsError:
      return Fail(Error::AccessDenied, file_.errorString());
    default:
      return Fail(Error::WriteError, file_.errorString());
  }
}

bool AtomicFile::FailFromCode(std::error_code error) {
  return Fail(ErrorFromCode(error), QString::fromLocal8Bit(error.message().c_str()));
}

bool AtomicFile::Open() {
  error_ = Error::None;
  errorString_.clear();
  target_ = ResolveTarget(requested_);
  if (requested_.isEmpty() || target_.isEmpty())
    return Fail(Error::AccessDenied, QStringLiteral("No file name"));
  const QFileInfo info(target_);
  // The directory is left to the creation of the temporary, which fails with
  // OpenError when it is missing or not writable: its read-only flag on
  // Windows only marks folders that Explorer customises.
  if (info.exists()) {
    if (!info.isFile()) return Fail(Error::AccessDenied, QStringLiteral("Not a regular file"));
    if (!info.isWritable()) return Fail(Error::AccessDenied, QStringLiteral("Permission denied"));
    permissions_ = info.permissions();
  } else {
    permissions_ = kNewFilePermissions;
  }
  // autoRemove (the default) deletes the temporary unless it was committed.
  file_.setFileTemplate(QDir(info.absolutePath()).filePath(prefix_ + QStringLiteral("XXXXXX")));
  file_.setAutoRemove(true);
  if (!file_.open()) return FailFromFile();
#ifndef _WIN32
  ::flock(file_.handle(), LOCK_EX | LOCK_NB);  // best effort: only the clean-up looks at it
#endif
  file_.setPermissions(permissions_);  // a failure only leaves the file private (0600)
  return true;
}

bool AtomicFile::Write(const char* data, qint64 size) {
  if (!file_.isOpen()) return false;
  // A write that fills the disk returns the part that fitted without an
  // error; writing the rest then fails with ResourceError.
  while (size > 0) {
    const qint64 wrote = file_.write(data, size);
    if (wrote <= 0) return FailFromFile();
    data += wrote;
    size -= wrote;
  }
  return true;
}

bool AtomicFile::Flush() {
  if (!file_.isOpen()) return false;
  return file_.flush() || FailFromFile();
}

bool AtomicFile::Commit() {
  if (!file_.isOpen()) return false;
  if (!file_.flush()) return FailFromFile();
  if (!SyncToDisk(file_.handle())) return FailFromCode(std::error_code(errno, std::generic_category()));
  const QString temporaryName = file_.fileName();
  file_.close();
  if (file_.error() != QFileDevice::NoError) return FailFromFile();
  std::error_code error;
  std::filesystem::rename(NativePath(temporaryName), NativePath(target_), error);
  if (error) return FailFromCode(error);
  // The name is free again and could belong to another save by now.
  file_.setAutoRemove(false);
  SyncDirectory(QFileInfo(target_).absolutePath());
  return true;
}

void AtomicFile::Discard() {
  if (file_.autoRemove() && !file_.fileName().isEmpty()) file_.remove();
}

int RemoveAbandonedTemporaries(const QString& directory, const QString& temporaryPrefix,
                               std::chrono::seconds minimumAge) {
  const QDateTime newest = QDateTime::currentDateTimeUtc().addSecs(-minimumAge.count());
  int removed = 0;
  // No name filter: a target's name may hold wildcard characters.
  const QFileInfoList entries = QDir(directory).entryInfoList(QDir::Files | QDir::Hidden | QDir::NoSymLinks);
  for (const QFileInfo& entry : entries) {
    if (!IsTemporaryName(entry.fileName(), temporaryPrefix) || entry.isSymbolicLink()) continue;
    if (entry.lastModified() > newest || LockHeld(entry.filePath())) continue;
    if (QFile::remove(entry.filePath())) ++removed;
  }
  return removed;
}

}  // namespace trivolux
