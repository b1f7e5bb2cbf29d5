// The factor calculation of the assembled program (real panels, offscreen
// platform): 100 measurement exchanges against the simulator as its own
// process on its pseudo-terminal paced at 115200 baud. Prints the time of
// CalcCF against the 0.49 s that 100 × 56 bytes take on the line (target:
// under 0.7 s), and how often a 10 ms timer of the window was served
// meanwhile (the window stays responsive: the largest gap between two
// ticks).
// Usage: bench_calib [runs, default 5]
#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>
#include <cstdio>

#include "app/scope_app.h"
#include "app_fixture.h"
#include "calib/calib_controller.h"
#include "pty_switch.h"
#include "sim_process.h"

int main(int argc, char** argv) {
  using namespace trivolux;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
  bench::SimProcess sim({"--tcp", "127.0.0.1:0", "--pty", "--line-rate", "--baud-index", "4"});
  test::AppFixture f;
  f.StartTcp(sim.port());
  bench::SwitchToPty(f, sim.pty(), 4);
  CalibController& calib = f.app().calib();
  std::printf("CalcCF, 100 samples at 115200 baud (line time 0.49 s):\n");
  for (int run = 0; run < runs; ++run) {
    f.popups.confirms = {true};
    QElapsedTimer wall, tick;
    qint64 longestGap = 0, ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
      longestGap = std::max(longestGap, tick.restart());
      ++ticks;
    });
    timer.start(10);
    tick.start();
    wall.start();
    calib.CalcCF();
    const double seconds = wall.nsecsElapsed() / 1e9;
    timer.stop();
    std::printf(
        "  run %d: %.3f s (%.0f %% of the line time), 10 ms timer served %lld times, longest gap %lld ms\n",
        run + 1, seconds, 100.0 * 0.49 / seconds, ticks, longestGap);
  }
  return 0;
}
