#include "link/connection_summary.h"

#include <cstddef>

#include "link/link_texts.h"
#include "link/serial_transport.h"
#include "link/tcp_transport.h"

namespace trivolux {

namespace {

struct Reason {
  int code;
  const char* text;
};

const Reason kSerialOpenReasons[] = {
    {serial_error::kInvalidPort, "invalid COM port number"},
    {serial_error::kNoPort, "no serial port found"},
    {serial_error::kCannotOpen, "port cannot be opened (in use or no access)"},
    {serial_error::kInvalidBaudrate, "baud rate not supported by the port"},
    {serial_error::kTimeout, "port did not open in time"},
};

const Reason kTcpOpenReasons[] = {
    {tcp_error::kFailedToConnect, "connection refused"},
    {tcp_error::kUnableToEstablishConnection, "server not found"},
    {tcp_error::kTimeOut, "no connection within 5 s"},
    {tcp_error::kInvalidParameter, "invalid address or port"},
    {tcp_error::kConnectionClosed, "connection closed by the server"},
    {tcp_error::kNetworkNotReady, "network not ready"},
};

template <std::size_t N>
const char* Find(const Reason (&reasons)[N], int code) {
  for (const Reason& r : reasons)
    if (r.code == code) return r.text;
  return nullptr;
}

QString OpenFailureReason(int protocol, int code) {
  if (protocol == 0) {
    if (const char* text = Find(kSerialOpenReasons, code)) return QString::fromLatin1(text);
    return QStringLiteral("port error (%1)").arg(SerialErrorText(code));
  }
  if (const char* text = Find(kTcpOpenReasons, code)) return QString::fromLatin1(text);
  return QStringLiteral("cannot connect (%1)").arg(TcpErrorText(code));
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
