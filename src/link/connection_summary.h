#pragma once
// The connection state in one line for the status strip: connected (with
// the sensor's identification and the address, or the port and baud rate),
// connecting, not connected (with the precise reason of the last failure:
// refused, no answer, closed by the server...), or offline. The status line
// of the data panel keeps its documented texts ("TIMEOUT!"); this line says
// what actually happened.
#include <QString>

namespace trivolux {

enum class LinkState { NotConnected, Connecting, Connected, Offline };

struct ConnectionFacts {
  LinkState state = LinkState::NotConnected;
  int protocol = 1;        // 0 RS-232, 1 TCP/IP
  QString address;         // TCP server as typed
  int port = 0;            // TCP port
  QString device;          // RS-232 device name ("/dev/ttyS0", "COM1")
  int baudRate = 0;        // bit/s
  QString identification;  // displayed identification of the sensor
  int connectResult = 0;   // result of the last open or connect (negative: failed)
  QString failure;         // text of the last link failure; empty when none since the attempt
};

// The short reason of a failure: an open that failed (connectResult < 0,
// per protocol), else the failure text of the exchange.
QString FailureReason(int protocol, int connectResult, const QString& failure);
// "CONNECTED: TRIVOLUX VR V1.2 SIMULATOR, TCP/IP 127.0.0.1:10001", "NOT
// CONNECTED: connection refused (TCP/IP 127.0.0.1:10001)", "OFFLINE" and the like.
QString ConnectionSummary(const ConnectionFacts& facts);

}  // namespace trivolux
