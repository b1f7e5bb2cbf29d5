#include "cli_fixture.h"

#include <QEventLoop>
#include <QFile>
#include <QTimer>

namespace trivolux::cli::test {

CliRun RunCli(const QStringList& args, const std::function<void(QProcess&)>& whileRunning) {
  CliRun run;
  QProcess process;
  QEventLoop loop;
  QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
  QObject::connect(&process, &QProcess::errorOccurred, &loop, &QEventLoop::quit);
  QTimer::singleShot(30000, &loop, &QEventLoop::quit);
  process.start(QStringLiteral(TRIVOLUX_CLI_EXE), args);
  if (!process.waitForStarted(5000)) return run;
  if (whileRunning) whileRunning(process);
  if (process.state() != QProcess::NotRunning) loop.exec();
  run.finished = process.state() == QProcess::NotRunning && process.exitStatus() == QProcess::NormalExit;
  if (!run.finished) {
    process.kill();
    process.waitForFinished(3000);
  }
  run.exitCode = process.exitCode();
  run.out = process.readAllStandardOutput();
  run.err = process.readAllStandardError();
  return run;
}

QByteArray ReadFile(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void WriteFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
  file.write(bytes);
}

void CliTest::SetUp() {
  sim::SimOptions options;
  options.target = std::array<int, 3>{1200, 1000, 800};
  sim_ = std::make_unique<sim::Simulator>(options);
  port_ = sim_->ListenTcp();
  ASSERT_NE(port_, 0);
  ASSERT_TRUE(dir_.isValid());
}

QStringList CliTest::Tcp() const {
  return {QStringLiteral("--tcp"), QStringLiteral("127.0.0.1:%1").arg(port_)};
}

QStringList CliTest::Pty() {
  if (pty_.isEmpty()) pty_ = sim_->OpenPty();
  return {QStringLiteral("--serial"), pty_};
}

int CliTest::RequestsOf(std::uint8_t order) const {
  int n = 0;
  for (const sim::RequestRecord& r : sim_->Requests()) n += r.order == order;
  return n;
}

}  // namespace trivolux::cli::test
