// Soak under faults: the assembled program (offscreen, real panels) against
// the simulator as its own process injecting faults at random
// (--random-faults). In turn: GO, a continuous recording and scope scans;
// after each failure the soak reconnects as a user would (TRY TO CONNECT,
// OFFLINE when that fails). At the end it compares the faults the simulator
// injected with the failures the program reported (one message per fault,
// none for a split answer, which must be taken whole), checks that the
// record file holds only whole lines (one per recorded frame), and that
// resident memory stayed flat. No progress for 10 s is a hang.
//
// Usage: soak [minutes, default 30] [seed, default 1] [mean ms between faults, default 4000]
// SOAK_NO_TEARDOWN=1 ends the process without destroying the program.
// Exit status 0 only when everything held.
#include <malloc.h>
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>

#include "app/scope_app.h"
#include "app_fixture.h"
#include "base/shared_state.h"
#include "link/link_controller.h"
#include "live/live_controller.h"
#include "params/panel_access.h"
#include "record/record_controller.h"
#include "ui/panels.h"

namespace {

using namespace trivolux;

long ResidentKiB() {
  QFile statm("/proc/self/statm");
  if (!statm.open(QIODevice::ReadOnly)) return -1;
  const QList<QByteArray> fields = statm.readAll().split(' ');
  return fields.size() > 1 ? fields[1].toLong() * (sysconf(_SC_PAGESIZE) / 1024) : -1;
}

// What the program holds on the heap (KiB): RSS grows by it and by free memory
// the allocator keeps, this tells the two apart.
long HeapInUseKiB() {
  return static_cast<long>(mallinfo2().uordblks / 1024);
}

double CpuSeconds() {
  QFile stat("/proc/self/stat");
  if (!stat.open(QIODevice::ReadOnly)) return 0;
  const QByteArray text = stat.readAll();
  const QList<QByteArray> f = text.mid(text.lastIndexOf(')') + 2).split(' ');
  return (f.value(11).toLongLong() + f.value(12).toLongLong()) / double(sysconf(_SC_CLK_TCK));
}

// The simulator process; its "FAULT <kind>" lines are counted as they come.
class Sensor : public QObject {
 public:
  Sensor(const QStringList& args) {
    process_.setProgram(QStringLiteral(TRIVOLUX_SIM_PATH));
    process_.setArguments(args);
    QObject::connect(&process_, &QProcess::readyReadStandardOutput, this, [this] { ReadLines(); });
    process_.start();
    QElapsedTimer t;
    t.start();
    while (port_ == 0 && t.elapsed() < 10000 && process_.waitForReadyRead(1000)) ReadLines();
  }
  ~Sensor() override { Stop(); }
  quint16 port() const { return port_; }
  const std::map<QString, long long>& faults() const { return faults_; }
  long long Total() const {
    long long n = 0;
    for (const auto& [kind, count] : faults_) n += count;
    return n;
  }
  bool Running() const { return process_.state() == QProcess::Running; }
  // Ends the simulator; its own count of the faults it injected (-1 when missing).
  long long Stop() {
    if (process_.state() == QProcess::NotRunning) return reported_;
    process_.terminate();
    process_.waitForFinished(5000);
    ReadLines();
    return reported_;
  }

 private:
  void ReadLines() {
    while (process_.canReadLine()) {
      const QString line = QString::fromUtf8(process_.readLine()).trimmed();
      if (line.startsWith(QLatin1String("TCP ")))
        port_ = static_cast<quint16>(line.section(':', -1).toUInt());
      if (line.startsWith(QLatin1String("FAULT "))) ++faults_[line.mid(6)];
      if (line.startsWith(QLatin1String("RANDOM FAULTS INJECTED ")))
        reported_ = line.section(' ', -1).toLongLong();
    }
  }

  QProcess process_;
  quint16 port_ = 0;
  std::map<QString, long long> faults_;
  long long reported_ = -1;
};

// Clicks `button` after ms (to end a running loop as the user would); a
// phase that ended early destroys the timer with its click.
std::unique_ptr<QTimer> ClickLater(QPushButton* button, int ms) {
  auto timer = std::make_unique<QTimer>();
  timer->setSingleShot(true);
  QObject::connect(timer.get(), &QTimer::timeout, button, [button] {
    if (button->isEnabled()) button->click();
  });
  timer->start(ms);
  return timer;
}

// The record file: the header, then whole lines of 13 tab-separated fields.
// Empty when it holds that, else what is wrong.
QString WholeLines(const QString& path, long long* lines) {
  *lines = 0;
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return QStringLiteral("cannot be read: ") + file.errorString();
  const QByteArray bytes = file.readAll();
  const qsizetype start = bytes.indexOf("DATE\tTIME\t");
  if (start < 0) return QStringLiteral("no header in %1 bytes").arg(bytes.size());
  const qsizetype body = bytes.indexOf("\r\n", start) + 2;
  static const QRegularExpression line(
      QStringLiteral("^\\d\\d-\\d\\d-\\d{4}\\t\\d\\d:\\d\\d:\\d\\d(\\t-?\\d+){11}$"));
  for (qsizetype at = body; at < bytes.size();) {
    const qsizetype end = bytes.indexOf("\r\n", at);
    const QString text = QString::fromLatin1(bytes.mid(at, end < 0 ? -1 : end - at));
    if (end < 0 || !line.match(text).hasMatch())
      return QStringLiteral("line %1 is \"%2\"").arg(*lines + 1).arg(text.left(120));
    ++*lines;
    at = end + 2;
  }
  return QString();
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication qapp(argc, argv);
  const double minutes = argc > 1 ? std::atof(argv[1]) : 30.0;
  const QString seed = argc > 2 ? QString::fromLatin1(argv[2]) : QStringLiteral("1");
  const QString meanGap = argc > 3 ? QString::fromLatin1(argv[3]) : QStringLiteral("4000");

  Sensor sensor({"--tcp", "127.0.0.1:0", "--random-faults", seed + "," + meanGap});
  if (sensor.port() == 0) {
    std::fprintf(stderr, "soak: the simulator did not start\n");
    return 2;
  }
  test::AppFixture f;
  SharedState& state = f.state();
  Panels& panels = f.panels();
  SensorLink& link = f.link().link();
  LiveController& live = f.app().live();
  // A failed connection attempt is answered OFFLINE, as the user would.
  for (int i = 0; i < 4; ++i) f.popups.generics.push_back(1);
  // Counted from the start: a slow start-up (under a heap profiler) meets
  // the first fault.
  long long messages = 0, requests = 0, reconnects = 0, cycles = 0, scans = 0, recordedFrames = 0;
  QObject::connect(&link, &SensorLink::linkFailed, [&] { ++messages; });
  QObject::connect(&link, &SensorLink::requestWritten, [&] { ++requests; });
  f.StartTcp(sensor.port());

  // Hang watch: requests, failures or reconnects must move within 10 s, and
  // a phase of 4 s must end (STOP clicked) within 20 s.
  long long lastProgress = -1;
  QElapsedTimer sinceProgress, phase;
  sinceProgress.start();
  phase.start();
  QTimer watch;
  QObject::connect(&watch, &QTimer::timeout, [&] {
    const long long progress = requests + messages + reconnects;
    if (progress != lastProgress) {
      lastProgress = progress;
      sinceProgress.restart();
    } else if (sinceProgress.elapsed() > 10000) {
      std::printf("HANG: no request, failure or reconnection for 10 s (cycle %lld)\n", cycles);
      std::fflush(stdout);
      sensor.Stop();
      _exit(3);
    }
    if (phase.elapsed() > 20000) {
      std::printf("HANG: phase %lld (or the reconnection before it) did not end within 20 s\n", cycles % 3);
      std::fflush(stdout);
      sensor.Stop();
      _exit(3);
    }
  });
  watch.start(500);

  const auto reconnect = [&] {
    for (int attempt = 0; state.SensorConnected != 1 && attempt < 20; ++attempt) {
      ++reconnects;
      f.popups.generics.push_back(1);
      panels.connectPage().ui.ButtonTryToConnect->click();
    }
    return state.SensorConnected == 1;
  };

  // The record file, selected once on the record page while connected: after
  // a failed start-up its button is dimmed and the click would select nothing.
  const QString recordPath = f.Path(QStringLiteral("SoakRecord.dat"));
  auto& rec = panels.recordPage().ui;
  reconnect();
  f.popups.files.push_back({FileSelect::New, recordPath});
  rec.ButtonSelRecFile->click();
  if (rec.DispRecFile->text() != recordPath) {
    std::printf("FAILED: the record file could not be selected\n");
    return 1;
  }
  SetRingValue(rec.RingRecordMode, RecordController::kContinuous);
  rec.NumInterval->setValue(0.25);

  auto& main = panels.mainPanel().ui;
  auto& scope = panels.scopePage().ui;
  QElapsedTimer wall;
  wall.start();
  const double cpu0 = CpuSeconds();
  long rssStart = 0;
  bool ok = true;
  while (wall.elapsed() < minutes * 60000) {
    phase.restart();
    if (!reconnect()) {
      std::printf("FAILED: no connection after 20 attempts\n");
      ok = false;
      break;
    }
    phase.restart();
    switch (cycles % 3) {
      case 0: {  // GO for 4 s
        const auto stop = ClickLater(main.ButtonStop, 4000);
        main.ButtonGo->click();
        break;
      }
      case 1: {  // continuous recording for 4 s
        const long long before = live.FrameCount();
        const auto stop = ClickLater(rec.ButtonStopRecord, 4000);
        panels.ShowMainPage(MainPanel::kRecordPage);
        rec.ButtonStartRecord->click();
        recordedFrames += live.FrameCount() - before;
        break;
      }
      default: {  // scope scans for about 4 s
        panels.ShowMainPage(MainPanel::kScopePage);
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < 4000 && state.SensorConnected == 1) {
          scope.ButtonScan->click();
          ++scans;
        }
      }
    }
    ++cycles;
    // The scripted popups keep a record of every popup for tests to assert
    // on; the soak counts failures by signal, so the record only would grow.
    f.popups.Clear();
    if (cycles == 3) rssStart = ResidentKiB();  // after the first of each phase: caches are warm
    // The course of resident memory tells a steady climb from a plateau.
    if (cycles % 30 == 0) {
      std::printf("cycle %lld: RSS %ld KiB, heap in use %ld KiB, %lld faults so far\n", cycles, ResidentKiB(),
                  HeapInUseKiB(), sensor.Total());
      std::fflush(stdout);
    }
    if (!sensor.Running()) {
      std::printf("FAILED: the simulator ended\n");
      ok = false;
      break;
    }
  }
  const double seconds = wall.elapsed() / 1000.0;
  const double cpu = CpuSeconds() - cpu0;
  const long rssEnd = ResidentKiB();
  // Late fault lines still in the pipe.
  QElapsedTimer settle;
  settle.start();
  while (settle.elapsed() < 500) QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
  const long long injected = sensor.Stop();

  long long expected = 0, splits = 0;
  std::printf("soak: %.1f min, %lld cycles (GO, recording, %lld scans), %lld requests, %lld reconnections\n",
              seconds / 60, cycles, scans, requests, reconnects);
  std::printf("faults injected: %lld by the simulator's count:", injected);
  for (const auto& [kind, count] : sensor.faults()) {
    std::printf(" %s %lld", qPrintable(kind), count);
    if (kind == QLatin1String("split")) {
      splits += count;
    } else {
      expected += count;
    }
  }
  std::printf("\nfailures reported: %lld (expected %lld: one per fault, none for the %lld split answers)\n",
              messages, expected, splits);
  long long lines = 0;
  const QString broken = WholeLines(recordPath, &lines);
  const bool whole = broken.isEmpty();
  std::printf("record file: %s, %lld lines for %lld recorded frames\n",
              whole ? "whole lines only" : qPrintable("BROKEN, " + broken), lines, recordedFrames);
  std::printf("RSS: %ld KiB after the first cycle, %ld KiB at the end (%+ld KiB)\n", rssStart, rssEnd,
              rssEnd - rssStart);
  std::printf("CPU: %.1f s in %.1f s (%.1f %% of one core)\n", cpu, seconds, 100 * cpu / seconds);
  if (injected != sensor.Total()) {
    std::printf("FAILED: the simulator counted %lld faults, its lines %lld\n", injected, sensor.Total());
    ok = false;
  }
  if (messages != expected) {
    std::printf("FAILED: %lld failures reported for %lld faults\n", messages, expected);
    ok = false;
  }
  if (!whole || lines != recordedFrames) {
    std::printf("FAILED: the record file does not hold one whole line per recorded frame\n");
    ok = false;
  }
  if (rssEnd - rssStart > 5 * 1024) {
    std::printf("FAILED: resident memory grew by more than 5 MB\n");
    ok = false;
  }
  std::printf("%s\n", ok ? "soak passed" : "soak FAILED");
  std::fflush(stdout);
  // For a heap profiler: what is still allocated at the end counts as leaked,
  // so two runs of different length tell what grows with the cycles.
  if (qEnvironmentVariableIsSet("SOAK_NO_TEARDOWN")) _exit(ok ? 0 : 1);
  return ok ? 0 : 1;
}
