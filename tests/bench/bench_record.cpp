// The record modes of the assembled program (real panels, offscreen
// platform) against the simulator as its own process over loopback TCP.
// Prints:
//   - the start-to-start interval of the order-8 requests of a continuous
//     recording at INTERVAL 0.25 s over 100 values: mean, deviation, min and
//     max, and the last request against 99 x 0.25 s after the first (target:
//     mean within 1 %, last within +-50 ms);
//   - the process CPU over that run and over one at INTERVAL 1.0 s, where
//     the program mostly waits (target: under 2 % of one core);
//   - a triggered recording for 10 s against a sensor sending a frame every
//     2 ms: frames the simulator sent, lines written, the program's counter,
//     and recorded frames per second.
// Usage: bench_record
#include <QApplication>
#include <QDoubleSpinBox>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <limits>
#include <vector>

#include "app/scope_app.h"
#include "app_fixture.h"
#include "link/link_controller.h"
#include "link/orders.h"
#include "link/sensor_link.h"
#include "params/panel_access.h"
#include "process_cpu.h"
#include "record/record_controller.h"
#include "sim_process.h"
#include "ui/panels.h"

namespace {

using namespace trivolux;

struct Run {
  std::vector<qint64> requests;  // order-8 request starts, ns
  double seconds = 0;
  double cpu = 0;
};

// A continuous recording at `interval` that STOP ends at `values` values.
Run Continuous(test::AppFixture& f, const QString& path, double interval, int values) {
  auto& ui = f.panels().recordPage().ui;
  SetRingValue(ui.RingRecordMode, RecordController::kContinuous);
  ui.NumInterval->setValue(interval);
  ui.DispRecFile->setText(path);
  Run r;
  QElapsedTimer clock;
  SensorLink& link = f.link().link();
  const auto written = QObject::connect(&link, &SensorLink::requestWritten, [&] {
    if (link.TxBuf[1] == order::kMeasure) r.requests.push_back(clock.nsecsElapsed());
  });
  const auto counted = QObject::connect(ui.DispCounter, &QDoubleSpinBox::valueChanged, [&](double v) {
    if (v >= values) ui.ButtonStopRecord->click();
  });
  const double cpu0 = bench::CpuSeconds();
  clock.start();
  ui.ButtonStartRecord->click();
  r.seconds = clock.nsecsElapsed() / 1e9;
  r.cpu = bench::CpuSeconds() - cpu0;
  QObject::disconnect(written);
  QObject::disconnect(counted);
  return r;
}

long long CountLines(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return -1;
  return file.readAll().count("\r\n");
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QTemporaryDir dir;
  bench::SimProcess sim({"--tcp", "127.0.0.1:0", "--trigger-period", "2"});
  test::AppFixture f;
  f.StartTcp(sim.port());
  auto& ui = f.panels().recordPage().ui;

  // Interval accuracy and the CPU of the waits between requests.
  const double interval = 0.25;
  const Run quarter = Continuous(f, dir.filePath("quarter.dat"), interval, 100);
  const std::vector<qint64>& t = quarter.requests;
  if (t.size() < 2) {
    std::printf("continuous recording: only %zu requests\n", t.size());
    return 1;
  }
  qint64 shortest = std::numeric_limits<qint64>::max(), longest = 0;
  for (std::size_t i = 1; i < t.size(); ++i) {
    shortest = std::min(shortest, t[i] - t[i - 1]);
    longest = std::max(longest, t[i] - t[i - 1]);
  }
  const int gaps = static_cast<int>(t.size()) - 1;
  const double span = (t.back() - t.front()) / 1e9;
  const double mean = span / gaps;
  std::printf("continuous, INTERVAL %.2f s, %zu requests (%lld lines written):\n", interval, t.size(),
              CountLines(dir.filePath("quarter.dat")));
  std::printf("  mean interval %.4f s (%+.3f %%), min %.4f s, max %.4f s\n", mean,
              100.0 * (mean - interval) / interval, shortest / 1e9, longest / 1e9);
  std::printf("  last request %.4f s after the first, %d x %.2f s = %.4f s (%+.1f ms)\n", span, gaps,
              interval, gaps * interval, 1e3 * (span - gaps * interval));
  std::printf("  cpu %.2f %% of one core over %.1f s\n", 100.0 * quarter.cpu / quarter.seconds,
              quarter.seconds);
  const Run second = Continuous(f, dir.filePath("second.dat"), 1.0, 10);
  std::printf("continuous, INTERVAL 1.00 s, %zu requests: cpu %.2f %% of one core over %.1f s\n",
              second.requests.size(), 100.0 * second.cpu / second.seconds, second.seconds);

  // Triggered: every frame the sensor sends by itself is one line. The file
  // is set directly, without a header, so every line is a data line.
  const QString path = dir.filePath("triggered.dat");
  SetRingValue(ui.RingRecordMode, RecordController::kTriggered);
  ui.DispRecFile->setText(path);
  QTimer::singleShot(10000, Qt::PreciseTimer, ui.ButtonStopRecord, &QPushButton::click);
  QElapsedTimer clock;
  const double cpu0 = bench::CpuSeconds();
  clock.start();
  ui.ButtonStartTrigRec->click();  // Confirm answers yes
  const double seconds = clock.nsecsElapsed() / 1e9;
  const double cpu = bench::CpuSeconds() - cpu0;
  const long long lines = CountLines(path);
  const long long counter = static_cast<long long>(ui.DispCounter->value());
  const long long sent = sim.StopAndCountAutoFrames();
  std::printf("triggered, simulator sending every 2 ms, %.2f s:\n", seconds);
  std::printf("  frames sent %lld, lines written %lld, counter %lld (lines %s counter)\n", sent, lines,
              counter, lines == counter ? "==" : "!=");
  // STOP ends the loop at once; the frames the sensor sends until the
  // program's "automatic sending off" reaches it are legitimately not
  // recorded, so a few frames at the end make up the difference.
  std::printf("  %.0f frames recorded/s, %lld sent but not recorded, cpu %.1f %% of one core\n",
              lines / seconds, sent - lines, 100.0 * cpu / seconds);
  return 0;
}
