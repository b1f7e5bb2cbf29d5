#pragma once
// Coalesced replots for the live graphs. Their data and axes change with
// every measurement frame, which can come thousands of times a second; the
// pixels follow at most once per interval (screen rate), always from the
// newest data. A plot that is not visible stays pending until it is shown.
// A loop that waits for answers calls FlushIfDue right after sending a
// request, so the drawing overlaps the wait; the timer only catches what no
// loop flushes (one more interval later).
#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <vector>

class QCustomPlot;

namespace trivolux {

class ReplotCoalescer : public QObject {
  Q_OBJECT
 public:
  static constexpr int kDefaultIntervalMs = 16;

  explicit ReplotCoalescer(int intervalMs = kDefaultIntervalMs, QObject* parent = nullptr);

  // Marks the plot's picture stale; it is redrawn within one interval.
  void Request(QCustomPlot* plot);
  // Redraws every stale visible plot now.
  void Flush();
  // Flush when an interval has passed since the last one.
  void FlushIfDue();
  bool Pending(const QCustomPlot* plot) const;
  // Replots done since construction (for benchmarks and tests).
  long long ReplotCount() const { return replots_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Entry {
    QCustomPlot* plot;
    bool stale;
  };
  Entry* Find(const QCustomPlot* plot);
  const Entry* Find(const QCustomPlot* plot) const;
  void Replot(Entry& entry);

  int intervalMs_;
  QTimer timer_;
  QElapsedTimer sinceFlush_;
  std::vector<Entry> entries_;
  long long replots_ = 0;
};

}  // namespace trivolux
