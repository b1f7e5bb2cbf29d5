// kill -9 on every file the program writes. For each writer of the table
// below, a child process writes the file through the program's own code in
// a loop (two versions in turn) and is killed with SIGKILL at a random
// moment; after every kill the target must be one complete version (the
// record file: the header and whole lines only), and after the clean-up the
// program runs at its next start no temporary file may be left.
//
// Usage: kill9_writers [--kills N] [--seed S] [--only NAME] [--dir DIR]
//        kill9_writers --samples DIR   (writes version 0 of every file into DIR:
//                                       the seeds of the fuzz corpora)
// Prints one line per writer and exits non-zero when any target was found
// corrupt or a temporary file outlived the next start.
#include "kill9_writers.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QTemporaryDir>
#include <array>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "app/panel_settings_file.h"
#include "base/version.h"
#include "calib/hw_info_file.h"
#include "ini/ini_file.h"
#include "ini/ini_text.h"
#include "params/parameter_file.h"
#include "record/record_file.h"
#include "scope/scope_report_controller.h"
#include "teach/table_attributes.h"

namespace {

using namespace trivolux;
using namespace trivolux::kill9;

// An INI file, written by the INI store.
Writer IniWriter(const char* name, const char* fileName, std::function<void(IniText&, int)> fill) {
  Writer w;
  w.name = name;
  w.fileName = fileName;
  w.startupCleans = true;
  w.write = [fill](const QString& path, int v) {
    IniText ini;
    fill(ini, v);
    return ini.WriteToFile(path) == 0;
  };
  return w;
}

ParameterSet SetFor(int v) {
  ParameterSet set;
  for (int i = 0; i < kParamWordCount; ++i) set.block[i] = static_cast<std::uint16_t>(100 * v + i);
  for (int r = 0; r < kTeachRows; ++r)
    for (int c = 0; c < kTeachWordCount - 1; ++c)
      set.table[r][c] = static_cast<std::uint16_t>(v * 1000 + r * 8 + c);
  return set;
}

ScopeReport ReportFor(int v) {
  ScopeReport report;
  QString comment;
  for (int i = 0; i < 20 * (v + 1); ++i)
    comment += QStringLiteral("comment line %1 of version %2\n").arg(i).arg(v);
  report.lines =
      ScopeReportLines(QString::fromLatin1(kProgramTitle), QStringLiteral("PANEL %1").arg(v), comment);
  report.panelSize = QSize(800, 500);
  QPainter p(&report.panel);
  p.fillRect(QRect(QPoint(0, 0), report.panelSize), v ? Qt::darkBlue : Qt::darkGreen);
  for (int x = 0; x < 800; x += 7) p.drawLine(x, 0, 800 - x, 500);
  p.end();
  report.printedAt = QDateTime(QDate(2024, 1, 2), QTime(3, 4, 5));
  return report;
}

// A complete PDF: the header, the cross-reference table where "startxref"
// says, the end-of-file marker at the end, and the size of one of the two
// versions (their creation dates are equally long).
Verdict CheckPdf(const QByteArray& bytes, const Versions& versions) {
  if (!bytes.startsWith("%PDF-")) return Verdict::Corrupt;
  QByteArray tail = bytes.right(64).trimmed();
  if (!tail.endsWith("%%EOF")) return Verdict::Corrupt;
  const qsizetype at = bytes.lastIndexOf("startxref");
  if (at < 0) return Verdict::Corrupt;
  bool ok = false;
  const qsizetype xref = bytes.mid(at + 9).trimmed().split('\n').value(0).trimmed().toLongLong(&ok);
  if (!ok || xref <= 0 || xref >= bytes.size() || bytes.mid(xref, 4) != "xref") return Verdict::Corrupt;
  if (bytes.size() == versions[0].size()) return Verdict::Old;
  return bytes.size() == versions[1].size() ? Verdict::New : Verdict::Corrupt;
}

QByteArray RecordHeaderFor(int v) {
  return RecordHeader(QString::fromLatin1(kProgramTitle), QStringLiteral("PANEL %1").arg(v));
}

MeasurementRecord RecordNumber(long n) {
  MeasurementRecord r;
  for (int w = 0; w < MeasurementRecord::kWordCount; ++w)
    r.word[static_cast<std::size_t>(w)] = static_cast<std::int16_t>((n * 7 + w) % 30000);
  return r;
}

QByteArray RecordLineNumber(long n) {
  return RecordLine(QDateTime(QDate(2024, 5, 6), QTime(7, 8, 9)).addSecs(n), RecordNumber(n));
}

// The header and lines 0..n-1, nothing else; n is returned through *lines.
bool WholeLines(const QByteArray& bytes, long* lines) {
  const QByteArray header = RecordHeaderFor(0);
  if (!bytes.startsWith(header)) return false;
  qsizetype at = header.size();
  long n = 0;
  while (at < bytes.size()) {
    const QByteArray line = RecordLineNumber(n);
    if (bytes.mid(at, line.size()) != line) return false;
    at += line.size();
    ++n;
  }
  *lines = n;
  return true;
}

std::vector<Writer> Writers() {
  std::vector<Writer> writers;
  writers.push_back(IniWriter("panel settings", kPanelSettingsName, [](IniText& ini, int v) {
    PanelSettings s = DefaultPanelSettings(QStringLiteral("/opt/scope"));
    s.panelId = QStringLiteral("LINE %1").arg(v);
    s.addresses = QStringList{QStringLiteral("10.0.0.%1").arg(v + 1), QStringLiteral("sensor-%1").arg(v)};
    s.tableAttributes.rowSpecs[5] = QStringLiteral("spec %1").arg(v);
    WritePanelSettings(s, ini);
  }));
  writers.push_back(IniWriter("parameter file", parafile::kDefaultName,
                              [](IniText& ini, int v) { PutParameterFile(ini, SetFor(v)); }));
  writers.push_back(IniWriter("table attributes", "TableAttributes.ini", [](IniText& ini, int v) {
    TableAttributes attrs;
    for (int k = 0; k < kTableAttrRows; ++k) {
      attrs.rowColours[static_cast<std::size_t>(k)] = (v * 0x010101 * 9 + k) & 0xFFFFFF;
      attrs.rowSpecs[static_cast<std::size_t>(k)] = QStringLiteral("row %1 version %2").arg(k).arg(v);
    }
    ini.PutString(parafile::kInfoSection, parafile::kFileTypeTag, "Table Attributes");
    ini.PutString(parafile::kInfoSection, parafile::kVersionTag, kProgramTitle);
    AppendTableSetToIniHandle(ini, attrs);
  }));
  writers.push_back(IniWriter("hardware information", hwfile::kDefaultName, [](IniText& ini, int v) {
    HardwareInfo info;
    info.firmware = QStringLiteral("TRIVOLUX VR V1.2.%1  SIMULATOR").arg(v);
    for (int i = 0; i < 256; ++i)
      info.hardwareData += QStringLiteral("%1").arg(i * (v + 3), 4, 16, QLatin1Char('0')).toUpper();
    info.factors = {1024, static_cast<std::uint16_t>(1000 + v), 1100};
    PutHardwareInfoFile(ini, info, SetFor(v));
  }));

  Writer pdf;
  pdf.name = "scope PDF";
  pdf.fileName = "Scope_report.pdf";
  pdf.startupCleans = false;
  pdf.gui = true;
  pdf.write = [](const QString& path, int v) {
    QString error;
    return WriteScopeReportPdf(ReportFor(v), path, &error);
  };
  pdf.check = CheckPdf;
  writers.push_back(pdf);

  Writer header;
  header.name = "record header";
  header.fileName = "RecordFile.dat";
  header.startupCleans = true;
  header.write = [](const QString& path, int v) {
    QString error;
    return ReplaceRecordFile(path, RecordHeaderFor(v), &error);
  };
  writers.push_back(header);

  Writer lines;
  lines.name = "record lines";
  lines.fileName = "RecordLines.dat";
  lines.startupCleans = false;
  lines.appends = true;
  // The header first; then the loop appends line after line, continuing
  // the file a kill left.
  lines.write = [](const QString& path, int) {
    QString error;
    if (!QFile::exists(path)) return AppendRecordBytes(path, RecordHeaderFor(0), &error);
    QFile in(path);
    long n = 0;
    if (!in.open(QIODevice::ReadOnly) || !WholeLines(in.readAll(), &n)) return false;
    in.close();
    for (;; ++n)
      if (!AppendRecordBytes(path, RecordLineNumber(n), &error)) return false;
  };
  // Only whole lines, and none of those written before lost.
  auto written = std::make_shared<long>(0);
  lines.check = [written](const QByteArray& bytes, const Versions&) {
    long n = 0;
    if (!WholeLines(bytes, &n) || n < *written) return Verdict::Corrupt;
    *written = n;
    return Verdict::New;
  };
  writers.push_back(lines);
  return writers;
}

struct Outcome {
  int kills = 0;
  int oldFiles = 0;
  int newFiles = 0;
  int whole = 0;  // complete, of a version the content does not tell
  int corrupt = 0;
  int leftBehind = 0;  // temporaries a kill left and the next start removed
  int outlived = 0;    // temporaries still there after the next start
  double writeMs = 0;
};

// Files in dir other than the target.
QStringList Others(const QString& dir, const QString& target) {
  QStringList others = QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::System);
  others.removeAll(target);
  return others;
}

std::unique_ptr<QGuiApplication> GuiFor(const Writer& w) {
  static int argc = 1;
  static char name[] = "kill9_writer";
  static char* argv[] = {name, nullptr};
  return w.gui ? std::make_unique<QGuiApplication>(argc, argv) : nullptr;
}

// The next start: the temporaries are made older than the start-up age
// (the kill happened a while ago), then removed as the program removes them.
void NextStart(const QString& dir, const Writer& w, const QStringList& others) {
  const time_t past = time(nullptr) - 2 * kStartupTemporaryAge.count();
  for (const QString& name : others) {
    const QByteArray path = QFile::encodeName(QDir(dir).filePath(name));
    struct timespec times[2] = {{past, 0}, {past, 0}};
    utimensat(AT_FDCWD, path.constData(), times, 0);
  }
  if (w.startupCleans) RemoveStaleIniTemporaries(dir, kStartupTemporaryAge);
  if (w.startCommand) {
    const pid_t pid = fork();
    if (pid == 0) Exec(w.startCommand(QDir(dir).filePath(QString::fromLatin1(w.fileName))));
    int status = 0;
    waitpid(pid, &status, 0);
  }
}

// The child's work: the command once, or the program's writer in a loop.
[[noreturn]] void ChildLoop(const Writer& w, const QString& path, int firstVersion, bool loop) {
  if (w.command) Exec(w.command(path, firstVersion));
  std::unique_ptr<QGuiApplication> app = GuiFor(w);
  for (int v = firstVersion;; v ^= 1) {
    if (!w.write(path, v)) _exit(3);
    if (!loop) _exit(0);
  }
}

Outcome Run(const Writer& w, const QString& dir, int kills, std::mt19937& rng) {
  Outcome o;
  const QString path = QDir(dir).filePath(QString::fromLatin1(w.fileName));
  // Both versions written whole (the target then holds version 1), and the
  // time one write takes: the kill moments spread over a few writes.
  Versions versions;
  QElapsedTimer t;
  for (int v = 0; v < (w.appends ? 1 : 2); ++v) {
    t.start();
    const pid_t pid = fork();
    if (pid == 0) {
      if (w.command) ChildLoop(w, path, v, false);
      std::unique_ptr<QGuiApplication> app = GuiFor(w);
      _exit(w.write(path, v) ? 0 : 3);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    QFile file(path);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || !file.open(QIODevice::ReadOnly)) {
      std::fprintf(stderr, "%s: the writer failed without a kill\n", w.name);
      o.corrupt = -1;
      return o;
    }
    versions[static_cast<std::size_t>(v)] = file.readAll();
  }
  o.writeMs = std::max(1.0, t.nsecsElapsed() / 1e6);
  // A program run writes once: its kills spread over one run and a little
  // after (a run that ended); the program's writers loop over a few writes.
  std::uniform_real_distribution<double> when(0.0, w.appends ? 20.0 : (w.command ? 1.2 : 3.0) * o.writeMs);
  for (int k = 0; k < kills; ++k) {
    const pid_t pid = fork();
    if (pid == 0) ChildLoop(w, path, k % 2, true);
    // The child needs time to start Qt; the kill falls into its writes.
    const double ms = 2 + when(rng);
    const struct timespec pause {
      static_cast<time_t>(ms / 1000), static_cast<long>(std::fmod(ms, 1000.0) * 1e6)
    };
    nanosleep(&pause, nullptr);
    kill(pid, SIGKILL);
    int status = 0;
    waitpid(pid, &status, 0);
    ++o.kills;
    QFile file(path);
    const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    switch (file.exists() ? w.check(bytes, versions) : Verdict::Corrupt) {
      case Verdict::Old:
        ++o.oldFiles;
        break;
      case Verdict::New:
        ++o.newFiles;
        break;
      case Verdict::Whole:
        ++o.whole;
        break;
      case Verdict::Corrupt:
        ++o.corrupt;
        std::fprintf(stderr, "%s: corrupt target after kill %d (%lld bytes)\n", w.name, k + 1,
                     static_cast<long long>(bytes.size()));
        break;
    }
    const QStringList others = Others(dir, QString::fromLatin1(w.fileName));
    if (others.isEmpty()) continue;
    NextStart(dir, w, others);
    const QStringList left = Others(dir, QString::fromLatin1(w.fileName));
    o.leftBehind += others.size() - left.size();
    o.outlived += left.size();
    for (const QString& name : left) {
      std::fprintf(stderr, "%s: %s outlived the next start (kill %d)\n", w.name, qPrintable(name), k + 1);
      QFile::remove(QDir(dir).filePath(name));
    }
  }
  return o;
}

}  // namespace

namespace trivolux::kill9 {

void Exec(const QStringList& args) {
  std::vector<QByteArray> storage;
  std::vector<char*> argv;
  for (const QString& a : args) storage.push_back(QFile::encodeName(a));
  for (QByteArray& a : storage) argv.push_back(a.data());
  argv.push_back(nullptr);
  execv(argv[0], argv.data());
  _exit(127);
}

}  // namespace trivolux::kill9

int main(int argc, char** argv) {
  int kills = 200;
  unsigned seed = static_cast<unsigned>(std::random_device{}());
  QString only, base, samples;
  for (int i = 1; i + 1 < argc; i += 2) {
    if (!std::strcmp(argv[i], "--kills"))
      kills = std::atoi(argv[i + 1]);
    else if (!std::strcmp(argv[i], "--seed"))
      seed = static_cast<unsigned>(std::strtoul(argv[i + 1], nullptr, 10));
    else if (!std::strcmp(argv[i], "--only"))
      only = QString::fromLocal8Bit(argv[i + 1]);
    else if (!std::strcmp(argv[i], "--dir"))
      base = QString::fromLocal8Bit(argv[i + 1]);
    else if (!std::strcmp(argv[i], "--samples"))
      samples = QString::fromLocal8Bit(argv[i + 1]);
  }
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  if (!samples.isEmpty()) {
    QGuiApplication app(argc, argv);
    for (const Writer& w : Writers())
      if (w.write && !w.appends) w.write(QDir(samples).filePath(QString::fromLatin1(w.fileName)), 0);
    return 0;
  }
  std::mt19937 rng(seed);
  std::printf("kill -9 on every write: %d kills per file, seed %u\n", kills, seed);
  std::printf("%-22s %6s %6s %6s %6s %8s %10s %9s %9s\n", "file", "kills", "ver.0", "ver.1", "whole",
              "corrupt", "temp left", "outlived", "write ms");
  std::vector<Writer> writers = Writers();
  // The command-line program's entries need a simulator: only when one of them runs.
  if (only.isEmpty() || only.startsWith(QLatin1String("cli "))) {
    std::vector<Writer> cli = CliWriters();
    if (cli.empty()) return 1;
    writers.insert(writers.end(), cli.begin(), cli.end());
  }
  int failures = 0;
  for (const Writer& w : writers) {
    if (!only.isEmpty() && only != QLatin1String(w.name)) continue;
    QTemporaryDir dir(base.isEmpty() ? QDir::tempPath() + QStringLiteral("/kill9-XXXXXX")
                                     : base + QStringLiteral("/kill9-XXXXXX"));
    const Outcome o = Run(w, dir.path(), kills, rng);
    // "whole": every complete target, whichever version.
    std::printf("%-22s %6d %6d %6d %6d %8d %10d %9d %9.1f\n", w.name, o.kills, o.oldFiles, o.newFiles,
                o.oldFiles + o.newFiles + o.whole, o.corrupt, o.leftBehind, o.outlived, o.writeMs);
    std::fflush(stdout);
    if (o.corrupt != 0 || o.outlived != 0) ++failures;
  }
  std::printf("%s\n", failures == 0 ? "no corrupt target, no temporary outlived the next start"
                                    : "FAILED: corrupt targets or temporaries outliving the next start");
  return failures == 0 ? 0 : 1;
}
