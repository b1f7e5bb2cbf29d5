#pragma once
// The real trivolux-cli binary (TRIVOLUX_CLI_EXE) against the simulator
// running in this process: the test's event loop serves the simulator while
// the command runs, so faults can be switched and requests counted.
#include <gtest/gtest.h>

#include <QProcess>
#include <QTemporaryDir>
#include <functional>
#include <memory>

#include "sim/simulator.h"

namespace trivolux::cli::test {

struct CliRun {
  int exitCode = -1;
  QByteArray out;
  QByteArray err;
  bool finished = false;
};

// Runs the command to its end (at most 30 s); whileRunning is called once
// the process has started, with the process, and the loop keeps running.
CliRun RunCli(const QStringList& args, const std::function<void(QProcess&)>& whileRunning = {});

QByteArray ReadFile(const QString& path);
void WriteFile(const QString& path, const QByteArray& bytes);

class CliTest : public ::testing::Test {
 protected:
  void SetUp() override;
  // --tcp 127.0.0.1:PORT of the simulator.
  QStringList Tcp() const;
  // --serial of the simulator's pseudo-terminal (opened on first use).
  QStringList Pty();
  QString Path(const QString& name) const { return dir_.filePath(name); }
  // Requests of one order the simulator has answered.
  int RequestsOf(std::uint8_t order) const;

  std::unique_ptr<sim::Simulator> sim_;
  quint16 port_ = 0;
  QString pty_;
  QTemporaryDir dir_;
};

}  // namespace trivolux::cli::test
