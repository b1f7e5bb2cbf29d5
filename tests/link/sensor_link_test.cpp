// The checked exchange against a scripted TCP peer: exact failure texts,
// one report per failure, buffer bounds and the answer fields.
#include "link/sensor_link.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>
#include <functional>

#include "base/event_wait.h"
#include "base/shared_state.h"
#include "fake_peer.h"
#include "link/crc8.h"
#include "link/link_texts.h"
#include "link/orders.h"
#include "link/serial_transport.h"
#include "link/tcp_transport.h"
#include "pty_peer.h"

namespace trivolux {
namespace {

using test::AnswerFrame;
using test::FakePeer;
using test::Reply;

class SensorLinkTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { test::EnsureCoreApp(); }

  void SetUp() override {
    QObject::connect(&link, &SensorLink::linkFailed, &link, [this] { reports.push_back(link.MessageText); });
    link.SetTransport(&tcp);
    tcp.SetAddress("127.0.0.1", peer.Port());
    ASSERT_EQ(tcp.Open(), 0);
    ASSERT_EQ(WaitUntil(
                  state, [this] { return peer.HasClient(); }, QDeadlineTimer(5000)),
              WaitResult::Done);
    state.SensorConnected = 1;
    state.RunFlag = 1;
  }

  int Ask(std::uint8_t order, std::uint16_t param = 0) { return link.Exchange(order, param); }

  SharedState state;
  FakePeer peer;
  TcpTransport tcp{state};
  SensorLink link{state};
  std::vector<QString> reports;
};

QByteArray Bytes(int n, char fill = 'x') {
  return QByteArray(n, fill);
}

TEST_F(SensorLinkTest, RequestsCarryTheDocumentedBytes) {
  peer.Enqueue({AnswerFrame(order::kMeasure, 0, Bytes(40))});
  peer.Enqueue({AnswerFrame(order::kWriteCalib, 0)});
  ASSERT_EQ(Ask(order::kMeasure), 1);
  const std::uint8_t calib[] = {0x00, 0x04, 0x00, 0x04, 0x00, 0x04};
  ASSERT_EQ(link.Exchange(order::kWriteCalib, 0, calib, 6), 1);
  ASSERT_EQ(peer.requests.size(), 2u);
  EXPECT_EQ(peer.requests[0].toHex(' '), "55 08 00 00 00 00 aa 76");
  EXPECT_EQ(peer.requests[1].toHex(' '), "55 65 00 00 06 00 73 e5 00 04 00 04 00 04");
  EXPECT_TRUE(reports.empty());
}

TEST_F(SensorLinkTest, AnswerFieldsAndDataLandInRxBuf) {
  QByteArray ident = QByteArray("TRIVOLUX VR V1.2.0 X").leftJustified(72, '\0');
  peer.Enqueue({AnswerFrame(order::kIdentify, 65535, ident)});
  ASSERT_EQ(Ask(order::kIdentify), 1);
  EXPECT_EQ(link.AnswerOrder, order::kIdentify);
  EXPECT_EQ(link.AnswerParam, 65535);
  EXPECT_EQ(link.AnswerLength, 72);
  EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(link.AnswerData()), 72), ident);
  EXPECT_EQ(link.RxCount, 80);
  EXPECT_EQ(state.SensorConnected, 1);
}

TEST_F(SensorLinkTest, AnswerWithoutDataLeavesZeros) {
  peer.Enqueue({AnswerFrame(order::kMeasure, 0, Bytes(40, '\x7f'))});
  peer.Enqueue({AnswerFrame(order::kRamToEeprom, 3)});
  ASSERT_EQ(Ask(order::kMeasure), 1);
  ASSERT_EQ(Ask(order::kRamToEeprom), 1);
  EXPECT_EQ(link.AnswerLength, 0);
  EXPECT_EQ(link.AnswerParam, 3);
  for (int i = 8; i < 48; ++i) ASSERT_EQ(link.RxBuf[i], 0) << i;
}

TEST_F(SensorLinkTest, ErrorAnswersGiveTheirTextsAndParamZeroIsSuccess) {
  peer.Enqueue({AnswerFrame(order::kError, 0)});
  peer.Enqueue({AnswerFrame(order::kError, 1)});
  peer.Enqueue({AnswerFrame(order::kError, 2)});
  peer.Enqueue({AnswerFrame(order::kError, 7)});
  EXPECT_EQ(Ask(order::kMeasure), 1);
  EXPECT_EQ(Ask(order::kMeasure), -1);
  EXPECT_EQ(Ask(order::kMeasure), -1);
  EXPECT_EQ(Ask(order::kMeasure), 1);
  ASSERT_EQ(reports.size(), 2u);
  EXPECT_EQ(reports[0], link_text::kUnknownOrder);
  EXPECT_EQ(reports[1], link_text::kCommError);
  EXPECT_EQ(state.SensorConnected, 0);
  EXPECT_EQ(state.RunFlag, 0);
}

TEST_F(SensorLinkTest, BadHeaderKeepsThePreviousAnswerFields) {
  peer.Enqueue({AnswerFrame(order::kIdentify, 4711, Bytes(72))});
  // Right CRC but wrong sync byte: recompute the CRC over the altered header.
  QByteArray wrongSync = AnswerFrame(order::kError, 1);
  wrongSync[0] = 0x54;
  wrongSync[7] = static_cast<char>(Crc8(reinterpret_cast<const std::uint8_t*>(wrongSync.constData()), 7));
  peer.Enqueue({wrongSync});
  QByteArray wrongCrc = AnswerFrame(order::kError, 2);
  wrongCrc[7] = static_cast<char>(wrongCrc[7] ^ 0x01);
  peer.Enqueue({wrongCrc});

  ASSERT_EQ(Ask(order::kIdentify), 1);
  EXPECT_EQ(Ask(order::kMeasure), -1);
  EXPECT_EQ(Ask(order::kMeasure), -1);
  // Neither error code was looked at: only the header text, once each.
  EXPECT_EQ(reports, (std::vector<QString>{link_text::kBadHeader, link_text::kBadHeader}));
  EXPECT_EQ(link.AnswerOrder, order::kIdentify);
  EXPECT_EQ(link.AnswerParam, 4711);
  EXPECT_EQ(link.AnswerLength, 72);
}

TEST_F(SensorLinkTest, WrongDataCrcFailsAlthoughAllBytesArrived) {
  QByteArray answer = AnswerFrame(order::kMeasure, 0, Bytes(40));
  answer[20] = static_cast<char>(answer[20] ^ 0x10);
  peer.Enqueue({answer});
  EXPECT_EQ(Ask(order::kMeasure), -1);
  EXPECT_EQ(reports, std::vector<QString>{link_text::kBadData});
  EXPECT_EQ(link.RxCount, 48);
}

TEST_F(SensorLinkTest, AnswerInPiecesCompletesOnlyWithAllBytes) {
  const QByteArray data = Bytes(40, 'a');
  peer.Enqueue({AnswerFrame(order::kMeasure, 0, data), 7, 30});
  peer.Enqueue({AnswerFrame(order::kIdentify, 1, Bytes(72)), 3, 0});
  ASSERT_EQ(Ask(order::kMeasure), 1);
  EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(link.AnswerData()), 40), data);
  ASSERT_EQ(Ask(order::kIdentify), 1);
  EXPECT_TRUE(reports.empty());
}

TEST_F(SensorLinkTest, EachWaitEndsAfterItsOwnTimeoutWithOneReport) {
  using std::chrono::milliseconds;
  struct Case {
    const char* name;
    Reply reply;
    milliseconds header;
    milliseconds data;
  };
  // The other wait's limit is far away, so a swapped or ignored setting shows
  // as an early or a late end.
  const Case cases[] = {
      {"silent peer", {{}, 1, 0, false, true}, milliseconds(100), milliseconds(3000)},
      {"header without its data",
       {AnswerFrame(order::kMeasure, 0, Bytes(40)).left(30)},
       milliseconds(3000),
       milliseconds(100)},
  };
  for (const Case& c : cases) {
    reports.clear();
    peer.Enqueue(c.reply);
    link.SetTimeouts(c.header, c.data);
    QElapsedTimer t;
    t.start();
    EXPECT_EQ(Ask(order::kMeasure), -1) << c.name;
    EXPECT_GE(t.elapsed(), 100) << c.name;
    EXPECT_LT(t.elapsed(), 2000) << c.name;
    EXPECT_EQ(reports, std::vector<QString>{link_text::kTimeout}) << c.name;
  }
}

TEST_F(SensorLinkTest, CallsWhileAnExchangeWaitsAreRefusedAndLeaveItAlone) {
  const std::pair<const char*, std::function<int(SensorLink&)>> calls[] = {
      {"DataExchange", [](SensorLink& l) { return l.DataExchange(8); }},
      {"Exchange",
       [](SensorLink& l) {
         const std::uint8_t word[] = {0x00, 0x04};
         return l.Exchange(order::kWriteCalib, 0, word, 2);
       }},
      {"GetHeaderFrame", [](SensorLink& l) { return l.GetHeaderFrame(); }},
      {"GetDataFrame", [](SensorLink& l) { return l.GetDataFrame(40); }},
  };
  const QByteArray data = Bytes(40, 'm');
  for (const auto& [name, call] : calls) {
    peer.requests.clear();
    link.MessageText = "untouched";
    // In two parts 30 ms apart: the first exchange still waits when the
    // zero timer fires from inside its wait.
    peer.Enqueue({AnswerFrame(order::kMeasure, 0, data), 2, 30});
    bool called = false;
    QTimer::singleShot(0, &link, [&, call = call] {
      const auto rx = link.RxBuf;
      const int rxCount = link.RxCount;
      const auto tx = link.TxBuf;
      EXPECT_EQ(call(link), -1) << name;
      EXPECT_EQ(link.RxBuf, rx) << name;
      EXPECT_EQ(link.RxCount, rxCount) << name;
      EXPECT_EQ(link.TxBuf, tx) << name;
      EXPECT_EQ(link.MessageText, "untouched") << name;
      EXPECT_EQ(state.RunFlag, 1) << name;
      EXPECT_EQ(state.SensorConnected, 1) << name;
      called = true;
    });
    EXPECT_EQ(Ask(order::kMeasure), 1) << name;
    ASSERT_TRUE(called) << name;
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(link.AnswerData()), 40), data) << name;
    EXPECT_EQ(peer.requests.size(), 1u) << name;
    EXPECT_TRUE(reports.empty()) << name;
  }
}

TEST_F(SensorLinkTest, OversizedAnnouncementIsRejectedWithoutOverrun) {
  // 2041 data bytes do not fit RxBuf (2048 with the header).
  QByteArray big = AnswerFrame(order::kHardwareInfo, 0, Bytes(2041));
  peer.Enqueue({big});
  peer.Enqueue({AnswerFrame(order::kMeasure, 0, Bytes(40))});
  EXPECT_EQ(Ask(order::kHardwareInfo), -1);
  EXPECT_EQ(reports, std::vector<QString>{link_text::kBadData});
  EXPECT_LE(link.RxCount, 2048);
  // The link recovers with the next request.
  EXPECT_EQ(Ask(order::kMeasure), 1);
}

TEST_F(SensorLinkTest, ReceiveCallbackStoresAtMost2048Bytes) {
  link.RxCount = 0;
  peer.Push(Bytes(3000, 'b'));
  WaitUntil(
      state, [this] { return link.RxCount >= 2048; }, QDeadlineTimer(3000));
  EXPECT_EQ(link.RxCount, 2048);
  // The excess is dropped, so a following exchange sees only its own answer.
  peer.Enqueue({AnswerFrame(order::kMeasure, 0, Bytes(40))});
  EXPECT_EQ(Ask(order::kMeasure), 1);
  EXPECT_TRUE(reports.empty());
}

TEST_F(SensorLinkTest, ServerClosingOutsideAnExchangeIsReportedAtOnce) {
  peer.CloseClient();
  WaitUntil(
      state, [this] { return !reports.empty(); }, QDeadlineTimer(3000));
  EXPECT_EQ(reports, std::vector<QString>{link_text::kServerClosed});
  EXPECT_EQ(state.TcpConnected, 0);
  EXPECT_EQ(state.SensorConnected, 0);
  // An exchange on the closed conversation ends at once in the timeout text.
  EXPECT_EQ(Ask(order::kMeasure), -1);
  EXPECT_EQ(reports.back(), link_text::kTimeout);
}

TEST_F(SensorLinkTest, ServerClosingDuringAnExchangeIsReportedOnceAndEndsTheWait) {
  state.TcpConnected = 1;
  peer.Enqueue({{}, 1, 0, true});
  QElapsedTimer t;
  t.start();
  EXPECT_EQ(Ask(order::kMeasure), -1);
  EXPECT_LT(t.elapsed(), 2000);
  EXPECT_EQ(reports, std::vector<QString>{link_text::kServerClosed});
  EXPECT_EQ(state.TcpConnected, 0);
}

TEST_F(SensorLinkTest, QuitEndsAWaitWithoutAReport) {
  peer.Enqueue({{}, 1, 0, false, true});
  QTimer::singleShot(0, [this] { state.QuitRequested = true; });
  QElapsedTimer t;
  t.start();
  EXPECT_EQ(Ask(order::kMeasure), -1);
  EXPECT_LT(t.elapsed(), 2000);
  EXPECT_TRUE(reports.empty());
}

TEST(SensorLinkSerialInput, FloodBetweenExchangesStaysBoundedAndIsNotTakenForAnAnswer) {
  test::EnsureCoreApp();
  SharedState state;
  test::PtyPeer peer;
  ASSERT_GE(peer.ComPort(), 1000);
  SerialTransport serial(state);
  qint64 most = 0;
  const auto sample = [&] { most = std::max(most, serial.BytesAvailable()); };
  // Connected before the link, so it sees the queue before the link discards it.
  QObject::connect(&serial, &Transport::readyRead, sample);
  SensorLink link(state);
  std::vector<QString> reports;
  QObject::connect(&link, &SensorLink::linkFailed, &link, [&] { reports.push_back(link.MessageText); });
  link.SetTimeouts(std::chrono::milliseconds(1000), std::chrono::milliseconds(1000));
  link.SetTransport(&serial);
  serial.SetPort(peer.ComPort());
  ASSERT_EQ(serial.Open(), 0);
  peer.Enqueue(AnswerFrame(order::kMeasure, 0, Bytes(40)));
  ASSERT_EQ(link.Exchange(order::kMeasure, 0), 1);

  // A sensor left in automatic sending: valid order-8 frames, 8 MiB of them.
  constexpr qint64 kFlood = qint64{8} << 20;
  peer.Flood(AnswerFrame(order::kMeasure, 0, Bytes(40, 'f')), kFlood);
  const auto flooded = WaitUntil(
      state,
      [&] {
        sample();
        return peer.Flooded() >= kFlood;
      },
      QDeadlineTimer(10000));
  ASSERT_EQ(flooded, WaitResult::Done) << peer.Flooded() << " bytes taken";
  EXPECT_GT(most, 0);
  EXPECT_LE(most, SerialTransport::kReadBufferSize);

  const QByteArray ident = QByteArray("TRIVOLUX VR V1.2.0 X").leftJustified(72, '\0');
  peer.Enqueue(AnswerFrame(order::kIdentify, 4711, ident));
  ASSERT_EQ(link.Exchange(order::kIdentify, 0), 1);
  EXPECT_EQ(link.AnswerOrder, order::kIdentify);
  EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(link.AnswerData()), 72), ident);
  EXPECT_TRUE(reports.empty());
}

TEST(SensorLinkDefaults, BothWaitsLastThreeSeconds) {
  test::EnsureCoreApp();
  SharedState state;
  const SensorLink link(state);
  EXPECT_EQ(link.HeaderTimeout(), std::chrono::milliseconds(3000));
  EXPECT_EQ(link.DataTimeout(), std::chrono::milliseconds(3000));
}

TEST(SensorLinkNoTransport, ExchangeOnAClosedTransportReportsTheTimeout) {
  test::EnsureCoreApp();
  SharedState state;
  SensorLink link(state);
  std::vector<QString> reports;
  QObject::connect(&link, &SensorLink::linkFailed, &link, [&] { reports.push_back(link.MessageText); });
  EXPECT_EQ(link.Exchange(order::kMeasure, 0), -1);
  TcpTransport closed(state);
  link.SetTransport(&closed);
  EXPECT_EQ(link.Exchange(order::kMeasure, 0), -1);
  EXPECT_EQ(reports, (std::vector<QString>{link_text::kTimeout, link_text::kTimeout}));
}

}  // namespace
}  // namespace trivolux

namespace trivolux {
namespace {

// Frames the sensor sends on its own may come with the answer that switched
// them on and with each other in one piece: none of them may be lost.
TEST_F(SensorLinkTest, SensorFramesThatArriveTogetherAreEachTaken) {
  const QByteArray a = AnswerFrame(order::kMeasure, 0, Bytes(40, 'a'));
  const QByteArray b = AnswerFrame(order::kMeasure, 0, Bytes(40, 'b'));
  peer.Enqueue({AnswerFrame(30, 1) + a + b.left(20)});
  ASSERT_EQ(Ask(30, 1), 1);
  ASSERT_EQ(link.GetSensorFrame(), 1);
  EXPECT_EQ(link.AnswerData()[0], 'a');
  QTimer::singleShot(0, [&] { peer.Push(b.mid(20)); });
  ASSERT_EQ(link.GetSensorFrame(), 1);
  EXPECT_EQ(link.AnswerData()[39], 'b');
  // Nothing more comes: only STOP ends the wait, and it reports nothing.
  QTimer::singleShot(20, [&] { state.RunFlag = 0; });
  EXPECT_EQ(link.GetSensorFrame(), 0);
  EXPECT_TRUE(reports.empty());
  // A bad frame is reported once.
  state.RunFlag = 1;
  QByteArray bad = a;
  bad[3] = bad[3] ^ 0x01;
  peer.Push(bad);
  EXPECT_EQ(link.GetSensorFrame(), -1);
  EXPECT_EQ(reports.size(), 1u);
}

}  // namespace
}  // namespace trivolux
