#include "base/event_wait.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include "base/shared_state.h"

namespace trivolux {

WaitResult WaitUntil(const SharedState& state, const std::function<bool()>& done, QDeadlineTimer deadline) {
  QTimer wake;
  wake.setSingleShot(true);
  wake.setTimerType(Qt::PreciseTimer);
  for (;;) {
    if (done()) return WaitResult::Done;
    if (state.QuitRequested) return WaitResult::Quit;
    if (deadline.hasExpired()) return WaitResult::Deadline;
    if (!deadline.isForever() && !wake.isActive()) {
      // Wakes the blocking processEvents below at the deadline at the latest
      // (+1 ms so a timer that rounds down cannot leave us short of it).
      const qint64 left = deadline.remainingTime();
      wake.start(static_cast<int>(qBound<qint64>(0, left + 1, 24LL * 3600 * 1000)));
    }
    // Blocks until at least one event arrived and was handled.
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents | QEventLoop::AllEvents);
  }
}

}  // namespace trivolux
