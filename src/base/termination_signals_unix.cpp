#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QObject>
#include <QSocketNotifier>
#include <csignal>

#include "base/termination_signals.h"

namespace trivolux {

namespace {
int g_signalPipe[2] = {-1, -1};

void OnSignal(int) {
  const char c = 1;
  [[maybe_unused]] const ssize_t n = ::write(g_signalPipe[1], &c, 1);
}
}  // namespace

bool OnTerminationSignals(QObject* context, std::function<void()> onSignal) {
  if (g_signalPipe[0] >= 0) return false;  // installed already
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, g_signalPipe) != 0) return false;
  // A flood of signals must not block the handler on a full socket: the
  // bytes beyond the buffer are dropped, the loop has enough to act on.
  ::fcntl(g_signalPipe[1], F_SETFL, ::fcntl(g_signalPipe[1], F_GETFL) | O_NONBLOCK);
  auto* notifier = new QSocketNotifier(g_signalPipe[0], QSocketNotifier::Read, context);
  QObject::connect(notifier, &QSocketNotifier::activated, context, [handler = std::move(onSignal)] {
    // One call per signal: each wrote one byte.
    char bytes[16];
    const ssize_t n = ::read(g_signalPipe[0], bytes, sizeof bytes);
    for (ssize_t i = 0; i < n; ++i) handler();
  });
  struct sigaction sa {};
  sa.sa_handler = OnSignal;
  sigemptyset(&sa.sa_mask);
  sa.sa_flags = SA_RESTART;
  sigaction(SIGTERM, &sa, nullptr);
  sigaction(SIGINT, &sa, nullptr);
  return true;
}

}  // namespace trivolux
