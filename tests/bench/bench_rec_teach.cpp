// The recorded-value teach of the assembled program (real panels, offscreen
// platform) against the simulator as its own process over loopback TCP.
// Prints:
//   - frames per second over the first 5000 points of a recording and over
//     points 50 000 to 55 000 (target: the later rate at least 80 % of the
//     first);
//   - one full repaint of the three graphs holding 60 000 points each, and
//     of one graph with 60 000 points spread over the whole plot (target:
//     under 30 ms for the three);
//   - SetCursorTP2 over 60 000 entries when no entry matches, the longest
//     search (target: under 2 ms).
// Usage: bench_rec_teach
#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <random>
#include <vector>

#include "app/scope_app.h"
#include "app_fixture.h"
#include "process_cpu.h"
#include "qcustomplot.h"
#include "sim_process.h"
#include "teach/rec_teach_controller.h"
#include "ui/panels.h"
#include "ui/point_cloud.h"

namespace {

using namespace trivolux;

// Best of `runs` timings of f, in milliseconds.
template <typename F>
double BestMs(int runs, F f) {
  double best = 1e9;
  for (int r = 0; r < runs; ++r) {
    QElapsedTimer t;
    t.start();
    f();
    best = std::min(best, t.nsecsElapsed() / 1e6);
  }
  return best;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  bench::SimProcess sim({"--tcp", "127.0.0.1:0"});
  test::AppFixture f;
  f.StartTcp(sim.port());
  f.panels().teachPage().ui.ButtonTeachRecVal->click();
  RecTeachController& rec = f.app().recTeach();
  RecTeachPanel& panel = f.panels().recTeachPanel();

  // Time stamps at fixed counts, taken by a timer that looks every
  // millisecond while the recording runs.
  const int marks[] = {0, 5000, 50000, 55000};
  qint64 at[4] = {-1, -1, -1, -1};
  QElapsedTimer wall;
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    for (int m = 0; m < 4; ++m)
      if (at[m] < 0 && rec.points().Count() >= marks[m]) at[m] = wall.nsecsElapsed();
  });
  poll.start(1);
  const long long replots0 = rec.replots().ReplotCount();
  const double cpu0 = bench::CpuSeconds();
  wall.start();
  panel.ui.ButtonTP2Start->click();  // ends by itself at 60 000
  const double seconds = wall.nsecsElapsed() / 1e9;
  poll.stop();
  const double early = (marks[1] - marks[0]) / ((at[1] - at[0]) / 1e9);
  const double late = (marks[3] - marks[2]) / ((at[3] - at[2]) / 1e9);
  std::printf("recording of %d points: %.2f s, cpu %.0f %%, %.0f replots/s\n", rec.points().Count(), seconds,
              100.0 * (bench::CpuSeconds() - cpu0) / seconds,
              (rec.replots().ReplotCount() - replots0) / seconds);
  std::printf("  points 0..5000:       %8.0f frames/s\n", early);
  std::printf("  points 50000..55000:  %8.0f frames/s (%.1f %% of the first)\n", late, 100.0 * late / early);
  long long redraws = 0;
  for (int g = 0; g < RecTeachPanel::kGraphs; ++g) redraws += panel.Points(g)->FullRedraws();
  std::printf("  full image redraws during the recording: %lld (three graphs)\n", redraws);

  // Full repaint: the images are thrown away and every point stamped again.
  const QSize size = panel.Graph(0)->size();
  const double three = BestMs(20, [&] {
    for (int g = 0; g < RecTeachPanel::kGraphs; ++g) {
      panel.Points(g)->Invalidate();
      panel.Graph(g)->replot(QCustomPlot::rpImmediateRefresh);
    }
  });
  const double blit = BestMs(20, [&] {
    for (int g = 0; g < RecTeachPanel::kGraphs; ++g) panel.Graph(g)->replot(QCustomPlot::rpImmediateRefresh);
  });
  std::printf("repaint of the three graphs (%dx%d) with 60 000 points each: %.2f ms full, %.2f ms cached\n",
              size.width(), size.height(), three, blit);

  // The same size of graph with 60 000 points spread over the whole plot.
  QCustomPlot plot;
  plot.resize(size);
  auto* cloud = new PointCloud(&plot, Qt::red);
  std::vector<double> xy(2 * 60000);
  std::mt19937 random(1);
  std::uniform_real_distribution<double> spread(0, 4096);
  for (double& v : xy) v = spread(random);
  cloud->SetSource(xy.data(), 2, 0, 1);
  cloud->SetCount(60000);
  plot.xAxis->setRange(0, 4096);
  plot.yAxis->setRange(0, 4096);
  plot.replot();
  const double spreadMs = BestMs(20, [&] {
    cloud->Invalidate();
    plot.replot(QCustomPlot::rpImmediateRefresh);
  });
  std::printf("repaint of one graph with 60 000 points spread over it: %.2f ms\n", spreadMs);

  // SetCursorTP2 with a cursor on no recorded point: the whole store searched.
  panel.SetCursor(0, 0, QPointF(-30000.5, -30000.5));
  const double cursor = BestMs(50, [&] {
    panel.SetCursor(0, 0, QPointF(-30000.5, -30000.5));
    rec.SetCursorTP2(0);
  });
  const double search = BestMs(50, [&] { (void)rec.points().FirstMatch(0, -30000.5, -30000.5); });
  std::printf("SetCursorTP2 over %d entries, no match: %.3f ms (search alone %.3f ms)\n",
              rec.points().Count(), cursor, search);
  return 0;
}
