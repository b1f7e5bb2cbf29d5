// Full SEND and full GET of one parameter set (34 + 2 x 512 bytes) against
// the in-process simulator: over loopback TCP (target < 20 ms each) and over
// the simulator's pseudo-terminal paced at 115200 baud, where 1106 bytes of
// line traffic take 96 ms (target within 10 % of that).
#include <benchmark/benchmark.h>

#include <QRegularExpression>

#include "link/sensor_link.h"
#include "link/serial_transport.h"
#include "link/tcp_transport.h"
#include "params/param_transfer.h"
#include "sim/simulator.h"

namespace trivolux {
namespace {

constexpr double kLineBytes = 1106.0;
constexpr double kLineMs = kLineBytes * 10.0 / 115200.0 * 1000.0;

struct Rig {
  SharedState state;
  sim::Simulator sim;
  TcpTransport tcp{state};
  SerialTransport serial{state};
  SensorLink link{state};
  ParameterSet copy;
  ParamTransfer transfer{state, link, copy};
  bool ok = false;

  explicit Rig(bool pty) : sim(Options(pty)) {
    QObject::connect(&link, &SensorLink::linkFailed, &link, [this] { ok = false; });
    if (pty) {
      const QString slave = sim.OpenPty();
      const auto match = QRegularExpression("/dev/pts/(\\d+)$").match(slave);
      if (!match.hasMatch()) return;
      serial.SetPort(1000 + match.captured(1).toInt());
      serial.SetBaudIndex(4);
      link.SetTransport(&serial);
      ok = serial.Open() == 0;
    } else {
      tcp.SetAddress("127.0.0.1", sim.ListenTcp());
      link.SetTransport(&tcp);
      ok = tcp.Open() == 0;
    }
    state.SensorConnected = 1;
    // A set the sensor's plausibility check accepts: the file defaults.
    for (int i = 0; i < kParamWordCount; ++i) copy.block[i] = kParamDefaults[i];
  }

  static sim::SimOptions Options(bool pty) {
    sim::SimOptions options;
    options.lineRate = pty;
    options.baudIndex = 4;
    return options;
  }
};

void Run(benchmark::State& st, bool pty, bool send) {
  Rig rig(pty);
  if (!rig.ok) {
    st.SkipWithError("could not open the link to the simulator");
    return;
  }
  for (auto _ : st) {
    const int result = send ? rig.transfer.SendPara() : rig.transfer.GetPara();
    if (result != 1 || !rig.ok) {
      st.SkipWithError("transfer failed");
      break;
    }
  }
  if (pty) st.counters["line_ms"] = kLineMs;
}

void BM_SendTcp(benchmark::State& st) {
  Run(st, false, true);
}
void BM_GetTcp(benchmark::State& st) {
  Run(st, false, false);
}
void BM_SendPty115200(benchmark::State& st) {
  Run(st, true, true);
}
void BM_GetPty115200(benchmark::State& st) {
  Run(st, true, false);
}

BENCHMARK(BM_SendTcp)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_GetTcp)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SendPty115200)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(10);
BENCHMARK(BM_GetPty115200)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(10);

}  // namespace
}  // namespace trivolux
