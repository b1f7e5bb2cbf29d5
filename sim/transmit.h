#pragma once
// Outgoing and incoming byte handling between the sensor core and a link:
// PacedQueue holds bytes back to the speed of a serial line, FrameSender
// applies the output faults (corruption, splitting, delay) and keeps frames
// in order however they are delayed.
#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <deque>
#include <functional>

#include "sim/precise_wake.h"
#include "sim/sim_options.h"

namespace trivolux::sim {

// Releases bytes to a sink no faster than a serial line at `baud` with
// 10 bits per byte (start, 8 data, stop), in pieces of at most kChunk bytes
// as a receiver's FIFO hands them on. Disabled, it passes bytes at once.
class PacedQueue : public QObject {
  Q_OBJECT
 public:
  using Sink = std::function<void(const QByteArray&)>;
  PacedQueue(Sink sink, QObject* parent = nullptr);

  void SetEnabled(bool on) { enabled_ = on; }
  void SetBaud(int baud) { baud_ = baud; }
  int Baud() const { return baud_; }
  // While pacing, Push keeps at most this many bytes queued (0 = no limit).
  void SetCapacity(qsizetype bytes) { capacity_ = bytes; }
  // Returns how many bytes did not fit and were dropped (the tail of `bytes`).
  qsizetype Push(const QByteArray& bytes);
  // The rate changes once every byte queued so far has gone out.
  void ChangeBaudAfterQueued(int baud);
  void Clear();
  qsizetype Queued() const { return queue_.size(); }

  static constexpr qsizetype kChunk = 64;

 private:
  void Pump();
  double UsPerByte() const { return 10.0e6 / baud_; }

  Sink sink_;
  bool enabled_ = false;
  int baud_ = 115200;
  qsizetype capacity_ = 0;
  QByteArray queue_;
  qsizetype changeAt_ = -1;  // bytes to go before the new rate applies
  int changeBaud_ = 0;
  double lineClockUs_ = 0;  // when the line is free again
  QElapsedTimer clock_;
  PreciseWake wake_;
};

// Frame output with the faults of Faults applied.
class FrameSender : public QObject {
  Q_OBJECT
 public:
  using Sink = std::function<void(const QByteArray&)>;
  FrameSender(Faults& faults, Sink sink, QObject* parent = nullptr);

  // isAnswer: the answer to a request (the delay fault applies). after runs
  // once the frame's last byte was handed to the sink.
  void Send(QByteArray frame, bool isAnswer, std::function<void()> after = {});
  void Clear();
  bool Idle() const { return pieces_.empty(); }
  // Bytes of frames not yet handed to the sink.
  qsizetype Pending() const { return pendingBytes_; }

 private:
  struct Piece {
    qint64 dueMs;
    QByteArray bytes;
    std::function<void()> after;
  };
  void Corrupt(QByteArray& frame);
  void Pump();

  Faults& faults_;
  Sink sink_;
  std::deque<Piece> pieces_;
  qsizetype pendingBytes_ = 0;
  qint64 lastDueMs_ = 0;
  QElapsedTimer clock_;
  QTimer timer_;
};

}  // namespace trivolux::sim
