#include "link/tcp_transport.h"

#include "base/event_wait.h"
#include "base/shared_state.h"

namespace trivolux {

QString TcpErrorText(int code) {
  static const char* const kTexts[] = {"UnableToRegisterService",
                                       "UnableToEstablishConnection",
                                       "ExistingServer",
                                       "FailedToConnect",
                                       "ServerNotRegistered",
                                       "TooManyConversations",
                                       "ReadFailed",
                                       "WriteFailed",
                                       "InvalidParameter",
                                       "OutOfMemory",
                                       "TimeOutError",
                                       "NoConnectionEstablished",
                                       "GeneralIOErr",
                                       "ConnectionClosed",
                                       "UnableToLoadWinsockDLL",
                                       "IncorrectWinsockDLLVersion",
                                       "NetworkSubsystemNotReady",
                                       "ConnectionsStillOpen",
                                       "DisconnectPending",
                                       "InfoNotAvailable"};
  if (code <= -1 && code >= -20) return QString::fromLatin1(kTexts[-code - 1]);
  return QStringLiteral("Connection to server failed");
}

int TcpTransport::ConnectErrorCode(QAbstractSocket::SocketError error) {
  switch (error) {
    case QAbstractSocket::HostNotFoundError:
      return tcp_error::kUnableToEstablishConnection;
    case QAbstractSocket::ConnectionRefusedError:
      return tcp_error::kFailedToConnect;
    case QAbstractSocket::SocketTimeoutError:
      return tcp_error::kTimeOut;
    case QAbstractSocket::RemoteHostClosedError:
      return tcp_error::kConnectionClosed;
    case QAbstractSocket::NetworkError:
    case QAbstractSocket::TemporaryError:
      return tcp_error::kNetworkNotReady;
    case QAbstractSocket::SocketResourceError:
      return tcp_error::kTooManyConversations;
    case QAbstractSocket::SocketAccessError:
    case QAbstractSocket::UnsupportedSocketOperationError:
      return tcp_error::kGeneralIo;
    case QAbstractSocket::AddressInUseError:
    case QAbstractSocket::SocketAddressNotAvailableError:
      return tcp_error::kInvalidParameter;
    default:
      return tcp_error::kOther;
  }
}

TcpTransport::TcpTransport(const SharedState& state, QObject* parent) : Transport(parent), state_(state) {
  socket_.setReadBufferSize(kReadBufferSize);
  connect(&socket_, &QTcpSocket::readyRead, this, &Transport::readyRead);
  connect(&socket_, &QTcpSocket::disconnected, this, [this] {
    if (!closing_) emit disconnected();
  });
}

TcpTransport::~TcpTransport() {
  closing_ = true;
  socket_.abort();
}

int TcpTransport::Open() {
  Close();
  if (host_.trimmed().isEmpty() || port_ < 1 || port_ > 65535) return tcp_error::kInvalidParameter;
  bool failed = false;
  QAbstractSocket::SocketError error = QAbstractSocket::UnknownSocketError;
  const auto onError =
      connect(&socket_, &QAbstractSocket::errorOccurred, this, [&](QAbstractSocket::SocketError e) {
        failed = true;
        error = e;
      });
  socket_.connectToHost(host_.trimmed(), static_cast<quint16>(port_));
  const auto r = WaitUntil(
      state_, [&] { return failed || IsOpen(); }, QDeadlineTimer(kConnectTimeoutMs));
  disconnect(onError);
  if (IsOpen()) return 0;
  Close();
  if (failed) return ConnectErrorCode(error);
  return r == WaitResult::Quit ? tcp_error::kOther : tcp_error::kTimeOut;
}

void TcpTransport::Close() {
  closing_ = true;
  socket_.abort();
  closing_ = false;
}

qint64 TcpTransport::Write(const std::uint8_t* data, qint64 count, int timeoutMs) {
  if (!IsOpen()) return -1;
  const qint64 queued = socket_.write(reinterpret_cast<const char*>(data), count);
  if (queued != count) return -1;
  socket_.flush();
  if (socket_.bytesToWrite() > 0) {
    const auto r = WaitUntil(
        state_, [this] { return !IsOpen() || socket_.bytesToWrite() == 0; }, QDeadlineTimer(timeoutMs));
    if (r != WaitResult::Done || !IsOpen()) return -1;
  }
  return queued;
}

qint64 TcpTransport::Read(std::uint8_t* into, qint64 max) {
  if (max <= 0) return 0;
  return socket_.read(reinterpret_cast<char*>(into), max);
}

void TcpTransport::FlushQueues() {
  DiscardInput();
}

void TcpTransport::DiscardInput() {
  socket_.skip(socket_.bytesAvailable());
}

}  // namespace trivolux
