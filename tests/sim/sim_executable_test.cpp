// The trivolux-sensor-sim executable as a child process: command line,
// readiness lines on stdout, fault options, and a clean end on SIGTERM.
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <csignal>

#include "sim_fixture.h"

namespace trivolux::sim::test {
namespace {

// Starts the simulator and returns the value of its "<tag> ..." line.
QString StartAndRead(QProcess& process, const QStringList& args, const QString& tag) {
  process.start(QStringLiteral(TRIVOLUX_SIM_EXE), args);
  if (!process.waitForStarted(5000)) return {};
  QString line;
  WaitUntil(
      [&] {
        while (process.canReadLine()) {
          const QString l = QString::fromLocal8Bit(process.readLine()).trimmed();
          if (l.startsWith(tag + ' ')) line = l.mid(tag.size() + 1);
        }
        return !line.isEmpty() || process.state() == QProcess::NotRunning;
      },
      5000);
  return line;
}

void Stop(QProcess& process) {
  ::kill(static_cast<pid_t>(process.processId()), SIGTERM);
  ASSERT_TRUE(process.waitForFinished(5000));
  EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(process.exitCode(), 0);
}

TEST(SimExecutable, TcpWithOptionsAndFaults) {
  QProcess process;
  const QString address = StartAndRead(process,
                                       {"--tcp", "127.0.0.1:0", "--serial", "99", "--version-mismatch",
                                        "--implausible", "2", "--drop-nth", "2"},
                                       "TCP");
  ASSERT_FALSE(address.isEmpty()) << process.readAllStandardError().toStdString();
  SimClient client;
  ASSERT_TRUE(client.ConnectTcp(static_cast<quint16>(address.section(':', 1).toUInt())));
  auto a = client.Exchange(order::kIdentify, 0);
  ASSERT_TRUE(a);
  EXPECT_EQ(a->header.param, 99);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(a->data.data())), "TRIVOLUX VR V1.3.0  SIMULATOR");
  client.Write(Request(order::kMeasure, 0));                            // dropped
  EXPECT_EQ(client.Exchange(order::kEepromToRam, 0)->header.param, 2);  // answered first
  Stop(process);
}

TEST(SimExecutable, PtyLinkAndEepromFile) {
  QTemporaryDir dir;
  const QString link = dir.filePath("ttyTRIVOLUX");
  const QString eeprom = dir.filePath("eeprom.ini");
  QProcess process;
  const QString device =
      StartAndRead(process, {"--pty-link", link, "--eeprom", eeprom, "--target", "1,2,3"}, "PTY");
  ASSERT_FALSE(device.isEmpty()) << process.readAllStandardError().toStdString();
  {
    SimClient client;
    ASSERT_TRUE(client.OpenDevice(link));
    auto m = client.Exchange(order::kMeasure, 0);
    ASSERT_TRUE(m);
    EXPECT_NEAR(Word(*m, 11), 39, 4);
    EXPECT_EQ(client.Exchange(order::kRamToEeprom, 0)->header.order, order::kRamToEeprom);
  }
  Stop(process);
  EXPECT_TRUE(QFile::exists(eeprom));
  EXPECT_FALSE(QFileInfo::exists(link)) << "the symlink goes with the simulator";
}

TEST(SimExecutable, RefusesBadArguments) {
  for (const QStringList& args : {QStringList{"--target", "1,2"}, QStringList{"--tcp", "nohost"},
                                  QStringList{"--serial", "70000"}, QStringList{"--split", "x"}}) {
    QProcess process;
    process.start(QStringLiteral(TRIVOLUX_SIM_EXE), args);
    ASSERT_TRUE(process.waitForFinished(5000));
    EXPECT_EQ(process.exitCode(), 2) << args.join(' ').toStdString();
    EXPECT_FALSE(process.readAllStandardError().isEmpty());
  }
}

}  // namespace
}  // namespace trivolux::sim::test
