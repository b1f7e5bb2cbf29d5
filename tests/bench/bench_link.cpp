// Exchange throughput and idle cost of the link against the in-process
// simulator over loopback TCP (one thread, one event loop, as in the program).
//   BM_Order8Exchange: order-8 exchanges per second through DataExchange
//                      (target above 5000/s).
//   BM_HeaderTimeoutCpu: process CPU time used while a 3 s header wait runs
//                      against a peer that does not answer (target below 5 %).
#include <benchmark/benchmark.h>

#include <QElapsedTimer>

#include "base/event_wait.h"
#include "base/shared_state.h"
#include "link/orders.h"
#include "link/sensor_link.h"
#include "link/tcp_transport.h"
#include "process_cpu.h"
#include "sim/simulator.h"

namespace {

using namespace trivolux;

using bench::CpuSeconds;

struct Rig {
  SharedState state;
  sim::Simulator simulator;
  TcpTransport tcp{state};
  SensorLink link{state};
  int failures = 0;

  Rig() {
    QObject::connect(&link, &SensorLink::linkFailed, &link, [this] { ++failures; });
    link.SetTransport(&tcp);
    tcp.SetAddress("127.0.0.1", simulator.ListenTcp());
    tcp.Open();
    WaitUntil(
        state, [] { return false; }, QDeadlineTimer(50));  // let the simulator accept
  }
};

void BM_Order8Exchange(benchmark::State& st) {
  Rig rig;
  for (auto _ : st) {
    if (rig.link.Exchange(order::kMeasure, 0) != 1) st.SkipWithError("exchange failed");
  }
  st.counters["exchanges/s"] =
      benchmark::Counter(static_cast<double>(st.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_Order8Exchange)->UseRealTime()->MinTime(2.0);

void BM_HeaderTimeoutCpu(benchmark::State& st) {
  Rig rig;
  for (auto _ : st) {
    rig.simulator.faults().dropAnswerNth = 1;
    QElapsedTimer wall;
    wall.start();
    const double cpu0 = CpuSeconds();
    const int result = rig.link.Exchange(order::kMeasure, 0);
    const double cpu = CpuSeconds() - cpu0;
    const double seconds = wall.nsecsElapsed() / 1e9;
    if (result != -1) st.SkipWithError("the exchange did not time out");
    st.counters["wait_s"] = seconds;
    st.counters["cpu_ms"] = cpu * 1000;
    st.counters["cpu_percent"] = 100.0 * cpu / seconds;
  }
}
BENCHMARK(BM_HeaderTimeoutCpu)->UseRealTime()->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace
