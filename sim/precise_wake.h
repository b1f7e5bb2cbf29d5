#pragma once
// A single-shot wake-up with microsecond resolution for the line pacing: a
// serial line moves a 48-byte answer in 0.5 ms at 921600 baud, well below
// the millisecond steps of a QTimer. On Linux a timerfd watched by the
// event loop; elsewhere a precise QTimer rounded up to whole milliseconds.
#include <QObject>
#include <functional>
#include <memory>

namespace trivolux::sim {

class PreciseWake : public QObject {
  Q_OBJECT
 public:
  explicit PreciseWake(std::function<void()> wake, QObject* parent = nullptr);
  ~PreciseWake() override;

  // Calls wake once, `us` microseconds from now (replaces a pending wake).
  void Start(double us);
  void Stop();

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
  std::function<void()> wake_;
};

}  // namespace trivolux::sim
