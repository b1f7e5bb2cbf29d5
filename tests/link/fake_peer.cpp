#include "fake_peer.h"

#include <QCoreApplication>
#include <QTimer>

#include "link/frame.h"

namespace trivolux::test {

FakePeer::FakePeer() {
  server_.listen(QHostAddress::LocalHost, 0);
  connect(&server_, &QTcpServer::newConnection, this, [this] {
    while (QTcpSocket* s = server_.nextPendingConnection()) {
      if (client_) client_->deleteLater();
      client_ = s;
      connect(s, &QTcpSocket::readyRead, this, &FakePeer::OnData);
    }
  });
}

void FakePeer::Push(const QByteArray& bytes) {
  if (client_) {
    client_->write(bytes);
    client_->flush();
  }
}

void FakePeer::CloseClient() {
  if (!client_) return;
  client_->disconnectFromHost();
  client_->deleteLater();
  client_ = nullptr;
}

void FakePeer::OnData() {
  auto* s = qobject_cast<QTcpSocket*>(sender());
  if (!s || s != client_) return;
  pending_ += s->readAll();
  QByteArray request;
  while (TakeRequest(pending_, &request)) {
    requests.push_back(request);
    if (replies_.empty()) continue;
    Reply r = replies_.front();
    replies_.pop_front();
    Send(r);
    if (!client_) return;
  }
}

void FakePeer::Send(const Reply& reply) {
  if (reply.silent) return;
  if (reply.close) {
    CloseClient();
    return;
  }
  const int pieces = std::max(1, reply.pieces);
  const int step = (reply.bytes.size() + pieces - 1) / pieces;
  for (int i = 0; i < pieces; ++i) {
    const QByteArray part = reply.bytes.mid(i * step, step);
    if (part.isEmpty()) break;
    if (i == 0 || reply.pauseMs == 0) {
      Push(part);
    } else {
      QTimer::singleShot(reply.pauseMs * i, this, [this, part] { Push(part); });
    }
  }
}

bool TakeRequest(QByteArray& pending, QByteArray* request) {
  if (pending.size() < static_cast<int>(kHeaderSize)) return false;
  const auto* p = reinterpret_cast<const std::uint8_t*>(pending.constData());
  const int total = static_cast<int>(kHeaderSize) + ReadU16(p + 4);
  if (pending.size() < total) return false;
  *request = pending.left(total);
  pending.remove(0, total);
  return true;
}

QByteArray AnswerFrame(std::uint8_t order, std::uint16_t param, const QByteArray& data) {
  QByteArray out(static_cast<int>(kHeaderSize) + data.size(), '\0');
  BuildFrame(order, param, reinterpret_cast<const std::uint8_t*>(data.constData()),
             static_cast<std::uint16_t>(data.size()), reinterpret_cast<std::uint8_t*>(out.data()));
  return out;
}

void EnsureCoreApp() {
  static int argc = 1;
  static char name[] = "link_test";
  static char* argv[] = {name, nullptr};
  if (!QCoreApplication::instance()) new QCoreApplication(argc, argv);
}

}  // namespace trivolux::test
