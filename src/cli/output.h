#pragma once
// Where a command's result goes: standard output, or a file written through
// a temporary file in its directory that replaces it only when the result is
// complete, so a failure never leaves a half-written file. The temporary is
// created before the sensor is asked anything: a directory that is missing
// or not writable is reported before any request goes out. Temporaries of
// the same kind that a killed run left in the directory are removed then.
#include <QByteArray>
#include <QString>
#include <memory>

#include "base/atomic_file.h"

namespace trivolux::cli {

class Output {
 public:
  enum class Kind { Ini, Stream };
  // path empty or "-": standard output, where every Write goes out at once
  // (streams into pipes). An INI file's temporary is named like the INI
  // writer's ("ini$$..."), a stream's after the target (".NAME.XXXXXX").
  Output(const QString& path, Kind kind);
  ~Output();

  bool ToStdout() const { return !file_; }
  QString Path() const { return path_; }
  // Creates the temporary; false (reported) when the target cannot be written.
  bool Open();
  bool Write(const QByteArray& bytes);
  // Replaces the target with what was written; false (reported) on failure.
  bool Commit();
  void Discard();

 private:
  bool Report();

  QString path_;
  QString prefix_;
  std::unique_ptr<AtomicFile> file_;
};

}  // namespace trivolux::cli
