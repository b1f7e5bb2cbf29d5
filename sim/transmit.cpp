#include "sim/transmit.h"

#include <algorithm>
#include <cmath>

#include "link/crc8.h"
#include "link/frame.h"

namespace trivolux::sim {

PacedQueue::PacedQueue(Sink sink, QObject* parent)
    : QObject(parent), sink_(std::move(sink)), wake_([this] { Pump(); }) {
  clock_.start();
}

qsizetype PacedQueue::Push(const QByteArray& bytes) {
  if (!enabled_ && queue_.isEmpty()) {
    sink_(bytes);
    return 0;
  }
  const double now = static_cast<double>(clock_.nsecsElapsed()) / 1000.0;
  if (queue_.isEmpty()) lineClockUs_ = std::max(lineClockUs_, now);
  qsizetype dropped = 0;
  if (enabled_ && capacity_ > 0) {
    const qsizetype room = std::max<qsizetype>(0, capacity_ - queue_.size());
    dropped = std::max<qsizetype>(0, bytes.size() - room);
  }
  queue_.append(bytes.constData(), bytes.size() - dropped);
  Pump();
  return dropped;
}

void PacedQueue::ChangeBaudAfterQueued(int baud) {
  if (queue_.isEmpty()) {
    baud_ = baud;
    return;
  }
  changeAt_ = queue_.size();
  changeBaud_ = baud;
}

void PacedQueue::Clear() {
  queue_.clear();
  wake_.Stop();
  if (changeAt_ >= 0) baud_ = changeBaud_;
  changeAt_ = -1;
}

void PacedQueue::Pump() {
  const double now = static_cast<double>(clock_.nsecsElapsed()) / 1000.0;
  while (!queue_.isEmpty()) {
    if (!enabled_) {
      const QByteArray all = queue_;
      queue_.clear();
      sink_(all);
      break;
    }
    // Bytes whose last bit has left the line by now, handed on once a whole
    // piece (the rest of the queue, at most kChunk bytes) is through.
    qsizetype n = static_cast<qsizetype>(std::floor((now - lineClockUs_) / UsPerByte() + 1e-9));
    n = std::min(n, queue_.size());
    if (changeAt_ >= 0) n = std::min(n, changeAt_);
    if (n < std::min({queue_.size(), kChunk, changeAt_ >= 0 ? changeAt_ : kChunk})) break;
    const QByteArray out = queue_.left(n);
    queue_.remove(0, n);
    lineClockUs_ += static_cast<double>(n) * UsPerByte();
    if (changeAt_ >= 0) {
      changeAt_ -= n;
      if (changeAt_ == 0) {
        baud_ = changeBaud_;
        changeAt_ = -1;
      }
    }
    sink_(out);
  }
  if (!queue_.isEmpty()) {
    qsizetype piece = std::min(queue_.size(), kChunk);
    if (changeAt_ > 0) piece = std::min(piece, changeAt_);
    wake_.Start(lineClockUs_ + static_cast<double>(piece) * UsPerByte() - now);
  } else if (changeAt_ >= 0) {
    baud_ = changeBaud_;
    changeAt_ = -1;
  }
}

FrameSender::FrameSender(Faults& faults, Sink sink, QObject* parent)
    : QObject(parent), faults_(faults), sink_(std::move(sink)) {
  clock_.start();
  timer_.setSingleShot(true);
  timer_.setTimerType(Qt::PreciseTimer);
  connect(&timer_, &QTimer::timeout, this, [this] { Pump(); });
}

void FrameSender::Corrupt(QByteArray& frame) {
  auto* b = reinterpret_cast<std::uint8_t*>(frame.data());
  auto resealHeader = [b] { b[7] = Crc8(b, 7); };
  if (faults_.corruptSync > 0) {
    --faults_.corruptSync;
    b[0] = 0xAA;  // header CRC made to match: only the sync byte is wrong
    resealHeader();
  }
  if (faults_.corruptDataCrc > 0 && frame.size() > static_cast<qsizetype>(kHeaderSize)) {
    --faults_.corruptDataCrc;
    b[6] ^= 0xFF;
    resealHeader();
  }
  if (faults_.corruptHeaderCrc > 0) {
    --faults_.corruptHeaderCrc;
    b[7] ^= 0x5A;
  }
}

void FrameSender::Send(QByteArray frame, bool isAnswer, std::function<void()> after) {
  Corrupt(frame);
  const qint64 now = clock_.elapsed();
  qint64 due = std::max(now + (isAnswer ? std::max(0, faults_.delayMs) : 0), lastDueMs_);
  const int pieces = std::clamp<int>(faults_.splitPieces, 1, static_cast<int>(frame.size()));
  const qsizetype step = (frame.size() + pieces - 1) / pieces;
  for (qsizetype at = 0; at < frame.size(); at += step) {
    if (at > 0) due += std::max(0, faults_.splitPauseMs);
    pieces_.push_back({due, frame.mid(at, step), {}});
  }
  pieces_.back().after = std::move(after);
  pendingBytes_ += frame.size();
  lastDueMs_ = due;
  Pump();
}

void FrameSender::Clear() {
  pieces_.clear();
  pendingBytes_ = 0;
  timer_.stop();
  lastDueMs_ = 0;
}

void FrameSender::Pump() {
  const qint64 now = clock_.elapsed();
  while (!pieces_.empty() && pieces_.front().dueMs <= now) {
    Piece p = std::move(pieces_.front());
    pieces_.pop_front();
    pendingBytes_ -= p.bytes.size();
    sink_(p.bytes);
    if (p.after) p.after();
  }
  if (!pieces_.empty()) timer_.start(static_cast<int>(pieces_.front().dueMs - now));
}

}  // namespace trivolux::sim
