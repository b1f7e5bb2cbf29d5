#include "cli/console.h"

#include <QFile>
#include <QStringList>
#include <cstdio>

#ifdef _WIN32
#include <io.h>
#define TRIVOLUX_ISATTY _isatty
#else
#include <unistd.h>
#define TRIVOLUX_ISATTY isatty
#endif

namespace trivolux::cli {

namespace {
constexpr qint64 kRedrawMs = 100;
Progress* g_shown = nullptr;  // the progress line on the terminal now, if any

void WriteStderr(const QByteArray& bytes) {
  std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stderr);
  std::fflush(stderr);
}
}  // namespace

QString OneLine(const QString& text) {
  const qsizetype split = text.indexOf(QStringLiteral("\n\n"));
  if (split < 0) return text.simplified();
  QStringList items;
  for (const QString& line : text.mid(split + 2).split('\n'))
    if (!line.trimmed().isEmpty()) items << line.simplified();
  const QString head = text.left(split).simplified();
  return items.isEmpty() ? head : head + ' ' + items.join(QStringLiteral(", "));
}

void PrintMessage(const QString& where, const QString& text) {
  if (g_shown) g_shown->Clear();
  QString line = QStringLiteral("trivolux-cli: ");
  if (!where.isEmpty()) line += where + QStringLiteral(": ");
  WriteStderr((line + OneLine(text) + '\n').toLocal8Bit());
}

bool WriteStdout(const QByteArray& bytes) {
  static QFile out;
  if (!out.isOpen() &&
      !out.open(1, QIODevice::WriteOnly | QIODevice::Unbuffered, QFileDevice::DontCloseHandle))
    return false;
  return out.write(bytes) == bytes.size();
}

bool StderrIsTerminal() {
  return TRIVOLUX_ISATTY(2) != 0;
}

Progress::Progress(QString label, long long total)
    : label_(std::move(label)), total_(total), enabled_(StderrIsTerminal()) {}

Progress::~Progress() {
  Clear();
}

void Progress::Show(long long done) {
  if (!enabled_) return;
  if (shown_ && sinceDrawn_.isValid() && sinceDrawn_.elapsed() < kRedrawMs && done != total_) return;
  sinceDrawn_.start();
  QString text = QStringLiteral("\r%1: %2").arg(label_).arg(done);
  if (total_ > 0) text += QStringLiteral("/%1").arg(total_);
  WriteStderr(text.toLocal8Bit() + "\x1b[K");
  shown_ = true;
  g_shown = this;
}

void Progress::Clear() {
  if (!shown_) return;
  WriteStderr("\r\x1b[K");
  shown_ = false;
  if (g_shown == this) g_shown = nullptr;
}

}  // namespace trivolux::cli
