// Transport settings and the mapping of open/connect failures onto the codes
// and texts the user sees.
#include <gtest/gtest.h>

#include <QSocketNotifier>
#include <QTcpServer>
#include <functional>

#include "base/event_wait.h"
#include "base/shared_state.h"
#include "fake_peer.h"
#include "link/serial_transport.h"
#include "link/tcp_transport.h"
#include "pty_peer.h"

namespace trivolux {
namespace {

TEST(BaudRate, TableAndOutOfRangeIndices) {
  EXPECT_EQ(BaudRateForIndex(0), 9600);
  EXPECT_EQ(BaudRateForIndex(3), 57600);
  EXPECT_EQ(BaudRateForIndex(7), 921600);
  EXPECT_EQ(BaudRateForIndex(8), 115200);
  EXPECT_EQ(BaudRateForIndex(65535), 115200);
}

TEST(ComPortNames, NumberRangesMapToDeviceFamiliesAndBack) {
#ifndef Q_OS_WIN
  const std::pair<int, const char*> cases[] = {
      {1, "/dev/ttyS0"},     {99, "/dev/ttyS98"},  {101, "/dev/ttyUSB0"}, {150, "/dev/ttyUSB49"},
      {201, "/dev/ttyACM0"}, {1000, "/dev/pts/0"}, {1007, "/dev/pts/7"}};
  for (const auto& [number, name] : cases) {
    EXPECT_EQ(ComPortDeviceName(number), QString(name)) << number;
    EXPECT_EQ(ComPortNumberForDevice(name), number) << name;
  }
  for (int gap : {0, -3, 100, 200, 300, 999}) EXPECT_TRUE(ComPortDeviceName(gap).isEmpty()) << gap;
  // Names outside the families, or beyond a family's range, have no number:
  // ttyS150 must not come back as 151, which is ttyUSB50.
  for (const char* name : {"/dev/null", "/dev/ttyS99", "/dev/ttyS150", "/dev/ttyUSB99", "/dev/video0", ""})
    EXPECT_EQ(ComPortNumberForDevice(name), -1) << name;
#endif
  // Windows port names as the system reports them.
  EXPECT_EQ(ComPortNumberForDevice("COM3"), 3);
}

// The selector names what the system reports, once: Linux repeats the
// device name as the description of a plain port, and a description may
// already carry the maker.
TEST(ComPortNames, LabelsAddWhatTheSystemSaysOnce) {
  const struct {
    const char *description, *manufacturer, *label;
  } cases[] = {{"FT232R USB UART", "FTDI", "101  /dev/ttyUSB0  FT232R USB UART (FTDI)"},
               {"", "", "101  /dev/ttyUSB0"},
               {"ttyUSB0", "", "101  /dev/ttyUSB0"},
               {"", "Prolific", "101  /dev/ttyUSB0  Prolific"},
               {"CP2102 USB to UART Bridge (Silicon Labs)", "Silicon Labs",
                "101  /dev/ttyUSB0  CP2102 USB to UART Bridge (Silicon Labs)"}};
  for (const auto& c : cases)
    EXPECT_EQ(ComPortLabel(101, "/dev/ttyUSB0", c.description, c.manufacturer), QString(c.label)) << c.label;
}

TEST(ErrorTexts, UnknownCodesGetTheGeneralText) {
  EXPECT_EQ(SerialErrorText(-4), "Unknown I/0 error");
  EXPECT_EQ(SerialErrorText(-5), "RS-232 error!");
  EXPECT_EQ(TcpErrorText(-20), "InfoNotAvailable");
  EXPECT_EQ(TcpErrorText(-21), "Connection to server failed");
  EXPECT_EQ(TcpErrorText(tcp_error::kOther), "Connection to server failed");
}

class TransportOpen : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { test::EnsureCoreApp(); }
  SharedState state;
};

TEST_F(TransportOpen, SerialPortsThatCannotExist) {
  SerialTransport serial(state);
  serial.SetPort(0);
  EXPECT_EQ(serial.Open(), serial_error::kInvalidPort);
  serial.SetPort(150);  // /dev/ttyUSB49
  EXPECT_EQ(serial.Open(), serial_error::kNoPort);
  EXPECT_EQ(serial.ErrorText(serial_error::kNoPort), "No serial port found");
  EXPECT_FALSE(serial.IsOpen());
  EXPECT_EQ(serial.BytesAvailable(), 0);
  const std::uint8_t byte = 0;
  EXPECT_EQ(serial.Write(&byte, 1, 100), -1);
}

TEST_F(TransportOpen, TcpParametersOutsideTheirRange) {
  TcpTransport tcp(state);
  for (int port : {0, -1, 65536, 99999}) {
    tcp.SetAddress("127.0.0.1", port);
    EXPECT_EQ(tcp.Open(), tcp_error::kInvalidParameter) << port;
  }
  tcp.SetAddress("  ", 10001);
  EXPECT_EQ(tcp.Open(), tcp_error::kInvalidParameter);
}

TEST_F(TransportOpen, TcpRefusedAndUnresolvable) {
  quint16 freePort = 0;
  {
    QTcpServer probe;
    ASSERT_TRUE(probe.listen(QHostAddress::LocalHost, 0));
    freePort = probe.serverPort();
  }
  TcpTransport tcp(state);
  tcp.SetAddress("127.0.0.1", freePort);
  EXPECT_EQ(tcp.Open(), tcp_error::kFailedToConnect);
  EXPECT_FALSE(tcp.IsOpen());
  tcp.SetAddress("no-such-host.invalid", 10001);
  const int code = tcp.Open();
  // Without a reachable name server the lookup runs into the connect timeout.
  EXPECT_TRUE(code == tcp_error::kUnableToEstablishConnection || code == tcp_error::kTimeOut) << code;
}

TEST_F(TransportOpen, TcpReconnectReplacesTheConversationWithoutADisconnectReport) {
  test::FakePeer peer;
  TcpTransport tcp(state);
  int disconnects = 0;
  QObject::connect(&tcp, &Transport::disconnected, [&] { ++disconnects; });
  tcp.SetAddress("127.0.0.1", peer.Port());
  ASSERT_EQ(tcp.Open(), 0);
  ASSERT_EQ(tcp.Open(), 0);
  tcp.Close();
  EXPECT_FALSE(tcp.IsOpen());
  EXPECT_EQ(disconnects, 0);
}

class SerialInput : public TransportOpen {};

TEST_F(SerialInput, StopsAtTheBoundAndADiscardLetsTheNextBytesIn) {
  const std::pair<const char*, std::function<void(SerialTransport&)>> discards[] = {
      {"DiscardInput", [](SerialTransport& s) { s.DiscardInput(); }},
      {"FlushQueues", [](SerialTransport& s) { s.FlushQueues(); }},
  };
  test::PtyPeer peer;
  ASSERT_GE(peer.ComPort(), 1000);
  SerialTransport serial(state);
  serial.SetPort(peer.ComPort());
  ASSERT_EQ(serial.Open(), 0);
  for (const auto& [name, discard] : discards) {
    peer.Flood("noise", qint64{64} << 10);
    ASSERT_EQ(WaitUntil(
                  state, [&] { return serial.BytesAvailable() >= SerialTransport::kReadBufferSize; },
                  QDeadlineTimer(5000)),
              WaitResult::Done)
        << name;
    {
      // Both descriptors become readable in the same round of the event loop,
      // so once this one fired the port has met its full queue and stopped.
      QSocketNotifier input(peer.SlaveDescriptor(), QSocketNotifier::Read);
      bool readable = false;
      QObject::connect(&input, &QSocketNotifier::activated, [&] {
        readable = true;
        input.setEnabled(false);
      });
      ASSERT_EQ(WaitUntil(
                    state, [&] { return readable; }, QDeadlineTimer(5000)),
                WaitResult::Done)
          << name;
    }
    EXPECT_EQ(serial.BytesAvailable(), SerialTransport::kReadBufferSize) << name;
    peer.StopFlood();
    discard(serial);
    EXPECT_EQ(serial.BytesAvailable(), 0) << name;
    peer.Flood("fresh", 5);
    ASSERT_EQ(WaitUntil(
                  state, [&] { return serial.BytesAvailable() >= 5; }, QDeadlineTimer(5000)),
              WaitResult::Done)
        << name;
    std::uint8_t got[8] = {};
    EXPECT_EQ(serial.Read(got, sizeof got), 5) << name;
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(got), 5), "fresh") << name;
  }
}

}  // namespace
}  // namespace trivolux
