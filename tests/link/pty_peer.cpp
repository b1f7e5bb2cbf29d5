#include "pty_peer.h"

#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <algorithm>

#include "fake_peer.h"
#include "link/frame.h"
#include "link/serial_transport.h"

namespace trivolux::test {

PtyPeer::PtyPeer() {
  char name[256] = {};
  if (::openpty(&master_, &slave_, name, nullptr, nullptr) != 0) {
    master_ = slave_ = -1;
    return;
  }
  // Raw from the start: a cooked slave would echo the flood back to us.
  termios tio{};
  if (::tcgetattr(slave_, &tio) == 0) {
    ::cfmakeraw(&tio);
    ::tcsetattr(slave_, TCSANOW, &tio);
  }
  ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);
  comPort_ = ComPortNumberForDevice(QString::fromLocal8Bit(name));
  reader_ = new QSocketNotifier(master_, QSocketNotifier::Read, this);
  connect(reader_, &QSocketNotifier::activated, this, &PtyPeer::OnReadable);
  writer_ = new QSocketNotifier(master_, QSocketNotifier::Write, this);
  writer_->setEnabled(false);
  connect(writer_, &QSocketNotifier::activated, this, &PtyPeer::OnWritable);
}

PtyPeer::~PtyPeer() {
  delete reader_;
  delete writer_;
  if (master_ >= 0) ::close(master_);
  if (slave_ >= 0) ::close(slave_);
}

void PtyPeer::Flood(const QByteArray& pattern, qint64 total) {
  if (pattern.isEmpty() || master_ < 0) return;
  floodChunk_ = pattern.repeated(std::max<qsizetype>(1, 65536 / pattern.size()));
  floodOffset_ = 0;
  floodLeft_ = total;
  writer_->setEnabled(true);
}

void PtyPeer::StopFlood() {
  floodLeft_ = 0;
  writer_->setEnabled(!out_.isEmpty());
}

void PtyPeer::OnReadable() {
  char buf[4096];
  ssize_t n = 0;
  while ((n = ::read(master_, buf, sizeof buf)) > 0) pending_.append(buf, static_cast<int>(n));
  QByteArray request;
  while (TakeRequest(pending_, &request)) {
    requests.push_back(request);
    if (replies_.empty()) continue;
    out_ += replies_.front();
    replies_.pop_front();
    writer_->setEnabled(true);
  }
}

void PtyPeer::OnWritable() {
  while (!out_.isEmpty()) {
    const ssize_t n = ::write(master_, out_.constData(), static_cast<std::size_t>(out_.size()));
    if (n <= 0) return;  // full: the notifier calls again when there is room
    out_.remove(0, static_cast<int>(n));
  }
  while (floodLeft_ > 0) {
    const qint64 count = std::min<qint64>(floodLeft_, floodChunk_.size() - floodOffset_);
    const ssize_t n =
        ::write(master_, floodChunk_.constData() + floodOffset_, static_cast<std::size_t>(count));
    if (n <= 0) return;
    flooded_ += n;
    floodLeft_ -= n;
    floodOffset_ = (floodOffset_ + n) % static_cast<qint64>(floodChunk_.size());
  }
  writer_->setEnabled(false);
}

}  // namespace trivolux::test
