#pragma once
// A file that is written completely or not at all: the bytes go into a
// temporary file in the target's directory, which Commit flushes, syncs and
// renames over the target in one step. Until then the old target stays as it
// was, and a temporary that is not committed is removed. A symbolic link
// target keeps the link and replaces the file it leads to; the replacement
// keeps the old file's permissions (rw-r--r-- for a new file).
#include <QString>
#include <QTemporaryFile>
#include <chrono>
#include <system_error>

namespace trivolux {

class AtomicFile {
 public:
  enum class Error { None, AccessDenied, DiskFull, WriteError };

  // temporaryPrefix starts the temporary's name; six random letters follow.
  AtomicFile(const QString& target, const QString& temporaryPrefix);
  ~AtomicFile();
  AtomicFile(const AtomicFile&) = delete;
  AtomicFile& operator=(const AtomicFile&) = delete;

  // Checks the target (a writable regular file or none yet) and creates the
  // temporary, which stays locked while this object holds it (Unix; on
  // Windows an open file cannot be removed). AccessDenied for a target that cannot be replaced and for a
  // directory that is missing or not writable.
  bool Open();
  bool Write(const char* data, qint64 size);
  bool Write(const QByteArray& bytes) { return Write(bytes.constData(), bytes.size()); }
  // Hands the buffered bytes to the system (a reader of the temporary sees them).
  bool Flush();
  // Flush, sync to disk, rename over the target. After a failure nothing was
  // replaced and the temporary is gone.
  bool Commit();
  // Removes the temporary; the target stays as it was.
  void Discard();

  bool IsOpen() const { return file_.isOpen(); }
  Error error() const { return error_; }
  // The system's reason for the last failure.
  QString errorString() const { return errorString_; }

 private:
  bool Fail(Error error, const QString& reason);
  bool FailFromFile();
  bool FailFromCode(std::error_code error);

  QString requested_;
  QString target_;
  QString prefix_;
  QTemporaryFile file_;
  QFileDevice::Permissions permissions_;
  Error error_ = Error::None;
  QString errorString_;
};

// Removes the temporaries a killed writer left in directory: regular files
// named temporaryPrefix and six letters or digits, unchanged for minimumAge,
// that no live AtomicFile holds. Returns how many were removed.
int RemoveAbandonedTemporaries(const QString& directory, const QString& temporaryPrefix,
                               std::chrono::seconds minimumAge);

}  // namespace trivolux
