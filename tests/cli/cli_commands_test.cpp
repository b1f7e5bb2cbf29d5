// trivolux-cli against the simulator: what each command does on a good link.
#include <QDateTime>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <csignal>

#include "base/version.h"
#include "calib/calibration.h"
#include "calib/hw_info_file.h"
#include "cli_fixture.h"
#include "ini/ini_text.h"
#include "link/orders.h"
#include "params/parameter_file.h"
#include "record/record_file.h"
#include "sim_client.h"

namespace trivolux::cli::test {
namespace {

// A set the sensor's plausibility check accepts, unlike the defaults in every word.
ParameterSet DistinctSet() {
  ParameterSet set;
  for (int i = 0; i < kParamWordCount; ++i) set.block[i] = kParamDefaults[i];
  set.block[kPower] = 730;
  set.block[kGain] = 3;
  set.block[kMaxVecNo] = 12;
  set.block[kIntlim] = 40000;
  for (int r = 0; r < kTeachRows; ++r)
    for (int w = 0; w < kReserved; ++w)
      set.table[r][w] = static_cast<std::uint16_t>(r * 10 + w + (w == kGroup ? 0 : 100));
  for (int r = 0; r < kTeachRows; ++r) set.table[r][kGroup] = static_cast<std::uint16_t>(r % 3);
  return set;
}

QByteArray ParameterFileText(const ParameterSet& set) {
  IniText ini;
  PutParameterFile(ini, set);
  return QByteArray::fromStdString(ini.ToText());
}

ParameterSet SimRamSet(sim::Simulator& sim, int s) {
  ParameterSet set;
  UnpackParameterBlock(sim.RamParams(s).data(), &set.block);
  const auto teach = sim.RamTeach(s);
  for (int half = 0; half < 2; ++half)
    UnpackTeachHalf(teach.data() + half * kTeachHalfPayload, half, &set.table);
  return set;
}

std::array<std::int16_t, 20> FixedFrame() {
  std::array<std::int16_t, 20> words{};
  for (std::size_t w = 0; w < words.size(); ++w) words[w] = static_cast<std::int16_t>(100 * w - 700);
  words[MeasurementRecord::kColor] = -1;
  return words;
}

TEST_F(CliTest, IdentifiesOverTcpAndThePseudoTerminal) {
  for (const QStringList& link : {Tcp(), Pty()}) {
    const CliRun run = RunCli(QStringList{"identify"} + link);
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, "IDENTIFICATION: TRIVOLUX VR V1.2 SIMULATOR\nSERIAL NUMBER: 4711\n");
    EXPECT_TRUE(run.err.isEmpty());
  }
}

TEST_F(CliTest, GetWritesAFileTheProgramsReaderTakesAsTheSimulatorsSet) {
  const ParameterSet wanted = DistinctSet();
  std::array<std::uint8_t, 34> block{};
  std::array<std::uint8_t, 1024> teach{};
  PackParameterBlock(wanted.block, block.data());
  for (int half = 0; half < 2; ++half)
    PackTeachHalf(wanted.table, half, teach.data() + half * kTeachHalfPayload);
  sim_->SetRamParams(1, block);
  sim_->SetRamTeach(1, teach);

  const CliRun run = RunCli(QStringList{"get", "--set", "1", "-o", Path("backup.ini")} + Tcp());
  ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
  IniText ini;
  ASSERT_EQ(ini.ReadFromFile(Path("backup.ini")), 0);
  EXPECT_TRUE(ReadParameterFileHeader(ini).TypeMatches());
  EXPECT_TRUE(ReadParameterFileHeader(ini).VersionMatches());
  ParameterSet read;
  EXPECT_EQ(AcquireParaFromIniHandle(ini, &read.block), "");
  EXPECT_EQ(AcquireTechVecFromIniHandle(ini, &read.table), "");
  EXPECT_EQ(read.block, wanted.block);
  for (int r = 0; r < kTeachRows; ++r) read.table[r][kReserved] = wanted.table[r][kReserved];
  EXPECT_EQ(read.table, wanted.table);
  // The file is what the program's SEND to FILE writes for that set.
  EXPECT_EQ(ReadFile(Path("backup.ini")), ParameterFileText(read));
}

TEST_F(CliTest, SendThenGetRoundTripsASetOverThePseudoTerminal) {
  const ParameterSet set = DistinctSet();
  WriteFile(Path("line.ini"), ParameterFileText(set));
  const CliRun send = RunCli(QStringList{"send", Path("line.ini"), "--eeprom"} + Pty());
  ASSERT_EQ(send.exitCode, 0) << send.err.toStdString();
  EXPECT_TRUE(send.err.isEmpty());
  EXPECT_EQ(sim_->ReservedMismatches(), 0) << "the sensor's reserved words go back unchanged";
  EXPECT_EQ(sim_->EepromParams(0), sim_->RamParams(0)) << "--eeprom stores the set";

  const CliRun get = RunCli(QStringList{"get", "-o", Path("back.ini")} + Pty());
  ASSERT_EQ(get.exitCode, 0) << get.err.toStdString();
  EXPECT_EQ(ReadFile(Path("back.ini")), ReadFile(Path("line.ini")));
}

TEST_F(CliTest, SendListsDefaultedItemsAndReportsImplausibleValues) {
  QByteArray text = ParameterFileText(DistinctSet());
  text.replace("GAIN = 3\r\n", "");                      // missing
  text.replace("AVERAGE = 1\r\n", "AVERAGE = abc\r\n");  // not a number
  text.replace("POWER = 730\r\n", "POWER = 70000\r\n");  // 4464: the sensor refuses it
  const qsizetype row5 = text.indexOf("[TEACH VECTOR 5]");
  text.remove(text.indexOf("HOLD = ", row5),
              text.indexOf("\r\n", text.indexOf("HOLD = ", row5)) + 2 - text.indexOf("HOLD = ", row5));
  WriteFile(Path("odd.ini"), text);

  const CliRun dry = RunCli({"send", Path("odd.ini"), "--dry-run"});
  EXPECT_EQ(dry.exitCode, 0) << dry.err.toStdString();
  EXPECT_TRUE(dry.out.contains("order 1 param 0, 34 bytes: PARAMETER\n  POWER = 4464\n"));
  EXPECT_TRUE(dry.out.contains("  TEACH VECTOR 5: CELL 0..4 = 150 151 152 153 154, GROUP = 2, HOLD = 10\n"));
  EXPECT_TRUE(sim_->Requests().empty()) << "a dry run needs no sensor";

  const CliRun run = RunCli(QStringList{"send", Path("odd.ini")} + Tcp());
  EXPECT_EQ(run.exitCode, 6);
  const QString where = QDir::toNativeSeparators(Path("odd.ini"));
  EXPECT_EQ(
      QString::fromLocal8Bit(run.err),
      "trivolux-cli: " + where +
          ": Following parameter could not be read and where set to default value: AVERAGE, GAIN\n"
          "trivolux-cli: " +
          where +
          ": Following teach vectors could not be read and where set to default value: TEACH VECTOR 5\n"
          "trivolux-cli: 127.0.0.1:" +
          QString::number(port_) +
          ": INFO! 1 PARAMETER IN RAM DID NOT PASS PLAUSIBILITY CHECK AND WERE SET TO DEFAULT VALUE!\n");
  EXPECT_EQ(SimRamSet(*sim_, 0).block[kPower], 500) << "the sensor's default replaced 4464";
  EXPECT_EQ(SimRamSet(*sim_, 0).block[kGain], 5);
}

TEST_F(CliTest, AForeignFileIsSentOnlyWithForce) {
  WriteFile(Path("colours.ini"), "[GENERAL INFO]\r\nFILE TYPE: = \"Table Attributes\"\r\n");
  const CliRun refused = RunCli(QStringList{"send", Path("colours.ini")} + Tcp());
  EXPECT_EQ(refused.exitCode, 5);
  EXPECT_TRUE(refused.err.contains("Selected file is not a parameter file! Nothing was sent"));
  EXPECT_TRUE(sim_->Requests().empty());

  const CliRun forced = RunCli(QStringList{"send", Path("colours.ini"), "--force"} + Tcp());
  EXPECT_EQ(forced.exitCode, 0) << forced.err.toStdString();
  EXPECT_TRUE(forced.err.contains("and where set to default value: POWER, POWER MODE"));
  EXPECT_EQ(RequestsOf(order::kWriteBlock), 3);
}

TEST_F(CliTest, MeasureRecordLinesParseAsTheRecordersLines) {
  sim_->faults().fixedFrame = FixedFrame();
  const CliRun run =
      RunCli(QStringList{"measure", "--count", "5", "--panel-id", "LINE 3", "-o", Path("rec.dat")} + Tcp());
  ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
  const QByteArray file = ReadFile(Path("rec.dat"));
  const QByteArray header = RecordHeader(QString::fromLatin1(kProgramTitle), QStringLiteral("LINE 3"));
  ASSERT_TRUE(file.startsWith(header));
  const QList<QByteArray> lines = file.mid(header.size()).split('\n');
  ASSERT_EQ(lines.size(), 6);  // five lines and the empty rest after the last line end
  MeasurementRecord fixed;
  fixed.word = FixedFrame();
  for (int i = 0; i < 5; ++i) {
    const QDateTime when =
        QDateTime::fromString(QString::fromLatin1(lines[i].left(19)), "MM-dd-yyyy\tHH:mm:ss");
    ASSERT_TRUE(when.isValid()) << lines[i].toStdString();
    EXPECT_EQ(lines[i] + '\n', RecordLine(when, fixed));
  }
}

TEST_F(CliTest, MeasureWritesCsvAndJsonLinesWithAllTwentyWords) {
  sim_->faults().fixedFrame = FixedFrame();
  const CliRun csv = RunCli(QStringList{"measure", "--count", "2", "--format", "csv"} + Tcp());
  ASSERT_EQ(csv.exitCode, 0) << csv.err.toStdString();
  const QList<QByteArray> rows = csv.out.trimmed().split('\n');
  ASSERT_EQ(rows.size(), 3);
  EXPECT_EQ(rows[0].split(',').size(), 21);
  EXPECT_TRUE(rows[0].startsWith("time,red,green,blue,x_s,y_i,int_m,delta_c,color,"));
  const QList<QByteArray> fields = rows[1].split(',');
  ASSERT_EQ(fields.size(), 21);
  const QDateTime stamp = QDateTime::fromString(QString::fromLatin1(fields[0]), Qt::ISODateWithMs);
  EXPECT_TRUE(QRegularExpression("^\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d\\.\\d{3}[+-]\\d\\d:\\d\\d$")
                  .match(QString::fromLatin1(fields[0]))
                  .hasMatch());
  EXPECT_LT(std::abs(stamp.secsTo(QDateTime::currentDateTime())), 60);
  EXPECT_EQ(fields[8], "-1");

  const CliRun jsonl = RunCli(QStringList{"measure", "--count", "2", "--format", "jsonl"} + Tcp());
  ASSERT_EQ(jsonl.exitCode, 0) << jsonl.err.toStdString();
  for (const QByteArray& line : jsonl.out.trimmed().split('\n')) {
    const QJsonObject o = QJsonDocument::fromJson(line).object();
    EXPECT_EQ(o.size(), 21) << line.toStdString();
    EXPECT_EQ(o["red"].toInt(), -700);
    EXPECT_EQ(o["extreme2_blue"].toInt(), 1200);
  }
}

TEST_F(CliTest, AnInterruptFinishesTheCurrentLineAndKeepsTheFile) {
  const CliRun run =
      RunCli(QStringList{"measure", "--count", "0", "-o", Path("log.dat")} + Tcp(), [&](QProcess& p) {
        sim::test::WaitUntil([&] { return RequestsOf(order::kMeasure) >= 20; }, 10000);
        ::kill(static_cast<pid_t>(p.processId()), SIGINT);
      });
  EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
  EXPECT_TRUE(run.err.isEmpty());
  const QByteArray file = ReadFile(Path("log.dat"));
  EXPECT_TRUE(file.endsWith("\r\n"));
  const int lines = static_cast<int>(file.count("\r\n")) - 3;  // header: title, empty line, headings
  EXPECT_GE(lines, 20);
  EXPECT_EQ(lines, RequestsOf(order::kMeasure)) << "every answered frame is in the file";
}

TEST_F(CliTest, CalibrationFactorsFollowTheStatusRule) {
  const CliRun send = RunCli(QStringList{"cf", "send", "1000", "1100", "4096"} + Tcp());
  EXPECT_EQ(send.exitCode, 0) << send.err.toStdString();
  EXPECT_EQ(RunCli(QStringList{"cf", "get"} + Pty()).out, "1000 1100 4096\n");
  const auto offsets = sim_->Offsets();
  EXPECT_EQ(RunCli(QStringList{"offset", "get"} + Tcp()).out, QByteArray::number(offsets[0]) + ' ' +
                                                                  QByteArray::number(offsets[1]) + ' ' +
                                                                  QByteArray::number(offsets[2]) + '\n');

  sim_->faults().implausibleCount = 2;
  const CliRun refused = RunCli(QStringList{"cf", "send", "1", "2", "3"} + Tcp());
  EXPECT_EQ(refused.exitCode, 6);
  EXPECT_TRUE(refused.err.endsWith(
      ": INFO! 2 PARAMETER IN RAM DID NOT PASS PLAUSIBILITY CHECK AND WERE SET TO DEFAULT VALUE!\n"));
}

TEST_F(CliTest, HardwareFileIsWhatTheProgramsWriterMakes) {
  const CliRun run = RunCli(QStringList{"hwinfo", "-o", Path("hw.ini")} + Tcp());
  ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();

  sim::test::SimClient client;
  ASSERT_TRUE(client.ConnectTcp(port_));
  const auto data = client.Exchange(order::kHardwareInfo, order::kHardwareInfoCode);
  ASSERT_TRUE(data);
  HardwareInfo info;
  info.firmware = QStringLiteral("TRIVOLUX VR V1.2.0  SIMULATOR");
  info.hardwareData = HardwareDataText(data->data.data(), static_cast<int>(data->data.size()));
  info.factors = sim_->CalFactors();
  info.offsets = sim_->Offsets();
  IniText expected;
  PutHardwareInfoFile(expected, info, SimRamSet(*sim_, 0));
  EXPECT_EQ(ReadFile(Path("hw.ini")), QByteArray::fromStdString(expected.ToText()));
}

TEST_F(CliTest, ScopeScanGivesTheSamplesAsCsv) {
  const CliRun run = RunCli(QStringList{"scope", "--trigger", "single", "--signal", "calc"} + Tcp());
  ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
  const QList<QByteArray> rows = run.out.trimmed().split('\n');
  ASSERT_EQ(rows.size(), 129);
  EXPECT_EQ(rows[0], "sample,red,green,blue,bit0,bit1");
  for (int i = 1; i < rows.size(); ++i) {
    const QList<QByteArray> f = rows[i].split(',');
    ASSERT_EQ(f.size(), 6);
    EXPECT_EQ(f[0].toInt(), i - 1);
  }
  EXPECT_EQ(RequestsOf(order::kScope), 1);
}

TEST_F(CliTest, InterruptedScopeScanIsBrokenOff) {
  sim_->options().triggerPeriodMs = 0;  // the trigger never comes
  const CliRun run =
      RunCli(QStringList{"scope", "--trigger", "external", "-o", Path("scan.csv")} + Tcp(), [&](QProcess& p) {
        sim::test::WaitUntil([&] { return sim_->ScopeArmed(); }, 10000);
        ::kill(static_cast<pid_t>(p.processId()), SIGTERM);
      });
  EXPECT_EQ(run.exitCode, 130);
  EXPECT_EQ(run.err, "trivolux-cli: interrupted\n");
  EXPECT_EQ(RequestsOf(order::kScope), 2) << "start, then the break request";
  EXPECT_FALSE(QFile::exists(Path("scan.csv")));
}

TEST(CliHelp, HelpAndVersionGoToStandardOutput) {
  const CliRun help = RunCli({"--help"});
  EXPECT_EQ(help.exitCode, 0);
  for (const char* line : {"  2    usage error", "  3    link failure", "  4    the sensor's version",
                           "  5    file error", "  6    the sensor set implausible", "  130  interrupted"})
    EXPECT_TRUE(help.out.contains(line)) << line;
  const CliRun version = RunCli({"--version"});
  EXPECT_EQ(version.exitCode, 0);
  EXPECT_TRUE(version.out.startsWith(QByteArray("trivolux-cli ") + kProgramVersion + '\n'));
}

}  // namespace
}  // namespace trivolux::cli::test
