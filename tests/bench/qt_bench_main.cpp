// Entry point of the benchmarks that talk to the simulator: they need a Qt
// core application for its event loop, sockets and timers.
#include <benchmark/benchmark.h>

#include <QCoreApplication>

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
