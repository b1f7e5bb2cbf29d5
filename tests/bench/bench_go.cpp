// The real GO loop (assembled program, real panels, offscreen platform)
// against the in-process simulator. Prints:
//   - frames per second over loopback TCP with every display current, per
//     data-panel page (target: at least 2000/s);
//   - frames per second over the line-rate-paced pseudo-terminal at 115200
//     and 921600 baud, against what the line allows (target: 95 %);
//   - process CPU while GO runs against the 115200-baud sensor (target: under
//     25 % of one core);
//   - resident memory before and after 100 000 frames (target: no growth
//     beyond noise).
// The simulator runs as its own process. For the paced lines the program's
// link alone (exchanges back to back, no displays) is measured as well: the
// pseudo-terminal and the simulator's pacing cost some of the line.
// Usage: bench_go [seconds per run, default 5]
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QTimer>
#include <cstdio>

#include "app/scope_app.h"
#include "app_fixture.h"
#include "base/shared_state.h"
#include "link/link_controller.h"
#include "live/live_controller.h"
#include "params/panel_access.h"
#include "params/param_controller.h"
#include "process_cpu.h"
#include "pty_switch.h"
#include "sim_process.h"
#include "ui/panels.h"

namespace {

using namespace trivolux;

using bench::CpuSeconds;
using bench::SimProcess;
using bench::SwitchToPty;

long ResidentKiB() {
  QFile statm("/proc/self/statm");
  if (!statm.open(QIODevice::ReadOnly)) return -1;
  const QList<QByteArray> fields = statm.readAll().split(' ');
  return fields.size() > 1 ? fields[1].toLong() * (sysconf(_SC_PAGESIZE) / 1024) : -1;
}

struct Run {
  long long frames = 0;
  double seconds = 0;
  double cpu = 0;
  long long replots = 0;
};

// GO until `seconds` have passed or `frames` frames were shown.
Run Go(test::AppFixture& f, double seconds, long long frames = 0) {
  LiveController& live = f.app().live();
  const long long start = live.FrameCount();
  const long long replots = live.graphs().replots().ReplotCount();
  QTimer stop;
  stop.setSingleShot(true);
  QObject::connect(&stop, &QTimer::timeout, [&] { f.state().RunFlag = 0; });
  stop.start(static_cast<int>(seconds * 1000));
  QMetaObject::Connection counter;
  if (frames > 0) {
    // Checked at every repaint opportunity: cheap and exact enough.
    auto* poll = new QTimer(&stop);
    QObject::connect(poll, &QTimer::timeout, [&] {
      if (live.FrameCount() - start >= frames) f.state().RunFlag = 0;
    });
    poll->start(5);
  }
  QElapsedTimer wall;
  const double cpu0 = CpuSeconds();
  wall.start();
  f.panels().mainPanel().ui.ButtonGo->click();
  Run r;
  r.seconds = wall.nsecsElapsed() / 1e9;
  r.cpu = CpuSeconds() - cpu0;
  r.frames = live.FrameCount() - start;
  r.replots = live.graphs().replots().ReplotCount() - replots;
  return r;
}

void Print(const char* what, const Run& r, double lineCap = 0) {
  std::printf("%-40s %8.0f frames/s  cpu %5.1f %%  replots %5.0f/s", what, r.frames / r.seconds,
              100.0 * r.cpu / r.seconds, r.replots / r.seconds);
  if (lineCap > 0)
    std::printf("  (line allows %.0f/s: %.1f %%)", lineCap, 100.0 * r.frames / r.seconds / lineCap);
  std::printf("\n");
}

// One request/answer cycle is 8 + 48 bytes of 10 bits on the line.
double LineCap(int baud) {
  return baud / 10.0 / 56.0;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const double seconds = argc > 1 ? std::atof(argv[1]) : 5.0;

  {
    SimProcess sim({"--tcp", "127.0.0.1:0"});
    test::AppFixture f;
    f.StartTcp(sim.port());
    const char* pages[] = {"TCP, RGB page", "TCP, X/Y/INT page", "TCP, 2D page",
                           "TCP, 3D page (CALCULATION MODE 2)"};
    for (int page = 0; page < 4; ++page) {
      if (page == 3) {
        // The 3D page is drawn in the 3D calculation modes: switch, and let GO send the set.
        SetRingValue(f.panels().parameterPage().ui.RingCalcMode, 2);
        f.params().rules().CBF_EditCalcmode();
        f.state().SendPending = 1;
      }
      f.panels().dataPanel().ui.TabDataP1->setCurrentIndex(page);
      Print(pages[page], Go(f, seconds));
    }
    // Memory: warm up, then 100 000 frames.
    Go(f, 60, 5000);
    const long before = ResidentKiB();
    const Run r = Go(f, 600, 100000);
    const long after = ResidentKiB();
    std::printf("%-40s %lld frames in %.1f s: RSS %ld KiB before, %ld KiB after (%+ld KiB)\n",
                "TCP, 100 000 frames", r.frames, r.seconds, before, after, after - before);
  }
  // Baud index 4 = 115200, 7 = 921600; -1: the pseudo-terminal without
  // pacing, where a cycle costs only what the processes and the kernel add.
  for (int baudIndex : {4, 7, -1}) {
    QStringList args{"--tcp", "127.0.0.1:0", "--pty"};
    if (baudIndex >= 0)
      args << "--line-rate"
           << "--baud-index" << QString::number(baudIndex);
    SimProcess sim(args);
    test::AppFixture f;
    f.StartTcp(sim.port());
    SwitchToPty(f, sim.pty(), baudIndex >= 0 ? baudIndex : 7);
    f.panels().dataPanel().ui.TabDataP1->setCurrentIndex(DataPanel::kPage2D);
    const int baud = baudIndex == 4 ? 115200 : 921600;
    const Run r = Go(f, seconds);
    Print(baudIndex < 0    ? "pty unpaced, 2D page"
          : baud == 115200 ? "pty 115200 baud, 2D page"
                           : "pty 921600 baud, 2D page",
          r, baudIndex < 0 ? 0 : LineCap(baud));
    // The same line without the program around it: order-8 exchanges back
    // to back, nothing shown.
    QElapsedTimer t;
    t.start();
    long long n = 0;
    while (t.nsecsElapsed() < seconds * 1e9 && f.link().link().Exchange(8, 0) == 1) ++n;
    const double alone = n / (t.nsecsElapsed() / 1e9);
    std::printf("%-40s %8.0f exchanges/s (%.0f us each; GO reaches %.1f %% of it)\n",
                "  same line, exchanges alone", alone, 1e6 / alone, 100.0 * (r.frames / r.seconds) / alone);
  }
  return 0;
}
