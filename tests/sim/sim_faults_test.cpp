// Fault injection, bad input and the links (TCP clients, pseudo-terminal, line rate).
#include <QElapsedTimer>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <set>

#include "link/crc8.h"
#include "sim_fixture.h"

namespace trivolux::sim::test {
namespace {

using Kind = FrameReader::Kind;

// Sends requests back to back and returns the orders of the answers that come,
// in order; stops at the answer to the last request.
std::vector<int> AnswerOrders(SimClient& client, const std::vector<std::uint8_t>& orders) {
  for (std::uint8_t o : orders) client.Write(Request(o, 0));
  std::vector<int> got;
  while (auto e = client.ReadEvent(3000)) {
    got.push_back(e->kind == Kind::Frame ? e->header.order : -1);
    if (e->kind == Kind::Frame && e->header.order == orders.back()) break;
  }
  return got;
}

TEST_F(SimTest, DropsTheNthAnswerAndEveryNth) {
  sim->faults().dropAnswerNth = 2;
  EXPECT_EQ(AnswerOrders(client, {7, 8, 102}), (std::vector<int>{7, 102}));
  EXPECT_EQ(AnswerOrders(client, {7, 8, 102}), (std::vector<int>{7, 8, 102})) << "one-shot";

  sim->faults().dropEveryNth = 2;
  EXPECT_EQ(AnswerOrders(client, {7, 8, 102, 105, 3}), (std::vector<int>{7, 102, 3}));
  EXPECT_EQ(sim->Requests().size(), 11u) << "dropped requests are still logged";
}

TEST_F(SimTest, CorruptsSyncHeaderAndDataCrc) {
  sim->faults().corruptSync = 1;
  client.Write(Request(order::kIdentify, 0));
  auto e = client.ReadEvent();
  ASSERT_TRUE(e);
  EXPECT_EQ(e->kind, Kind::BadHeader);
  // Only the sync byte is wrong: the header CRC matches the bytes sent.
  const auto* raw = reinterpret_cast<const std::uint8_t*>(client.Received().constData());
  EXPECT_EQ(raw[0], 0xAA);
  EXPECT_EQ(Crc8(raw, kHeaderSize), 0);
  EXPECT_EQ(client.Exchange(order::kCycleTime, 0)->header.order, order::kCycleTime) << "only the next frame";

  sim->faults().corruptHeaderCrc = 2;
  client.Write(Request(order::kMeasure, 0));
  ASSERT_EQ(client.ReadEvent()->kind, Kind::BadHeader);
  client.Write(Request(order::kMeasure, 0));
  client.Write(Request(order::kCycleTime, 0));
  // The second corrupt header and its data run together into one garbage run.
  auto next = client.ReadFrame();
  ASSERT_TRUE(next);
  EXPECT_EQ(next->header.order, order::kCycleTime);

  sim->faults().corruptDataCrc = 1;
  client.Write(Request(order::kRamToEeprom, 0));  // no data: not counted
  EXPECT_EQ(client.ReadFrame()->header.order, order::kRamToEeprom);
  client.Write(Request(order::kMeasure, 0));
  e = client.ReadEvent();
  ASSERT_TRUE(e);
  EXPECT_EQ(e->kind, Kind::BadDataCrc);
  EXPECT_EQ(e->data.size(), 40u);
  EXPECT_EQ(client.Exchange(order::kMeasure, 0)->data.size(), 40u);
}

TEST_F(SimTest, SplitsAndDelaysAnswers) {
  sim->faults().splitPieces = 4;
  sim->faults().splitPauseMs = 30;
  QElapsedTimer t;
  t.start();
  auto a = client.Exchange(order::kIdentify, 0);
  ASSERT_TRUE(a);
  EXPECT_EQ(a->data.size(), 72u);
  EXPECT_GE(t.elapsed(), 3 * 30 - 5);
  EXPECT_GE(client.Chunks(), 2);

  sim->faults().splitPieces = 0;
  sim->faults().delayMs = 400;
  t.restart();
  a = client.Exchange(order::kMeasure, 0, {}, 5000);
  ASSERT_TRUE(a);
  EXPECT_GE(t.elapsed(), 395);
  // Order is kept: a delayed answer is not overtaken by the next one.
  sim->faults().delayMs = 300;
  client.Write(Request(order::kIdentify, 0));
  sim->faults().delayMs = 0;
  client.Write(Request(order::kCycleTime, 0));
  EXPECT_EQ(client.ReadFrame(5000)->header.order, order::kIdentify);
  EXPECT_EQ(client.ReadFrame(5000)->header.order, order::kCycleTime);
}

TEST_F(SimTest, ClosesInsteadOfAnswering) {
  QSignalSpy gone(sim.get(), &Simulator::clientDisconnected);
  sim->faults().closeOnNextRequest = true;
  client.Write(Request(order::kMeasure, 0));
  ASSERT_TRUE(WaitUntil([&] { return client.WasDisconnected(); }, 3000));
  EXPECT_TRUE(WaitUntil([&] { return gone.count() == 1; }, 3000));
  EXPECT_FALSE(sim->faults().closeOnNextRequest);
  SimClient again;
  ASSERT_TRUE(again.ConnectTcp(port));
  EXPECT_EQ(again.Exchange(order::kIdentify, 0)->header.order, order::kIdentify);
}

TEST_F(SimTest, UnknownOrderForAllAndImplausibleReports) {
  sim->faults().unknownOrderForAll = true;
  auto a = client.Exchange(order::kIdentify, 0);
  EXPECT_EQ(a->header.order, 0);
  EXPECT_EQ(a->header.param, 1);
  sim->faults().unknownOrderForAll = false;

  sim->faults().implausibleCount = 3;
  EXPECT_EQ(client.Exchange(order::kWriteBlock, 0, ToBytes(sim->RamParams(0)))->header.param, 3);
  EXPECT_EQ(client.Exchange(order::kEepromToRam, 0)->header.param, 3);
  EXPECT_EQ(client.Exchange(order::kWriteCalib, 1, Bytes(6, 0))->header.param, 3);
  sim->options().ident = "TRIVOLUX VR V1.3.0  SIMULATOR";
  const std::string text(reinterpret_cast<const char*>(client.Exchange(order::kIdentify, 0)->data.data()));
  EXPECT_EQ(text.rfind("TRIVOLUX VR V1.3.0", 0), 0u);
}

TEST_F(SimTest, GarbageBadCrcAndOverlongRequestsGetErrorTwoThenResync) {
  Bytes garbage = {0x00, 0x55, 0x13, 0x55, 0xFF, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06};
  client.Write(garbage);
  client.Write(Request(order::kIdentify, 0));
  auto e = client.ReadFrame();
  ASSERT_TRUE(e);
  EXPECT_EQ(e->header.order, 0);
  EXPECT_EQ(e->header.param, 2);
  EXPECT_EQ(client.ReadFrame()->header.order, order::kIdentify);

  Bytes badData = Request(order::kWriteBlock, 0, Bytes(34, 1));
  badData[20] ^= 0x10;
  client.Write(badData);
  e = client.ReadFrame();
  EXPECT_EQ(e->header.order, 0);
  EXPECT_EQ(e->header.param, 2);
  EXPECT_EQ(UnpackParams(sim->RamParams(0)), DefaultParams()) << "a bad frame changes nothing";

  // Header announcing 513 bytes, followed by them, then a good request.
  Bytes longFrame = Request(order::kWriteBlock, 2, Bytes(513, 0x55));
  client.Write(longFrame);
  client.Write(Request(order::kCycleTime, 0));
  e = client.ReadFrame();
  EXPECT_EQ(e->header.order, 0);
  EXPECT_EQ(e->header.param, 2);
  EXPECT_EQ(client.ReadFrame()->header.order, order::kCycleTime);
  for (const RequestRecord& r : sim->Requests()) EXPECT_NE(r.order, order::kWriteBlock);
}

TEST_F(SimTest, DisconnectMidFrameAndTwoClientsInARow) {
  QSignalSpy connected(sim.get(), &Simulator::clientConnected);
  Bytes half = Request(order::kWriteBlock, 2, Bytes(512, 7));
  half.resize(100);
  client.Write(half);
  ASSERT_TRUE(WaitUntil([&] { return sim->Requests().empty() && client.Connected(); }, 100));
  client.Close();

  SimClient second;
  ASSERT_TRUE(second.ConnectTcp(port));
  EXPECT_EQ(second.Exchange(order::kIdentify, 0)->header.order, order::kIdentify)
      << "the partial frame of the first client is gone";
  // A third client replaces the second one.
  SimClient third;
  ASSERT_TRUE(third.ConnectTcp(port));
  ASSERT_TRUE(WaitUntil([&] { return second.WasDisconnected(); }, 3000));
  EXPECT_EQ(third.Exchange(order::kMeasure, 0)->data.size(), 40u);
  EXPECT_GE(connected.count(), 2);
}

TEST_F(SimTest, BaudChangeAnswersAtTheOldRateThenSwitches) {
  sim->options().lineRate = true;
  sim->options().baudIndex = 0;  // 9600 bit/s: 960 bytes/s
  SimClient c;                   // a fresh connection picks up the line rate
  ASSERT_TRUE(c.ConnectTcp(port));
  QElapsedTimer t;
  t.start();
  ASSERT_TRUE(c.Exchange(order::kIdentify, 0));
  EXPECT_GE(t.elapsed(), 85) << "8 + 80 bytes at 9600 bit/s take 92 ms";

  t.restart();
  auto a = c.Exchange(order::kBaudrate, 7);
  ASSERT_TRUE(a);
  EXPECT_EQ(a->header.order, order::kBaudrate);
  EXPECT_GE(t.elapsed(), 14) << "request and answer still at 9600 bit/s";
  EXPECT_EQ(sim->BaudIndex(), 7);
  t.restart();
  for (int i = 0; i < 10; ++i) ASSERT_TRUE(c.Exchange(order::kIdentify, 0));
  EXPECT_LT(t.elapsed(), 600) << "921600 bit/s: ten exchanges take about 10 ms, at 9600 they would take 920";
}

// Writes bursts of one request to a client on every event-loop pass for as
// long as it lives, like a peer that sends without end.
class Flood {
 public:
  Flood(SimClient& client, const Bytes& request) {
    Bytes burst;
    for (int i = 0; i < 64; ++i) burst.insert(burst.end(), request.begin(), request.end());
    timer_.callOnTimeout([&client, burst] {
      if (client.Connected()) client.Write(burst);
    });
    timer_.start(0);
  }

 private:
  QTimer timer_;
};

const Bytes kHardwareInfoRequest = Request(order::kHardwareInfo, order::kHardwareInfoCode);
constexpr qsizetype kHardwareInfoFrame = kHeaderSize + 512;

TEST(SimLimits, APeerThatStopsReadingLosesWholeFramesBeyondTheOutputCap) {
  struct Case {
    const char* name;
    bool pty;
    bool lineRate;
  };
  for (const Case& c :
       {Case{"tcp", false, false}, Case{"pty", true, false}, Case{"tcp at line rate", false, true}}) {
    SCOPED_TRACE(c.name);
    SimOptions options;
    options.lineRate = c.lineRate;
    options.baudIndex = 7;  // 921600 bit/s: the paced backlogs drain in about a second
    Simulator sim(options);
    SimClient peer;
    if (c.pty) {
      ASSERT_TRUE(peer.OpenDevice(sim.OpenPty()));
    } else {
      ASSERT_TRUE(peer.ConnectTcp(sim.ListenTcp()));
    }
    peer.SetReading(false);
    {
      Flood flood(peer, kHardwareInfoRequest);
      ASSERT_TRUE(WaitUntil([&] { return sim.Backlog().framesDropped >= 200; }, 10000));
    }
    const BacklogStats b = sim.Backlog();
    EXPECT_LE(b.outputPeak, kOutputBacklogCap);
    EXPECT_GT(b.outputPeak, kOutputBacklogCap - kHardwareInfoFrame) << "the cap, not less, is what is held";

    // Reading again, the peer finds only whole frames up to the answer of a
    // request sent once the backlog is gone. Input lost at line rate leaves
    // cut requests behind, answered with the communication error.
    peer.SetReading(true);
    ASSERT_TRUE(WaitUntil([&] { return sim.Backlog().output == 0 && sim.Backlog().input == 0; }, 5000));
    peer.Write(Request(order::kIdentify, 0));
    for (;;) {
      auto e = peer.ReadEvent();
      ASSERT_TRUE(e);
      ASSERT_EQ(e->kind, Kind::Frame);
      if (e->header.order == order::kIdentify) break;
      ASSERT_TRUE(e->header.order == order::kHardwareInfo || e->header.order == order::kError)
          << int{e->header.order};
    }
  }
}

TEST(SimLimits, PacedInputKeepsWhatFitsAndCountsTheRest) {
  SimOptions options;
  options.lineRate = true;
  options.baudIndex = 7;
  Simulator sim(options);
  SimClient peer;
  ASSERT_TRUE(peer.ConnectTcp(sim.ListenTcp()));
  Flood flood(peer, Request(order::kCycleTime, 0));
  ASSERT_TRUE(WaitUntil([&] { return sim.Backlog().inputDropped > kPacedInputCap; }, 10000));
  const BacklogStats b = sim.Backlog();
  EXPECT_LE(b.inputPeak, kPacedInputCap);
  // Full up to what the line released while the bytes came in (92 bytes/ms).
  EXPECT_GT(b.inputPeak, kPacedInputCap - 4096) << "what fits is kept";
}

TEST_F(SimTest, ServesANewClientWhileTheOldOneFloodsWithoutReading) {
  client.SetReading(false);
  Flood flood(client, kHardwareInfoRequest);
  ASSERT_TRUE(WaitUntil([&] { return sim->Backlog().output > kOutputBacklogCap / 2; }, 10000))
      << "the answers to the old client back up";
  SimClient second;
  ASSERT_TRUE(second.ConnectTcp(port, 3000));
  auto a = second.Exchange(order::kIdentify, 0, {}, 3000);
  ASSERT_TRUE(a);
  EXPECT_EQ(a->header.param, 4711);
}

TEST(SimPty, ServesThePseudoTerminal) {
  SimOptions options;
  options.target = std::array<int, 3>{500, 600, 700};
  Simulator sim(options);
  const QString path = sim.OpenPty();
  ASSERT_FALSE(path.isEmpty());
  QTemporaryDir dir;
  const QString link = dir.filePath("ttySIM");
  ASSERT_TRUE(sim.LinkPty(link));
  EXPECT_EQ(QFileInfo(link).symLinkTarget(), path);

  SimClient client;
  ASSERT_TRUE(client.OpenDevice(link));
  auto a = client.Exchange(order::kIdentify, 0);
  ASSERT_TRUE(a);
  EXPECT_EQ(a->header.param, 4711);
  a = client.Exchange(order::kMeasure, 0);
  ASSERT_TRUE(a);
  EXPECT_NEAR(Word(*a, 13), 735, 4);
  // The program closes and reopens the device: the simulator keeps serving.
  client.Close();
  sim.TriggerNow();
  SimClient again;
  ASSERT_TRUE(again.OpenDevice(path));
  EXPECT_EQ(again.Exchange(order::kReadCalib, 0)->data.size(), 12u);
  // Garbage on the serial line gets one error answer.
  again.Write({0x01, 0x02, 0x03});
  again.Write(Request(order::kCycleTime, 0));
  EXPECT_EQ(again.ReadFrame()->header.param, 2);
  EXPECT_EQ(again.ReadFrame()->header.order, order::kCycleTime);
}

}  // namespace
}  // namespace trivolux::sim::test

namespace trivolux::sim::test {
namespace {

// Faults at random: with a pause of at most 1 ms nearly every request gets
// one. Each kind shapes the answer as its name says, and every applied fault
// is announced once.
class RandomFaultTest : public SimTest {
 protected:
  void Configure(SimOptions& options) override {
    SimTest::Configure(options);
    RandomFaultPlan plan;
    plan.seed = 7;
    plan.meanGapMs = 1;
    plan.delayMs = 60;
    options.randomFaults = plan;
  }
};

TEST_F(RandomFaultTest, EachKindShapesTheAnswerAndIsAnnouncedOnce) {
  QSignalSpy spy(sim.get(), &Simulator::randomFaultInjected);
  std::set<QString> seen;
  auto c = std::make_unique<SimClient>();
  ASSERT_TRUE(c->ConnectTcp(port));
  for (int i = 0; i < 300 && seen.size() < 7; ++i) {
    const int announced = static_cast<int>(spy.count());
    const int chunks = c->Chunks();
    QElapsedTimer t;
    t.start();
    c->Write(Request(order::kMeasure, 0));
    const auto e = c->ReadEvent(400);
    const QString kind = spy.count() > announced ? spy.back().at(0).toString() : QString();
    ASSERT_LE(spy.count(), announced + 1);
    if (kind == "drop") {
      EXPECT_FALSE(e) << "answered although dropped";
    } else if (kind == "close") {
      EXPECT_TRUE(WaitUntil([&] { return c->WasDisconnected(); }, 3000));
      c = std::make_unique<SimClient>();
      ASSERT_TRUE(c->ConnectTcp(port));
    } else if (kind == "corrupt-sync" || kind == "corrupt-header-crc") {
      ASSERT_TRUE(e);
      EXPECT_EQ(e->kind, Kind::BadHeader);
    } else if (kind == "corrupt-data-crc") {
      ASSERT_TRUE(e);
      EXPECT_EQ(e->kind, Kind::BadDataCrc);
    } else {
      ASSERT_TRUE(e) << qPrintable(kind);
      EXPECT_EQ(e->kind, Kind::Frame) << qPrintable(kind);
      if (kind == "delay") {
        EXPECT_GE(t.elapsed(), 55);
      }
      if (kind == "split") {
        EXPECT_GE(c->Chunks() - chunks, 2);
      }
    }
    if (!kind.isEmpty()) seen.insert(kind);
    // A corrupt header leaves the rest of its frame as garbage: start clean.
    if (kind.startsWith("corrupt")) {
      c = std::make_unique<SimClient>();
      ASSERT_TRUE(c->ConnectTcp(port));
    }
  }
  EXPECT_EQ(seen.size(), 7u);
  EXPECT_EQ(sim->RandomFaultsInjected(), spy.count());
}

}  // namespace
}  // namespace trivolux::sim::test
