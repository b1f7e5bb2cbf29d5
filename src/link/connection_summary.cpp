#include "link/connection_summary.h"

#include "link/link_texts.h"
#include "link/serial_transport.h"
#include "link/tcp_transport.h"

namespace trivolux {

namespace {

QString OpenFailureReason(int protocol, int code) {
  if (protocol == 0) {
    switch (code) {
      case serial_error::kInvalidPort:
        return QStringLiteral("invalid COM port number");
      case serial_error::kNoPort:
        return QStringLiteral("no serial port found");
      case serial_error::kCannotOpen:
        return QStringLiteral("port cannot be opened (in use or no access)");
      case serial_error::kInvalidBaudrate:
        return QStringLiteral("baud rate not supported by the port");
      case serial_error::kTimeout:
        return QStringLiteral("port did not open in time");
      default:
        return QStringLiteral("port error (%1)").arg(SerialErrorText(code));
    }
  }
  switch (code) {
    case tcp_error::kFailedToConnect:
      return QStringLiteral("connection refused");
    case tcp_error::kUnableToEstablishConnection:
      return QStringLiteral("server not found");
    case tcp_error::kTimeOut:
      return QStringLiteral("no connection within 5 s");
    case tcp_error::kInvalidParameter:
      return QStringLiteral("invalid address or port");
    case tcp_error::kConnectionClosed:
      return QStringLiteral("connection closed by the server");
    case tcp_error::kNetworkNotReady:
      return QStringLiteral("network not ready");
    default:
      return QStringLiteral("cannot connect (%1)").arg(TcpErrorText(code));
  }
}

QString Where(const ConnectionFacts& f) {
  if (f.protocol == 0) return QStringLiteral("%1 at %2 baud").arg(f.device).arg(f.baudRate);
  return QStringLiteral("TCP/IP %1:%2").arg(f.address).arg(f.port);
}

}  // namespace

QString FailureReason(int protocol, int connectResult, const QString& failure) {
  if (connectResult < 0) return OpenFailureReason(protocol, connectResult);
  const struct {
    const char* text;
    const char* reason;
  } known[] = {
      {link_text::kTimeout, "no answer from the sensor"},
      {link_text::kPortError, "serial port error"},
      {link_text::kBadHeader, "answer with a bad header"},
      {link_text::kBadData, "answer with bad data"},
      {link_text::kUnknownOrder, "order refused by the sensor"},
      {link_text::kCommError, "communication error"},
      {link_text::kServerClosed, "server closed the connection"},
  };
  for (const auto& k : known)
    if (failure == QLatin1String(k.text)) return QString::fromLatin1(k.reason);
  // The sensor's plausibility report ends the link like a timeout does.
  if (failure.startsWith(QLatin1String("INFO!\n")))
    return QStringLiteral("the sensor reset implausible values to defaults");
  return failure.section(QLatin1Char('\n'), 0, 0).trimmed();
}

QString ConnectionSummary(const ConnectionFacts& f) {
  switch (f.state) {
    case LinkState::Connected:
      return QStringLiteral("CONNECTED: %1, %2").arg(f.identification, Where(f));
    case LinkState::Connecting:
      return QStringLiteral("CONNECTING: %1 ...").arg(Where(f));
    case LinkState::Offline:
    case LinkState::NotConnected:
      break;
  }
  // The failure that led here, if one did (a DISCONNECT has none).
  const bool failed = !f.failure.isEmpty() || f.connectResult < 0;
  const QString reason = failed ? FailureReason(f.protocol, f.connectResult, f.failure) : QString();
  if (f.state == LinkState::Offline)
    return failed ? QStringLiteral("OFFLINE after %1: parameters go to and from files").arg(reason)
                  : QStringLiteral("OFFLINE: parameters go to and from files");
  if (!failed) return QStringLiteral("NOT CONNECTED");
  return QStringLiteral("NOT CONNECTED: %1 (%2)").arg(reason, Where(f));
}

}  // namespace trivolux
