#include "ui/replot_coalescer.h"

#include <QEvent>
#include <algorithm>

#include "qcustomplot.h"

namespace trivolux {

ReplotCoalescer::ReplotCoalescer(int intervalMs, QObject* parent) : QObject(parent), intervalMs_(intervalMs) {
  timer_.setSingleShot(true);
  connect(&timer_, &QTimer::timeout, this, &ReplotCoalescer::Flush);
  sinceFlush_.start();
}

ReplotCoalescer::Entry* ReplotCoalescer::Find(const QCustomPlot* plot) {
  auto it = std::find_if(entries_.begin(), entries_.end(), [plot](const Entry& e) { return e.plot == plot; });
  return it == entries_.end() ? nullptr : &*it;
}

const ReplotCoalescer::Entry* ReplotCoalescer::Find(const QCustomPlot* plot) const {
  return const_cast<ReplotCoalescer*>(this)->Find(plot);
}

void ReplotCoalescer::Request(QCustomPlot* plot) {
  Entry* entry = Find(plot);
  if (!entry) {
    entries_.push_back({plot, false});
    entry = &entries_.back();
    plot->installEventFilter(this);
    connect(plot, &QObject::destroyed, this, [this, plot] {
      entries_.erase(
          std::remove_if(entries_.begin(), entries_.end(), [plot](const Entry& e) { return e.plot == plot; }),
          entries_.end());
    });
  }
  entry->stale = true;
  if (!timer_.isActive()) {
    const qint64 wait = 2 * intervalMs_ - sinceFlush_.elapsed();
    timer_.start(static_cast<int>(std::max<qint64>(0, wait)));
  }
}

bool ReplotCoalescer::Pending(const QCustomPlot* plot) const {
  const Entry* entry = Find(plot);
  return entry && entry->stale;
}

void ReplotCoalescer::Replot(Entry& entry) {
  entry.stale = false;
  ++replots_;
  entry.plot->replot(QCustomPlot::rpQueuedRefresh);
}

void ReplotCoalescer::Flush() {
  timer_.stop();
  sinceFlush_.restart();
  for (Entry& entry : entries_) {
    if (entry.stale && entry.plot->isVisible()) Replot(entry);
  }
}

void ReplotCoalescer::FlushIfDue() {
  if (timer_.isActive() && sinceFlush_.elapsed() >= intervalMs_) Flush();
}

bool ReplotCoalescer::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Show) {
    if (Entry* entry = Find(static_cast<const QCustomPlot*>(watched)); entry && entry->stale) Replot(*entry);
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace trivolux
