#include "sim_client.h"

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <QSocketNotifier>
#include <QTimer>
#include <cerrno>

#include "link/frame.h"

namespace trivolux::sim::test {

bool WaitUntil(const std::function<bool()>& done, int timeoutMs) {
  // Each pass blocks until some event arrives (socket data, a simulator
  // timer, or the deadline itself), so nothing spins.
  QTimer deadline;
  deadline.setSingleShot(true);
  deadline.start(timeoutMs);
  while (!done() && deadline.isActive()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  return done();
}

Bytes Request(std::uint8_t order, std::uint16_t param, const Bytes& payload) {
  Bytes out(kHeaderSize + payload.size());
  BuildFrame(order, param, payload.data(), static_cast<std::uint16_t>(payload.size()), out.data());
  return out;
}

SimClient::SimClient() : reader_(kMaxAnswerData) {}

SimClient::~SimClient() {
  Close();
}

bool SimClient::ConnectTcp(quint16 port, int timeoutMs) {
  socket_ = std::make_unique<QTcpSocket>();
  QObject::connect(socket_.get(), &QTcpSocket::readyRead, [this] {
    if (reading_) OnBytes(socket_->readAll());
  });
  QObject::connect(socket_.get(), &QTcpSocket::disconnected, [this] { disconnected_ = true; });
  socket_->connectToHost(QStringLiteral("127.0.0.1"), port);
  return WaitUntil([this] { return socket_->state() == QAbstractSocket::ConnectedState; }, timeoutMs);
}

bool SimClient::OpenDevice(const QString& path) {
  fd_ = ::open(path.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
  if (fd_ < 0) return false;
  termios tio{};
  if (::tcgetattr(fd_, &tio) == 0) {
    ::cfmakeraw(&tio);
    ::tcsetattr(fd_, TCSANOW, &tio);
  }
  notifier_ = std::make_unique<QSocketNotifier>(fd_, QSocketNotifier::Read);
  QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] {
    char buf[4096];
    for (;;) {
      const ssize_t n = ::read(fd_, buf, sizeof buf);
      if (n > 0) {
        OnBytes(QByteArray(buf, static_cast<int>(n)));
        continue;
      }
      if (n < 0 && errno == EINTR) continue;
      break;
    }
  });
  return true;
}

void SimClient::Close() {
  if (socket_) {
    socket_->disconnect();
    socket_->abort();
    socket_.reset();
  }
  notifier_.reset();
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

bool SimClient::Connected() const {
  return (socket_ && socket_->state() == QAbstractSocket::ConnectedState) || fd_ >= 0;
}

void SimClient::Write(const Bytes& bytes) {
  if (socket_) {
    socket_->write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
  } else if (fd_ >= 0) {
    std::size_t done = 0;
    while (done < bytes.size()) {
      const ssize_t n = ::write(fd_, bytes.data() + done, bytes.size() - done);
      if (n > 0) {
        done += static_cast<std::size_t>(n);
      } else if (n < 0 && errno != EINTR && errno != EAGAIN) {
        break;
      } else if (n < 0 && errno == EAGAIN) {
        WaitUntil([] { return false; }, 1);
      }
    }
  }
}

void SimClient::SetReading(bool on) {
  reading_ = on;
  if (socket_) {
    // 1: Qt takes at most one byte off the kernel and then stops reading.
    socket_->setReadBufferSize(on ? 0 : 1);
    if (on && socket_->bytesAvailable() > 0) OnBytes(socket_->readAll());
  }
  if (notifier_) notifier_->setEnabled(on);
}

void SimClient::OnBytes(const QByteArray& b) {
  ++chunks_;
  received_.append(b);
  reader_.Feed(reinterpret_cast<const std::uint8_t*>(b.constData()), static_cast<std::size_t>(b.size()));
  while (auto e = reader_.Next()) events_.push_back(std::move(*e));
}

std::optional<FrameReader::Event> SimClient::ReadEvent(int timeoutMs) {
  if (!WaitUntil([this] { return !events_.empty(); }, timeoutMs)) return std::nullopt;
  FrameReader::Event e = std::move(events_.front());
  events_.erase(events_.begin());
  return e;
}

std::optional<FrameReader::Event> SimClient::ReadFrame(int timeoutMs) {
  auto e = ReadEvent(timeoutMs);
  if (!e || e->kind != FrameReader::Kind::Frame) return std::nullopt;
  return e;
}

std::optional<FrameReader::Event> SimClient::Exchange(std::uint8_t order, std::uint16_t param,
                                                      const Bytes& payload, int timeoutMs) {
  Write(Request(order, param, payload));
  return ReadFrame(timeoutMs);
}

}  // namespace trivolux::sim::test
