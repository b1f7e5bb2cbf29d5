// The command-line program's outputs in the kill -9 test. Every version is
// one run of trivolux-cli against the simulator, started here as a process
// of its own on a free TCP port; parameter set 1 is made to differ from
// set 0 first, so that the two versions of a parameter or hardware file
// differ. A measurement or a scan differs from run to run (noise, time):
// their check is the shape of the complete output.
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <memory>

#include "ini/ini_text.h"
#include "kill9_writers.h"
#include "params/parameter_file.h"

namespace trivolux::kill9 {

namespace {

constexpr int kMeasuredFrames = 10;
constexpr int kScopeSamples = 128;

// The simulator for the whole run; ended when the test program ends.
class Sensor {
 public:
  ~Sensor() {
    if (pid_ <= 0) return;
    kill(pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
    close(out_);
  }
  // "127.0.0.1:PORT", or empty when the simulator did not start.
  QString Start() {
    int fds[2];
    if (pipe(fds) != 0) return {};
    pid_ = fork();
    if (pid_ == 0) {
      dup2(fds[1], STDOUT_FILENO);
      close(fds[0]);
      close(fds[1]);
      Exec({QStringLiteral(TRIVOLUX_SIM_PATH), QStringLiteral("--tcp"), QStringLiteral("127.0.0.1:0")});
    }
    close(fds[1]);
    out_ = fds[0];
    // Its first line says where it listens: "TCP 127.0.0.1:PORT".
    QByteArray line;
    char c = 0;
    while (!line.endsWith('\n') && read(out_, &c, 1) == 1) line += c;
    return line.startsWith("TCP ") ? QString::fromLatin1(line.mid(4).trimmed()) : QString();
  }

 private:
  pid_t pid_ = -1;
  int out_ = -1;
};

// Runs a set-up command; its messages (the sensor's plausibility notes) are
// expected and not shown.
int Run(const QStringList& args) {
  const pid_t pid = fork();
  if (pid == 0) {
    const int null = open("/dev/null", O_WRONLY);
    if (null >= 0) dup2(null, STDERR_FILENO);
    Exec(args);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Set 1 gets other values than set 0 (the sensor sets some of them back to
// its defaults, which still leaves them different).
bool MakeSetsDiffer(const QString& address) {
  QTemporaryDir dir;
  const QString file = dir.filePath(QStringLiteral("set1.ini"));
  ParameterSet set;
  for (int i = 0; i < kParamWordCount; ++i) set.block[i] = static_cast<std::uint16_t>(3 + i);
  for (int r = 0; r < kTeachRows; ++r)
    for (int c = 0; c < kTeachWordCount - 1; ++c) set.table[r][c] = static_cast<std::uint16_t>(r * 8 + c + 1);
  IniText ini;
  PutParameterFile(ini, set);
  if (ini.WriteToFile(file) != 0) return false;
  const int code = Run({QStringLiteral(TRIVOLUX_CLI_PATH), QStringLiteral("send"), file,
                        QStringLiteral("--set"), QStringLiteral("1"), QStringLiteral("--tcp"), address});
  return code == 0 || code == 6;  // 6: some values were set to their defaults
}

// A complete table: the header the complete version begins with (up to the
// end of its column headings), then exactly `rows` lines of `fields` fields.
bool WholeTable(const QByteArray& bytes, const QByteArray& complete, const QByteArray& headings, int rows,
                int fields, char separator, const QByteArray& eol) {
  const qsizetype end = complete.indexOf(headings);
  if (end < 0) return false;
  const qsizetype headerSize = complete.indexOf(eol, end) + eol.size();
  if (!bytes.startsWith(complete.left(headerSize)) || !bytes.endsWith(eol)) return false;
  // Split at the line feed; a CR LF line keeps its CR.
  const QList<QByteArray> lines = bytes.mid(headerSize).chopped(1).split('\n');
  if (lines.size() != rows) return false;
  for (const QByteArray& line : lines) {
    if (eol.size() == 2 && !line.endsWith(eol.front())) return false;
    if (line.count(separator) != fields - 1) return false;
  }
  return true;
}

}  // namespace

std::vector<Writer> CliWriters() {
  static Sensor sensor;
  static const QString address = sensor.Start();
  if (address.isEmpty() || !MakeSetsDiffer(address)) {
    std::fprintf(stderr, "the simulator for the command-line program did not start\n");
    return {};
  }
  const QString cli = QStringLiteral(TRIVOLUX_CLI_PATH);
  const QStringList tcp{QStringLiteral("--tcp"), address};
  auto entry = [&](const char* name, const char* fileName, std::function<QStringList(int)> args) {
    Writer w;
    w.name = name;
    w.fileName = fileName;
    w.startupCleans = false;
    w.command = [cli, tcp, args](const QString& path, int v) {
      return QStringList{cli} + args(v) + tcp + QStringList{QStringLiteral("-o"), path};
    };
    // Its next start is the next run that writes the same file.
    w.startCommand = [cmd = w.command](const QString& path) { return cmd(path, 0); };
    return w;
  };
  std::vector<Writer> writers;
  writers.push_back(entry("cli get", "backup.ini", [](int v) {
    return QStringList{QStringLiteral("get"), QStringLiteral("--set"), QString::number(v)};
  }));
  writers.push_back(entry("cli hwinfo", "hw.ini", [](int v) {
    return QStringList{QStringLiteral("hwinfo"), QStringLiteral("--set"), QString::number(v)};
  }));
  // Version 0 the recorder's format, version 1 CSV.
  Writer measure = entry("cli measure", "log.dat", [](int v) {
    QStringList args{QStringLiteral("measure"), QStringLiteral("--count"), QString::number(kMeasuredFrames)};
    return args + (v == 0 ? QStringList{QStringLiteral("--panel-id"), QStringLiteral("KILL9")}
                          : QStringList{QStringLiteral("--format"), QStringLiteral("csv")});
  });
  measure.check = [](const QByteArray& bytes, const Versions& versions) {
    if (WholeTable(bytes, versions[0], "\tTEMP", kMeasuredFrames, 13, '\t', "\r\n")) return Verdict::Old;
    if (WholeTable(bytes, versions[1], "extreme2_blue", kMeasuredFrames, 21, ',', "\n")) return Verdict::New;
    return Verdict::Corrupt;
  };
  writers.push_back(measure);
  Writer scope = entry("cli scope", "scan.csv", [](int v) {
    return QStringList{QStringLiteral("scope"), QStringLiteral("--trigger"), QStringLiteral("single"),
                       QStringLiteral("--signal"), v == 0 ? QStringLiteral("rgb") : QStringLiteral("calc")};
  });
  scope.check = [](const QByteArray& bytes, const Versions& versions) {
    return WholeTable(bytes, versions[0], "bit1", kScopeSamples, 6, ',', "\n") ? Verdict::Whole
                                                                               : Verdict::Corrupt;
  };
  writers.push_back(scope);
  return writers;
}

}  // namespace trivolux::kill9
