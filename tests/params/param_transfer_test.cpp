// SEND and GET against the in-process simulator over loopback TCP: the
// request sequence, plausibility reports, reserved words and failed reads.
#include "params/param_transfer.h"

#include <gtest/gtest.h>

#include <QCoreApplication>

#include "link/sensor_link.h"
#include "link/tcp_transport.h"
#include "sim/simulator.h"

namespace trivolux {
namespace {

using Requests = std::vector<std::pair<int, int>>;

class ParamTransferTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    if (!QCoreApplication::instance()) {
      static int argc = 1;
      static char name[] = "params_transfer_test";
      static char* argv[] = {name, nullptr};
      new QCoreApplication(argc, argv);
    }
  }

  void SetUp() override {
    const quint16 port = sim.ListenTcp();
    ASSERT_NE(port, 0);
    QObject::connect(&link, &SensorLink::linkFailed, &link, [this] {
      reports.push_back(link.MessageText);
      state.SensorConnected = 0;
      state.RunFlag = 0;
    });
    link.SetTransport(&tcp);
    // The simulator answers in milliseconds; a dropped answer need not cost 3 s.
    link.SetTimeouts(std::chrono::milliseconds(500), std::chrono::milliseconds(500));
    tcp.SetAddress("127.0.0.1", port);
    ASSERT_EQ(tcp.Open(), 0);
    state.SensorConnected = 1;
    QObject::connect(&transfer, &ParamTransfer::eepromNotice,
                     [this](const QString& text) { notices.push_back(text); });
  }

  Requests Sent() const {
    Requests out;
    for (const sim::RequestRecord& r : sim.Requests()) out.emplace_back(r.order, r.param);
    return out;
  }

  SharedState state;
  sim::Simulator sim;
  TcpTransport tcp{state};
  SensorLink link{state};
  ParameterSet copy;
  ParamTransfer transfer{state, link, copy};
  std::vector<QString> reports;
  std::vector<QString> notices;
};

ParameterSet Plausible() {
  ParameterSet set;
  const std::uint16_t block[] = {700, 0, 4, 1, 12, 0, 2, 0, 0, 0, 0, 3000, 3400, 0, 1, 3, 10};
  for (int i = 0; i < kParamWordCount; ++i) set.block[i] = block[i];
  for (int r = 0; r < kTeachRows; ++r)
    for (int c = 0; c < kTeachCells; ++c) set.table[r][c] = static_cast<std::uint16_t>(100 * r + c);
  return set;
}

TEST_F(ParamTransferTest, EepromSendOfSetOneWritesThreeBlocksThenStores) {
  state.ParaSet = 1;
  state.MemorySelection = Memory::Eeprom;
  state.SendPending = 1;
  copy = Plausible();
  ASSERT_EQ(transfer.SendPara(), 1);
  EXPECT_EQ(Sent(), (Requests{{1, 1}, {1, 4}, {1, 5}, {3, 0}}));
  EXPECT_EQ(state.SendPending, 0);
  EXPECT_TRUE(reports.empty());
  std::array<std::uint8_t, 34> expected{};
  PackParameterBlock(copy.block, expected.data());
  EXPECT_EQ(sim.EepromParams(1), expected);
  EXPECT_EQ(sim.RamParams(1), expected);
}

TEST_F(ParamTransferTest, RamGetReadsThreeBlocksIntoTheCopy) {
  ParameterSet onSensor = Plausible();
  std::array<std::uint8_t, 34> block{};
  PackParameterBlock(onSensor.block, block.data());
  sim.SetRamParams(0, block);
  state.GetPending = 1;
  ASSERT_EQ(transfer.GetPara(), 1);
  EXPECT_EQ(Sent(), (Requests{{2, 0}, {2, 2}, {2, 3}}));
  EXPECT_EQ(state.GetPending, 0);
  EXPECT_EQ(copy.block, onSensor.block);
  EXPECT_EQ(copy.table[63][kReserved], sim.ReservedWord(0, 63));
  EXPECT_NE(copy.table[63][kReserved], 0);
}

TEST_F(ParamTransferTest, ReservedWordsSurviveGetEditSend) {
  ASSERT_EQ(transfer.GetPara(), 1);
  for (int r = 0; r < kTeachRows; ++r) copy.table[r][kCell0] = static_cast<std::uint16_t>(r + 1);
  ASSERT_EQ(transfer.SendPara(), 1);
  EXPECT_EQ(sim.ReservedMismatches(), 0);
  EXPECT_EQ(sim.RamTeach(0)[16], 2);  // CELL 0 of row 1
}

TEST_F(ParamTransferTest, RamPlausibilityCountIsReportedAndTheSendCompletes) {
  copy = Plausible();
  sim.faults().implausibleCount = 3;
  ASSERT_EQ(transfer.SendPara(), 1);
  EXPECT_EQ(Sent(), (Requests{{1, 0}, {1, 2}, {1, 3}}));
  ASSERT_FALSE(reports.empty());
  EXPECT_EQ(reports.front(),
            "INFO!\n3 PARAMETER IN RAM DID NOT PASS PLAUSIBILITY CHECK AND WERE SET TO DEFAULT VALUE!");
  EXPECT_EQ(state.SensorConnected, 0);
}

TEST_F(ParamTransferTest, EepromGetNoticeKeepsTheLinkConnected) {
  state.MemorySelection = Memory::Eeprom;
  sim.faults().implausibleCount = 2;
  ASSERT_EQ(transfer.GetPara(), 1);
  EXPECT_EQ(Sent(), (Requests{{4, 0}, {2, 0}, {2, 2}, {2, 3}}));
  ASSERT_EQ(notices.size(), 1u);
  EXPECT_EQ(
      notices[0],
      "INFO!\n2 PARAMETER FROM EEPROM DID NOT PASS PLAUSIBILITY CHECK AND WERE SET TO DEFAULT VALUE!\n\n");
  EXPECT_TRUE(reports.empty());
  EXPECT_EQ(state.SensorConnected, 1);
}

TEST_F(ParamTransferTest, FailedReadLeavesTheWholeCopyUntouched) {
  copy = Plausible();
  const ParameterSet before = copy;
  sim.faults().dropAnswerNth = 3;  // the second teach half never arrives
  EXPECT_EQ(transfer.GetPara(), -1);
  EXPECT_EQ(reports.size(), 1u);
  EXPECT_EQ(copy.block, before.block);
  EXPECT_EQ(copy.table, before.table);

  sim.faults() = {};
  sim.faults().corruptDataCrc = 1;
  reports.clear();
  EXPECT_EQ(transfer.GetPara(), -1);
  EXPECT_EQ(reports, std::vector<QString>{"ATTENTION! \nRECEIVED DATA FRAME IS INCORRECT!"});
  EXPECT_EQ(copy.table, before.table);
}

}  // namespace
}  // namespace trivolux
