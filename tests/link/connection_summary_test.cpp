// The status strip's connection line: the state, where, and the precise
// reason of the last failure.
#include "link/connection_summary.h"

#include <gtest/gtest.h>

#include "link/link_texts.h"
#include "link/serial_transport.h"
#include "link/tcp_transport.h"

using namespace trivolux;

TEST(FailureReason, TellsARefusedConnectionFromASensorThatDoesNotAnswer) {
  const struct {
    int protocol;
    int connectResult;
    const char* failure;
    const char* reason;
  } cases[] = {
      {1, tcp_error::kFailedToConnect, "FailedToConnect", "connection refused"},
      {1, tcp_error::kUnableToEstablishConnection, "", "server not found"},
      {1, tcp_error::kTimeOut, "", "no connection within 5 s"},
      {0, serial_error::kNoPort, "", "no serial port found"},
      {0, serial_error::kCannotOpen, "", "port cannot be opened (in use or no access)"},
      {1, 0, link_text::kTimeout, "no answer from the sensor"},
      {1, 0, link_text::kServerClosed, "server closed the connection"},
      {0, 0, link_text::kBadHeader, "answer with a bad header"},
      {1, 0, "INFO!\n2 PARAMETER IN RAM DID NOT PASS", "the sensor reset implausible values to defaults"},
      {1, 0, "SOMETHING NEW!\nSECOND LINE", "SOMETHING NEW!"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(FailureReason(c.protocol, c.connectResult, QString::fromLatin1(c.failure)).toStdString(),
              c.reason)
        << c.failure;
}

TEST(ConnectionSummary, OneLinePerState) {
  ConnectionFacts tcp;
  tcp.address = "127.0.0.1";
  tcp.port = 10001;
  tcp.identification = "TRIVOLUX VR V1.2  SIMULATOR";
  ConnectionFacts serial = tcp;
  serial.protocol = 0;
  serial.device = "/dev/ttyS0";
  serial.baudRate = 115200;
  const auto with = [](ConnectionFacts f, LinkState s, int result = 0, const char* failure = "") {
    f.state = s;
    f.connectResult = result;
    f.failure = QString::fromLatin1(failure);
    return ConnectionSummary(f).toStdString();
  };
  EXPECT_EQ(with(tcp, LinkState::Connected),
            "CONNECTED: TRIVOLUX VR V1.2  SIMULATOR, TCP/IP 127.0.0.1:10001");
  EXPECT_EQ(with(serial, LinkState::Connected),
            "CONNECTED: TRIVOLUX VR V1.2  SIMULATOR, /dev/ttyS0 at 115200 baud");
  EXPECT_EQ(with(tcp, LinkState::Connecting), "CONNECTING: TCP/IP 127.0.0.1:10001 ...");
  EXPECT_EQ(with(tcp, LinkState::NotConnected), "NOT CONNECTED");
  EXPECT_EQ(with(tcp, LinkState::NotConnected, 0, link_text::kTimeout),
            "NOT CONNECTED: no answer from the sensor (TCP/IP 127.0.0.1:10001)");
  EXPECT_EQ(with(tcp, LinkState::Offline), "OFFLINE: parameters go to and from files");
  EXPECT_EQ(with(tcp, LinkState::Offline, tcp_error::kFailedToConnect, "FailedToConnect"),
            "OFFLINE after connection refused: parameters go to and from files");
}
