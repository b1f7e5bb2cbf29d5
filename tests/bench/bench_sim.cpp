// Order-8 round trips over loopback TCP against the simulator, from a tight
// blocking client. The simulator runs its own event loop in a second thread
// (the only place a second thread is used: it stands for a separate process).
// Reports exchanges per second and the median latency per exchange.
#include <arpa/inet.h>
#include <benchmark/benchmark.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QThread>
#include <algorithm>
#include <chrono>
#include <memory>
#include <vector>

#include "link/frame.h"
#include "sim/simulator.h"

namespace {

using trivolux::sim::Simulator;

class SimThread {
 public:
  SimThread() {
    thread_.start();
    context_.moveToThread(&thread_);
    QMetaObject::invokeMethod(
        &context_,
        [this] {
          trivolux::sim::SimOptions options;
          options.target = std::array<int, 3>{1200, 1000, 800};
          sim_ = std::make_unique<Simulator>(options);
          port_ = sim_->ListenTcp();
        },
        Qt::BlockingQueuedConnection);
  }
  ~SimThread() {
    QMetaObject::invokeMethod(
        &context_, [this] { sim_.reset(); }, Qt::BlockingQueuedConnection);
    thread_.quit();
    thread_.wait();
  }
  quint16 Port() const { return port_; }

 private:
  QThread thread_;
  QObject context_;
  std::unique_ptr<Simulator> sim_;
  quint16 port_ = 0;
};

int Connect(quint16 port) {
  const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  const int one = 1;
  ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_port = htons(port);
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (::connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0) {
    ::close(fd);
    return -1;
  }
  return fd;
}

bool ReadAll(int fd, std::uint8_t* p, std::size_t n) {
  while (n > 0) {
    const ssize_t got = ::recv(fd, p, n, 0);
    if (got <= 0) return false;
    p += got;
    n -= static_cast<std::size_t>(got);
  }
  return true;
}

void BM_Order8RoundTrip(benchmark::State& state) {
  SimThread simThread;
  const int fd = Connect(simThread.Port());
  if (fd < 0) {
    state.SkipWithError("cannot connect to the simulator");
    return;
  }
  std::uint8_t request[trivolux::kHeaderSize];
  trivolux::BuildFrame(8, 0, nullptr, 0, request);
  std::uint8_t answer[48];
  std::vector<double> latencyUs;
  latencyUs.reserve(1 << 20);
  for (auto _ : state) {
    const auto t0 = std::chrono::steady_clock::now();
    if (::send(fd, request, sizeof request, 0) != static_cast<ssize_t>(sizeof request) ||
        !ReadAll(fd, answer, sizeof answer)) {
      state.SkipWithError("exchange failed");
      break;
    }
    latencyUs.push_back(
        std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - t0).count());
    if (answer[1] != 8 || answer[4] != 40) {
      state.SkipWithError("wrong answer");
      break;
    }
  }
  ::close(fd);
  if (!latencyUs.empty()) {
    std::nth_element(latencyUs.begin(), latencyUs.begin() + static_cast<long>(latencyUs.size() / 2),
                     latencyUs.end());
    state.counters["median_us"] = latencyUs[latencyUs.size() / 2];
  }
  state.counters["exchanges_per_s"] =
      benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_Order8RoundTrip)->UseRealTime()->MinTime(2.0);

}  // namespace
