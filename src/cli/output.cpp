#include "cli/output.h"

#include <QDir>
#include <QFileInfo>

#include "cli/console.h"

namespace trivolux::cli {

namespace {
// As the program's start-up clean-up of its INI temporaries.
constexpr std::chrono::seconds kAbandonedTemporaryAge{60};
}  // namespace

Output::Output(const QString& path, Kind kind) : path_(path) {
  if (path.isEmpty() || path == QStringLiteral("-")) return;
  // A temporary that a killed run leaves behind shows what it belonged to.
  const QString prefix =
      kind == Kind::Ini ? QStringLiteral("ini$$") : QStringLiteral(".%1.").arg(QFileInfo(path).fileName());
  file_ = std::make_unique<AtomicFile>(path, prefix);
  prefix_ = prefix;
}

Output::~Output() = default;

bool Output::Report() {
  PrintMessage(QDir::toNativeSeparators(path_),
               QStringLiteral("cannot write the file: ") + file_->errorString());
  return false;
}

bool Output::Open() {
  if (!file_) return true;
  // What a killed run (SIGKILL, power loss) left of an earlier result for
  // this directory goes first; the age spares the program's own INI writes
  // in progress, the lock a run still writing.
  RemoveAbandonedTemporaries(QFileInfo(path_).absolutePath(), prefix_, kAbandonedTemporaryAge);
  return file_->Open() || Report();
}

bool Output::Write(const QByteArray& bytes) {
  if (!file_) {
    if (WriteStdout(bytes)) return true;
    PrintMessage(QString(), QStringLiteral("cannot write to standard output"));
    return false;
  }
  return file_->Write(bytes) || Report();
}

bool Output::Commit() {
  if (!file_) return true;
  return file_->Commit() || Report();
}

void Output::Discard() {
  if (file_) file_->Discard();
}

}  // namespace trivolux::cli
