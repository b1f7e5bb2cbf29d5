// The exchange against the in-process simulator over loopback TCP and over a
// pseudo-terminal: every fault mode gives exactly its documented text, once.
#include <gtest/gtest.h>

#include <QCoreApplication>

#include "base/event_wait.h"
#include "base/shared_state.h"
#include "fake_peer.h"
#include "link/link_texts.h"
#include "link/orders.h"
#include "link/sensor_link.h"
#include "link/serial_transport.h"
#include "link/tcp_transport.h"
#include "sim/simulator.h"

namespace trivolux {
namespace {

enum class Line { Tcp, Pty };

// Answers of the in-process simulator take well under a millisecond; the
// limit only has to outlast a busy test machine.
constexpr std::chrono::milliseconds kShortTimeout{250};

class SensorLinkSimTest : public ::testing::TestWithParam<Line> {
 protected:
  static void SetUpTestSuite() { test::EnsureCoreApp(); }

  void SetUp() override {
    QObject::connect(&link, &SensorLink::linkFailed, &link, [this] { reports.push_back(link.MessageText); });
    link.SetTimeouts(kShortTimeout, kShortTimeout);
    if (GetParam() == Line::Tcp) {
      link.SetTransport(&tcp);
      tcp.SetAddress("127.0.0.1", simulator.ListenTcp());
      ASSERT_EQ(tcp.Open(), 0);
    } else {
      const QString device = simulator.OpenPty();
      ASSERT_TRUE(device.startsWith("/dev/pts/")) << device.toStdString();
      serial.SetPort(ComPortNumberForDevice(device));
      serial.SetBaudIndex(simulator.BaudIndex());
      link.SetTransport(&serial);
      ASSERT_EQ(serial.Open(), 0);
    }
    ASSERT_EQ(link.Exchange(order::kIdentify, 0), 1);
  }

  int Measure() { return link.Exchange(order::kMeasure, 0); }

  SharedState state;
  sim::Simulator simulator;
  TcpTransport tcp{state};
  SerialTransport serial{state};
  SensorLink link{state};
  std::vector<QString> reports;
};

TEST_P(SensorLinkSimTest, IdentificationAndMeasurement) {
  EXPECT_EQ(link.AnswerParam, 4711);
  EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(link.AnswerData())),
            QByteArray("TRIVOLUX VR V1.2.0  SIMULATOR"));
  for (int i = 0; i < 20; ++i) ASSERT_EQ(Measure(), 1);
  EXPECT_EQ(link.AnswerLength, order::kMeasureBytes);
  EXPECT_TRUE(reports.empty());
}

TEST_P(SensorLinkSimTest, EachFaultGivesItsTextOnceAndTheLinkRecovers) {
  struct Case {
    const char* name;
    std::function<void(sim::Faults&)> set;
    const char* text;
  };
  const Case cases[] = {
      {"lost answer", [](sim::Faults& f) { f.dropAnswerNth = 1; }, link_text::kTimeout},
      {"bad sync", [](sim::Faults& f) { f.corruptSync = 1; }, link_text::kBadHeader},
      {"bad header crc", [](sim::Faults& f) { f.corruptHeaderCrc = 1; }, link_text::kBadHeader},
      {"bad data crc", [](sim::Faults& f) { f.corruptDataCrc = 1; }, link_text::kBadData},
      {"unknown order", [](sim::Faults& f) { f.unknownOrderForAll = true; }, link_text::kUnknownOrder},
  };
  for (const Case& c : cases) {
    reports.clear();
    c.set(simulator.faults());
    EXPECT_EQ(Measure(), -1) << c.name;
    EXPECT_EQ(reports, std::vector<QString>{c.text}) << c.name;
    simulator.faults() = sim::Faults{};
    // Whatever of the bad answer the simulator still held goes out, arrives
    // and is dropped by the idle link before the next request.
    WaitUntil(
        state, [&] { return simulator.Backlog().output == 0; }, QDeadlineTimer(2000));
    QCoreApplication::processEvents();
    EXPECT_EQ(Measure(), 1) << c.name;
  }
}

TEST_P(SensorLinkSimTest, LateAndSplitAnswers) {
  simulator.faults().splitPieces = 6;
  simulator.faults().splitPauseMs = 20;
  EXPECT_EQ(link.Exchange(order::kIdentify, 0), 1);
  EXPECT_EQ(Measure(), 1);
  simulator.faults() = sim::Faults{};
  simulator.faults().delayMs = static_cast<int>(2 * kShortTimeout.count());
  EXPECT_EQ(Measure(), -1);
  EXPECT_EQ(reports, std::vector<QString>{link_text::kTimeout});
}

INSTANTIATE_TEST_SUITE_P(Lines, SensorLinkSimTest, ::testing::Values(Line::Tcp, Line::Pty),
                         [](const auto& info) { return info.param == Line::Tcp ? "Tcp" : "Pty"; });

TEST(SensorLinkSimTcp, ServerClosingDuringAnExchange) {
  test::EnsureCoreApp();
  SharedState state;
  sim::Simulator simulator;
  TcpTransport tcp(state);
  SensorLink link(state);
  std::vector<QString> reports;
  QObject::connect(&link, &SensorLink::linkFailed, &link, [&] { reports.push_back(link.MessageText); });
  link.SetTransport(&tcp);
  tcp.SetAddress("127.0.0.1", simulator.ListenTcp());
  ASSERT_EQ(tcp.Open(), 0);
  simulator.faults().closeOnNextRequest = true;
  EXPECT_EQ(link.Exchange(order::kMeasure, 0), -1);
  EXPECT_EQ(reports, std::vector<QString>{link_text::kServerClosed});
}

}  // namespace
}  // namespace trivolux

namespace trivolux {
namespace {

TEST(SensorLinkSimPty, LostDeviceIsReportedOnceAndClosesThePort) {
  test::EnsureCoreApp();
  SharedState state;
  SerialTransport serial(state);
  SensorLink link(state);
  std::vector<QString> reports;
  QObject::connect(&link, &SensorLink::linkFailed, &link, [&] { reports.push_back(link.MessageText); });
  link.SetTransport(&serial);
  int losses = 0;
  QObject::connect(&serial, &Transport::deviceLost, [&] { ++losses; });
  {
    sim::Simulator simulator;
    const QString device = simulator.OpenPty();
    serial.SetPort(ComPortNumberForDevice(device));
    ASSERT_EQ(serial.Open(), 0);
    ASSERT_EQ(link.Exchange(order::kIdentify, 0), 1);
  }  // the simulator goes away with its side of the line
  WaitUntil(
      state, [&] { return !serial.IsOpen(); }, QDeadlineTimer(3000));
  WaitUntil(
      state, [] { return false; }, QDeadlineTimer(200));  // room for a storm that must not come
  EXPECT_FALSE(serial.IsOpen());
  EXPECT_EQ(losses, 1);
  EXPECT_EQ(reports, std::vector<QString>{link_text::kPortError});
  EXPECT_EQ(link.Exchange(order::kMeasure, 0), -1);
  EXPECT_EQ(reports.back(), link_text::kTimeout);
}

}  // namespace
}  // namespace trivolux
