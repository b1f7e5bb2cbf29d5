#pragma once
// TCP/IP client through QTcpSocket. Connect waits at most 5000 ms on the event
// loop; failures map onto the TCP code table (TcpErrorText).
#include <QAbstractSocket>
#include <QTcpSocket>

#include "link/transport.h"

namespace trivolux {

struct SharedState;

// Text of a TCP connect error code ("Connection to server failed" for
// unknown codes).
QString TcpErrorText(int code);

namespace tcp_error {
constexpr int kUnableToEstablishConnection = -2;
constexpr int kFailedToConnect = -4;
constexpr int kTooManyConversations = -6;
constexpr int kWriteFailed = -8;
constexpr int kInvalidParameter = -9;
constexpr int kOutOfMemory = -10;
constexpr int kTimeOut = -11;
constexpr int kNoConnection = -12;
constexpr int kGeneralIo = -13;
constexpr int kConnectionClosed = -14;
constexpr int kNetworkNotReady = -17;
constexpr int kOther = -100;
}  // namespace tcp_error

class TcpTransport : public Transport {
  Q_OBJECT
 public:
  static constexpr int kConnectTimeoutMs = 5000;
  // Bytes the socket takes in before it stops reading; the rest waits in the
  // system's socket buffer and the sensor (flow control). It reads again once
  // the reader has emptied it. Far more than one answer (2048 bytes), so only
  // a sensor sending on its own for a long time while the program is held
  // (a popup left open) meets it.
  static constexpr qint64 kReadBufferSize = 64 * 1024;

  explicit TcpTransport(const SharedState& state, QObject* parent = nullptr);
  ~TcpTransport() override;

  // Settings used by the next Open; port 1..65535, anything else fails the
  // open with InvalidParameter.
  void SetAddress(const QString& host, int port) {
    host_ = host;
    port_ = port;
  }

  TransportKind Kind() const override { return TransportKind::Tcp; }
  int Open() override;
  void Close() override;
  bool IsOpen() const override { return socket_.state() == QAbstractSocket::ConnectedState; }
  qint64 Write(const std::uint8_t* data, qint64 count, int timeoutMs) override;
  qint64 BytesAvailable() const override { return socket_.bytesAvailable(); }
  qint64 Read(std::uint8_t* into, qint64 max) override;
  int ErrorStatus() const override { return 0; }
  void FlushQueues() override;
  void DiscardInput() override;
  QString ErrorText(int code) const override { return TcpErrorText(code); }

  static int ConnectErrorCode(QAbstractSocket::SocketError error);

 private:
  const SharedState& state_;
  QTcpSocket socket_;
  QString host_;
  int port_ = 0;
  bool closing_ = false;  // our own Close: not a server-side disconnect
};

}  // namespace trivolux
