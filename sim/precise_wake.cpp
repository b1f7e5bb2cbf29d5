#include "sim/precise_wake.h"

#include <QTimer>
#include <cmath>

#ifdef Q_OS_LINUX
#include <sched.h>
#include <sys/prctl.h>
#include <sys/timerfd.h>
#include <time.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <cstdint>
#endif

namespace trivolux::sim {

#ifdef Q_OS_LINUX
namespace {
// A sleeping process wakes up late by up to a few hundred microseconds on a
// busy or virtual machine, which is most of a cycle at 921600 baud. The
// timer is armed this much early and the rest is waited out on the clock.
constexpr long long kEarlyNs = 500000;

long long MonotonicNs() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return now.tv_sec * 1000000000LL + now.tv_nsec;
}
}  // namespace

struct PreciseWake::Impl {
  int fd = -1;
  std::unique_ptr<QSocketNotifier> notifier;
  long long targetNs = 0;
};

PreciseWake::PreciseWake(std::function<void()> wake, QObject* parent)
    : QObject(parent), impl_(std::make_unique<Impl>()), wake_(std::move(wake)) {
  // The default timer slack (50 us) is a tenth of a byte time at 921600 baud.
  prctl(PR_SET_TIMERSLACK, 1000UL, 0UL, 0UL, 0UL);
  impl_->fd = timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC);
  impl_->notifier = std::make_unique<QSocketNotifier>(impl_->fd, QSocketNotifier::Read);
  connect(impl_->notifier.get(), &QSocketNotifier::activated, this, [this] {
    std::uint64_t expirations = 0;
    if (::read(impl_->fd, &expirations, sizeof expirations) != sizeof expirations || expirations == 0) return;
    while (MonotonicNs() < impl_->targetNs) sched_yield();
    wake_();
  });
}

PreciseWake::~PreciseWake() {
  impl_->notifier.reset();
  if (impl_->fd >= 0) ::close(impl_->fd);
}

void PreciseWake::Start(double us) {
  const long long wait = static_cast<long long>(std::ceil(us * 1000.0));
  impl_->targetNs = MonotonicNs() + wait;
  // A zero it_value would disarm the timer: wait at least a microsecond.
  const long long ns = std::max(1000LL, wait - kEarlyNs);
  itimerspec spec{};
  spec.it_value.tv_sec = static_cast<time_t>(ns / 1000000000LL);
  spec.it_value.tv_nsec = static_cast<long>(ns % 1000000000LL);
  timerfd_settime(impl_->fd, 0, &spec, nullptr);
}

void PreciseWake::Stop() {
  itimerspec spec{};
  timerfd_settime(impl_->fd, 0, &spec, nullptr);
}
#else
struct PreciseWake::Impl {
  QTimer timer;
};

PreciseWake::PreciseWake(std::function<void()> wake, QObject* parent)
    : QObject(parent), impl_(std::make_unique<Impl>()), wake_(std::move(wake)) {
  impl_->timer.setSingleShot(true);
  impl_->timer.setTimerType(Qt::PreciseTimer);
  connect(&impl_->timer, &QTimer::timeout, this, [this] { wake_(); });
}

PreciseWake::~PreciseWake() = default;

void PreciseWake::Start(double us) {
  impl_->timer.start(std::max(0, static_cast<int>(std::ceil(us / 1000.0))));
}

void PreciseWake::Stop() {
  impl_->timer.stop();
}
#endif

}  // namespace trivolux::sim
