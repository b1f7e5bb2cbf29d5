#pragma once
// Standard error and standard output of trivolux-cli. Every message is one
// line "trivolux-cli: WHERE: TEXT" on standard error; the program's texts,
// written for a message box, are folded into that line. Progress is shown on
// standard error only when it is a terminal, and is cleared before a message.
#include <QByteArray>
#include <QElapsedTimer>
#include <QString>

namespace trivolux::cli {

// A message-box text as one line: line breaks and the blanks around them
// become one blank; the lines of a list after an empty line are joined with
// ", " ("... default value: POWER, GAIN").
QString OneLine(const QString& text);

// Prints "trivolux-cli: where: text" (where may be empty).
void PrintMessage(const QString& where, const QString& text);

// Writes all bytes to standard output at once (no buffering: a pipe sees
// every line as it is written). False when the output is gone.
bool WriteStdout(const QByteArray& bytes);

bool StderrIsTerminal();

// "label: done/total" (or "label: done" without a total) on one terminal
// line, redrawn at most ten times a second.
class Progress {
 public:
  Progress(QString label, long long total);
  ~Progress();
  Progress(const Progress&) = delete;
  Progress& operator=(const Progress&) = delete;
  void Show(long long done);
  void Clear();

 private:
  QString label_;
  long long total_;
  bool enabled_;
  bool shown_ = false;
  QElapsedTimer sinceDrawn_;
};

}  // namespace trivolux::cli
