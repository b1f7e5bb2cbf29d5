#pragma once
// The sensor simulator as its own process, as a real sensor would be: the
// figures of a benchmark are the program's alone. TRIVOLUX_SIM_PATH is the
// simulator binary (a compile definition of the benchmark).
#include <QProcess>
#include <QStringList>

namespace trivolux::bench {

class SimProcess {
 public:
  explicit SimProcess(const QStringList& args) {
    process_.setProgram(QStringLiteral(TRIVOLUX_SIM_PATH));
    process_.setArguments(args);
    process_.start();
    while (process_.waitForReadyRead(5000)) {
      while (process_.canReadLine()) {
        const QString line = QString::fromUtf8(process_.readLine()).trimmed();
        if (line.startsWith("TCP ")) port_ = static_cast<quint16>(line.section(':', -1).toUInt());
        if (line.startsWith("PTY ")) pty_ = line.mid(4);
      }
      if (port_ != 0 && (pty_.size() > 0 || !args.contains("--pty"))) break;
    }
  }
  ~SimProcess() {
    if (process_.state() == QProcess::NotRunning) return;
    process_.terminate();
    process_.waitForFinished(3000);
  }
  quint16 port() const { return port_; }
  QString pty() const { return pty_; }
  // Ends the simulator and returns the automatic frames it sent by its own
  // count, the last line it prints on quitting; -1 when that line is missing.
  long long StopAndCountAutoFrames() {
    process_.terminate();
    process_.waitForFinished(3000);
    long long sent = -1;
    const QByteArray tag = "AUTO FRAMES SENT ";
    for (const QByteArray& line : process_.readAllStandardOutput().split('\n'))
      if (line.startsWith(tag)) sent = line.mid(tag.size()).trimmed().toLongLong();
    return sent;
  }

 private:
  QProcess process_;
  quint16 port_ = 0;
  QString pty_;
};

}  // namespace trivolux::bench
