#include "sim/links.h"

#include <QTcpSocket>

namespace trivolux::sim {

TcpLink::TcpLink(QTcpSocket* socket, QObject* parent) : Link(parent), socket_(socket) {
  socket_->setParent(this);
  socket_->setSocketOption(QAbstractSocket::LowDelayOption, 1);
  connect(socket_, &QTcpSocket::readyRead, this, [this] { emit received(socket_->readAll()); });
  connect(socket_, &QTcpSocket::disconnected, this, &Link::closed);
  // Bytes that arrived before the connections above are picked up too.
  QMetaObject::invokeMethod(
      this,
      [this] {
        if (socket_->bytesAvailable() > 0) emit received(socket_->readAll());
      },
      Qt::QueuedConnection);
}

TcpLink::~TcpLink() {
  socket_->disconnect(this);
}

void TcpLink::Write(const QByteArray& bytes) {
  if (socket_->state() != QAbstractSocket::ConnectedState) return;
  socket_->write(bytes);
  // Into the kernel at once rather than on the next event-loop pass, so that
  // Pending() counts only what a peer has really left unread, not a burst of
  // answers to a burst of requests.
  socket_->flush();
}

qsizetype TcpLink::Pending() const {
  return socket_->bytesToWrite();
}

void TcpLink::Close() {
  socket_->disconnect(this);
  socket_->abort();
  emit closed();
}

}  // namespace trivolux::sim
