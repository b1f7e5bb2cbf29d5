// Writing INI text: a temporary "ini$$" file in the target's directory is
// written, flushed, synced and then renamed over the target in one atomic
// step, so the old file survives a failure or a crash at any point.
#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <new>

#include "ini/ini_text.h"

namespace trivolux {

namespace {

int ErrorFromErrno(int error) {
  switch (error) {
    case ENOSPC:
    case EDQUOT:
      return ini_error::kDiskFull;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case ENOENT:
    case ENOTDIR:
      return ini_error::kAccessDenied;
    default:
      return ini_error::kWriteError;
  }
}

std::string DirectoryOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

// Resolves a symbolic link so that the file it names is replaced, not the
// link. 0 or kAccessDenied (dangling link, unreachable path).
int ResolveTarget(const std::string& path, std::string* target) {
  struct stat info {};
  if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
    *target = path;
    return 0;
  }
  char resolved[PATH_MAX];
  if (::realpath(path.c_str(), resolved) == nullptr) return ini_error::kAccessDenied;
  *target = resolved;
  return 0;
}

// The target must be a writable regular file or not exist yet, in an existing
// writable directory. Sets mode to the permissions the new file gets.
int CheckWritable(const std::string& target, const std::string& directory, mode_t* mode) {
  struct stat info {};
  if (::stat(target.c_str(), &info) == 0) {
    if (!S_ISREG(info.st_mode) || ::access(target.c_str(), W_OK) != 0) return ini_error::kAccessDenied;
    *mode = info.st_mode & 07777;
  } else if (errno != ENOENT) {
    return ini_error::kAccessDenied;
  } else {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    *mode = 0666 & ~mask;
  }
  if (::stat(directory.c_str(), &info) != 0 || !S_ISDIR(info.st_mode) ||
      ::access(directory.c_str(), W_OK | X_OK) != 0) {
    return ini_error::kAccessDenied;
  }
  return 0;
}

int WriteAll(int fd, const std::string& text) {
  std::size_t done = 0;
  while (done < text.size()) {
    const ssize_t wrote = ::write(fd, text.data() + done, text.size() - done);
    if (wrote < 0 && errno == EINTR) continue;
    if (wrote < 0) return ErrorFromErrno(errno);
    if (wrote == 0) return ini_error::kWriteError;
    done += static_cast<std::size_t>(wrote);
  }
  return 0;
}

void SyncDirectory(const std::string& directory) {
  const int fd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);  // best effort: the rename itself already happened
  ::close(fd);
}

int WriteFileAtomically(const std::string& path, const std::string& text) {
  std::string target;
  int result = ResolveTarget(path, &target);
  if (result != 0) return result;
  const std::string directory = DirectoryOf(target);
  mode_t mode = 0;
  result = CheckWritable(target, directory, &mode);
  if (result != 0) return result;

  std::string temp = directory + "/ini$$XXXXXX";
  const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
  if (fd < 0) return ErrorFromErrno(errno);
  ::fchmod(fd, mode);  // a failure only leaves the file private (0600)
  result = WriteAll(fd, text);
  if (result == 0 && ::fsync(fd) != 0) result = ErrorFromErrno(errno);
  if (::close(fd) != 0 && result == 0) result = ErrorFromErrno(errno);
  if (result == 0 && ::rename(temp.c_str(), target.c_str()) != 0) result = ErrorFromErrno(errno);
  if (result != 0) {
    ::unlink(temp.c_str());
    return result;
  }
  SyncDirectory(directory);
  return 0;
}

}  // namespace

int IniText::WriteToFile(const QString& path) const {
  if (path.isEmpty()) return ini_error::kMissingArgument;
  try {
    return WriteFileAtomically(QFile::encodeName(path).toStdString(), ToText());
  } catch (const std::bad_alloc&) {
    return ini_error::kOutOfMemory;
  }
}

}  // namespace trivolux
