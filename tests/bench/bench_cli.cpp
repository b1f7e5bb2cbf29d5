// trivolux-cli as a script runs it, one process per command. Prints:
// - start-up: from starting the process to its first request (target < 50 ms);
// - get and send against the simulator paced at 115200 baud on its
//   pseudo-terminal, against the line time of the bytes each moves (96 ms for
//   one set of 1106 bytes);
// - measure over loopback TCP into a file: frames per second (target at
//   least 5 000) and the resident memory while it runs (flat over 1 000 000
//   frames).
// Usage: bench_cli [frames] (default 1000000).
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "ini/ini_text.h"
#include "params/parameter_file.h"
#include "sim/simulator.h"
#include "sim_process.h"

namespace {

constexpr double kBitsPerByte = 10;
constexpr double kBaud = 115200;

double LineMs(int bytes) {
  return bytes * kBitsPerByte / kBaud * 1000;
}

// Runs the CLI to its end with the event loop serving (an in-process
// simulator answers meanwhile); returns the wall time in ms from clock's
// start (started here), -1 on failure.
double RunTimed(const QStringList& args, QElapsedTimer& clock) {
  QProcess process;
  QEventLoop loop;
  QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
  clock.start();
  process.start(QStringLiteral(TRIVOLUX_CLI_PATH), args);
  if (!process.waitForStarted(5000)) return -1;
  if (process.state() != QProcess::NotRunning) loop.exec();
  const double ms = clock.nsecsElapsed() / 1e6;
  if (process.exitCode() != 0) {
    std::fprintf(stderr, "trivolux-cli %s failed: %s\n", qPrintable(args.join(' ')),
                 process.readAllStandardError().constData());
    return -1;
  }
  return ms;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

// From QProcess::start to the first request byte at a listening socket.
void StartUp() {
  QTcpServer server;
  server.listen(QHostAddress::LocalHost);
  std::vector<double> samples;
  for (int i = 0; i < 20; ++i) {
    QProcess process;
    QEventLoop loop;
    QElapsedTimer clock;
    double firstRequestMs = -1;
    QObject::connect(&server, &QTcpServer::newConnection, &loop, [&] {
      QTcpSocket* socket = server.nextPendingConnection();
      QObject::connect(socket, &QTcpSocket::readyRead, &loop, [&, socket] {
        if (firstRequestMs < 0) firstRequestMs = clock.nsecsElapsed() / 1e6;
        socket->deleteLater();
        loop.quit();
      });
    });
    QTimer::singleShot(5000, &loop, &QEventLoop::quit);
    clock.start();
    process.start(QStringLiteral(TRIVOLUX_CLI_PATH),
                  {"identify", "--tcp", QStringLiteral("127.0.0.1:%1").arg(server.serverPort())});
    loop.exec();
    QObject::disconnect(&server, nullptr, &loop, nullptr);
    process.kill();
    process.waitForFinished(3000);
    if (firstRequestMs >= 0) samples.push_back(firstRequestMs);
  }
  std::printf("start-up to the first request: median %.1f ms, min %.1f ms, max %.1f ms (%zu runs)\n",
              Median(samples), *std::min_element(samples.begin(), samples.end()),
              *std::max_element(samples.begin(), samples.end()), samples.size());
}

// get and send of one set against the paced simulator in this process.
void PacedTransfers(const QString& dir) {
  trivolux::sim::SimOptions options;
  options.lineRate = true;
  options.baudIndex = 4;
  trivolux::sim::Simulator sim(options);
  const QString pty = sim.OpenPty();
  const QStringList serial = {"--serial", pty, "--baud", "115200"};
  trivolux::IniText ini;
  trivolux::ParameterSet set;
  for (int i = 0; i < trivolux::kParamWordCount; ++i) set.block[i] = trivolux::kParamDefaults[i];
  trivolux::PutParameterFile(ini, set);
  QFile file(dir + "/set.ini");
  file.open(QIODevice::WriteOnly);
  file.write(QByteArray::fromStdString(ini.ToText()));
  file.close();

  // Bytes on the line: identification 8 + 8 + 72; a set 1106 (3 requests of
  // 42, 520, 520 bytes and their 8-byte answers, 34 + 2 x 512 data bytes
  // back for a read); send first reads the two teach halves (2 x 528).
  const int identify = 88, set1106 = 1106, reserved = 2 * (8 + 8 + 512);
  struct Case {
    const char* name;
    QStringList args;
    int bytes;
  };
  const Case cases[] = {
      {"identify", QStringList{"identify"} + serial, identify},
      {"get", QStringList{"get", "-o", dir + "/got.ini"} + serial, identify + set1106},
      // The same without the file: -o syncs it to disk before the rename.
      {"get -o -", QStringList{"get", "-o", "-"} + serial, identify + set1106},
      {"send", QStringList{"send", dir + "/set.ini"} + serial, identify + reserved + set1106}};
  // From the simulator's handling of the identification (its 80-byte answer
  // is then still to go out) to the end of the process is the command's own
  // transfer and exit, without the start-up that varies with the load.
  QElapsedTimer clock;
  double identifiedMs = -1;
  QObject::connect(&sim, &trivolux::sim::Simulator::requestHandled, &sim, [&](quint8 order, quint16) {
    if (order == 7) identifiedMs = clock.nsecsElapsed() / 1e6;
  });
  for (const Case& c : cases) {
    std::vector<double> total, own;
    for (int i = 0; i < 10; ++i) {
      total.push_back(RunTimed(c.args, clock));
      own.push_back(total.back() - identifiedMs);
    }
    const int ownBytes = c.bytes - identify + 80;
    std::printf(
        "%-9s paced 115200: %.1f ms per process (median), %.1f ms after the identification for %d bytes "
        "of line time %.1f ms (%.0f %%)\n",
        c.name, Median(total), Median(own), ownBytes, LineMs(ownBytes),
        100.0 * Median(own) / LineMs(ownBytes));
  }
}

long ResidentKb(qint64 pid) {
  QFile status(QStringLiteral("/proc/%1/status").arg(pid));
  if (!status.open(QIODevice::ReadOnly)) return -1;
  for (const QByteArray& line : status.readAll().split('\n'))
    if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').first().toLong();
  return -1;
}

// measure into a file against the simulator as its own process.
void MeasureThroughput(const QString& dir, long long frames) {
  trivolux::bench::SimProcess sim({"--tcp", "127.0.0.1:0", "--target", "1200,1000,800"});
  for (const char* format : {"record", "csv", "jsonl"}) {
    const long long count = QByteArray(format) == "record" ? frames : std::min(frames, 100000LL);
    QProcess process;
    QEventLoop loop;
    QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
    std::vector<long> rss;
    QTimer sampler;
    QObject::connect(&sampler, &QTimer::timeout, &loop,
                     [&] { rss.push_back(ResidentKb(process.processId())); });
    QElapsedTimer clock;
    clock.start();
    process.start(QStringLiteral(TRIVOLUX_CLI_PATH),
                  {"measure", "--count", QString::number(count), "--format", format, "-o",
                   dir + "/frames.out", "--tcp", QStringLiteral("127.0.0.1:%1").arg(sim.port())});
    sampler.start(1000);
    loop.exec();
    const double seconds = clock.nsecsElapsed() / 1e9;
    if (process.exitCode() != 0) {
      std::printf("measure %s failed: %s\n", format, process.readAllStandardError().constData());
      continue;
    }
    const qint64 bytes = QFile(dir + "/frames.out").size();
    std::printf("measure %-6s %lld frames over loopback TCP into a file: %.1f s, %.0f frames/s, %.1f MB\n",
                format, count, seconds, count / seconds, bytes / 1e6);
    if (rss.size() >= 2)
      std::printf(
          "         resident memory: %ld kB after 1 s, %ld kB at the last sample (%zu samples, max %ld kB)\n",
          rss.front(), rss.back(), rss.size(), *std::max_element(rss.begin(), rss.end()));
  }
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  std::setvbuf(stdout, nullptr, _IOLBF, 0);  // each figure as soon as it is known
  const long long frames = argc > 1 ? QByteArray(argv[1]).toLongLong() : 1000000;
  QTemporaryDir dir;
  StartUp();
  PacedTransfers(dir.path());
  MeasureThroughput(dir.path(), frames > 0 ? frames : 1000000);
  return 0;
}
