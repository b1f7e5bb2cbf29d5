// The scope scan of the assembled program (real panels, offscreen platform)
// against the simulator as its own process over loopback TCP, with the
// trigger coming after 10 s: the process CPU while the scan waits for its
// result blocks (target: under 1 % of one core), then the time of the scan
// that follows a trigger every 20 ms.
// Usage: bench_scope
#include <QApplication>
#include <QElapsedTimer>
#include <cstdio>

#include "app/scope_app.h"
#include "app_fixture.h"
#include "params/panel_access.h"
#include "process_cpu.h"
#include "scope/scope_controller.h"
#include "sim_process.h"
#include "ui/panels.h"

int main(int argc, char** argv) {
  using namespace trivolux;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  for (const char* period : {"10000", "20"}) {
    bench::SimProcess sim({"--tcp", "127.0.0.1:0", "--trigger-period", period});
    test::AppFixture f;
    f.StartTcp(sim.port());
    auto& sp = f.panels().scopePage().ui;
    SetRingValue(sp.RingTriggerMode, 1);  // waits for the simulated trigger
    QElapsedTimer wall;
    const double cpu0 = bench::CpuSeconds();
    wall.start();
    const int result = f.app().scope().GetScopeData();
    const double seconds = wall.nsecsElapsed() / 1e9;
    std::printf("trigger every %s ms: scan %s after %.3f s, cpu %.2f %% of one core\n", period,
                result == 1 ? "plotted" : "failed", seconds, 100.0 * (bench::CpuSeconds() - cpu0) / seconds);
  }
  return 0;
}
