// Every order of the protocol, spoken as raw bytes over loopback TCP.
#include <QTemporaryDir>
#include <cstring>

#include "sim/param_layout.h"
#include "sim_fixture.h"

namespace trivolux::sim::test {
namespace {

using Kind = FrameReader::Kind;

TEST_F(SimTest, IdentifiesWithTextAndSerial) {
  auto a = client.Exchange(order::kIdentify, 0);
  ASSERT_TRUE(a);
  EXPECT_EQ(a->header.order, order::kIdentify);
  EXPECT_EQ(a->header.param, 4711);
  ASSERT_EQ(a->data.size(), 72u);
  const std::string text(reinterpret_cast<const char*>(a->data.data()));
  EXPECT_EQ(text, "TRIVOLUX VR V1.2.0  SIMULATOR");
  EXPECT_TRUE(std::all_of(a->data.begin() + static_cast<long>(text.size()), a->data.end(),
                          [](std::uint8_t b) { return b == 0; }));

  // A text of 72 characters or more fills the block without a terminator.
  sim->options().ident = QString(80, 'x');
  sim->options().serial = 65535;
  a = client.Exchange(order::kIdentify, 0);
  ASSERT_TRUE(a);
  EXPECT_EQ(a->header.param, 65535);
  EXPECT_EQ(a->data, Bytes(72, 'x'));
  EXPECT_EQ(sim->Requests().size(), 2u);
}

TEST_F(SimTest, RequestLogIsBounded) {
  sim->options().requestLogLimit = 20;
  for (int i = 0; i < 25; ++i) client.Write(Request(order::kReadCalib, static_cast<std::uint16_t>(i)));
  client.Write(Request(order::kIdentify, 0));
  ASSERT_TRUE(WaitUntil([&] { return !sim->Requests().empty() && sim->Requests().back().order == 7; }, 3000));
  EXPECT_LE(sim->Requests().size(), 20u);
  EXPECT_EQ(sim->Requests()[sim->Requests().size() - 2].param, 24) << "the newest records stay";
}

TEST_F(SimTest, UnknownOrdersAndWrongServiceCodeGetErrorOne) {
  for (auto [ord, param] : {std::pair<int, int>{9, 0}, {255, 0}, {0, 0}, {194, 0x1234}, {2, 6}, {30, 2}}) {
    auto a = client.Exchange(static_cast<std::uint8_t>(ord), static_cast<std::uint16_t>(param));
    ASSERT_TRUE(a) << ord;
    EXPECT_EQ(a->header.order, 0) << ord;
    EXPECT_EQ(a->header.param, 1) << ord;
    EXPECT_TRUE(a->data.empty());
  }
  // Write with the wrong payload size for the block.
  auto a = client.Exchange(order::kWriteBlock, 0, Bytes(33, 0));
  ASSERT_TRUE(a);
  EXPECT_EQ(a->header.order, 0);
  EXPECT_EQ(a->header.param, 1);

  a = client.Exchange(order::kHardwareInfo, order::kHardwareInfoCode);
  ASSERT_TRUE(a);
  EXPECT_EQ(a->header.order, order::kHardwareInfo);
  ASSERT_EQ(a->data.size(), 512u);
  EXPECT_EQ(ReadU16(a->data.data()), 4711);
}

TEST_F(SimTest, ParameterRoundTripsInRamAndEepromForBothSets) {
  for (int set = 0; set < 2; ++set) {
    // Start from what the sensor holds (reserved words included).
    auto block = client.Exchange(order::kReadBlock, order::ParamBlock(set));
    auto low = client.Exchange(order::kReadBlock, order::TeachBlockLow(set));
    auto high = client.Exchange(order::kReadBlock, order::TeachBlockHigh(set));
    ASSERT_TRUE(block && low && high);
    ASSERT_EQ(block->data.size(), 34u);
    ASSERT_EQ(low->data.size(), 512u);
    EXPECT_EQ(ReadU16(block->data.data()), 500) << "POWER default";
    EXPECT_EQ(ReadU16(low->data.data() + 14), 0xA500 + 0x40 * set) << "reserved word of row 0";

    Bytes params = block->data;
    WriteU16(params.data(), static_cast<std::uint16_t>(100 + set));  // POWER
    WriteU16(params.data() + 2 * pw::kMaxVecNo, 7);
    Bytes teachLow = low->data, teachHigh = high->data;
    WriteU16(teachLow.data() + 16 * 3, 4000);                     // row 3 CELL 0
    WriteU16(teachHigh.data() + 16 * 31 + 2 * tw::kHold, 65535);  // row 63 HOLD
    for (auto [blk, payload] : {std::pair{order::ParamBlock(set), &params},
                                {order::TeachBlockLow(set), &teachLow},
                                {order::TeachBlockHigh(set), &teachHigh}}) {
      auto a = client.Exchange(order::kWriteBlock, blk, *payload);
      ASSERT_TRUE(a);
      EXPECT_EQ(a->header.order, order::kWriteBlock);
      EXPECT_EQ(a->header.param, 0) << "all plausible";
      EXPECT_TRUE(a->data.empty());
    }
    EXPECT_EQ(ToBytes(sim->RamParams(set)), params);
    EXPECT_NE(ToBytes(sim->EepromParams(set)), params) << "RAM writes leave the EEPROM alone";
    EXPECT_EQ(client.Exchange(order::kReadBlock, order::TeachBlockLow(set))->data, teachLow);
    EXPECT_EQ(client.Exchange(order::kReadBlock, order::TeachBlockHigh(set))->data, teachHigh);
  }
  EXPECT_EQ(sim->ReservedMismatches(), 0);

  auto stored = client.Exchange(order::kRamToEeprom, 0);
  ASSERT_TRUE(stored);
  EXPECT_EQ(stored->header.order, order::kRamToEeprom);
  for (int set = 0; set < 2; ++set) {
    EXPECT_EQ(sim->EepromParams(set), sim->RamParams(set));
    EXPECT_EQ(sim->EepromTeach(set), sim->RamTeach(set));
  }
  // Spoil RAM, then load the EEPROM back.
  const auto saved = sim->RamParams(1);
  auto spoiled = saved;
  spoiled[0] = 0x01;
  sim->SetRamParams(1, spoiled);
  auto loaded = client.Exchange(order::kEepromToRam, 0);
  ASSERT_TRUE(loaded);
  EXPECT_EQ(loaded->header.order, order::kEepromToRam);
  EXPECT_EQ(loaded->header.param, 0);
  EXPECT_EQ(sim->RamParams(1), saved);
}

TEST_F(SimTest, PlausibilityReplacesAndCounts) {
  ParamWords w = DefaultParams();
  w[pw::kPower] = 1001;
  w[pw::kEvalMode] = 7;
  w[pw::kMaxVecNo] = 0;
  w[pw::kIntegral] = 251;
  w[pw::kDynWinLo] = 3400;  // above DYNWIN HI 3300
  auto a = client.Exchange(order::kWriteBlock, 1, ToBytes(PackParams(w)));
  ASSERT_TRUE(a);
  EXPECT_EQ(a->header.param, 5);
  const ParamWords back = UnpackParams(sim->RamParams(1));
  EXPECT_EQ(back, DefaultParams());

  // Boundary values pass.
  w = DefaultParams();
  w[pw::kPower] = 1000;
  w[pw::kEvalMode] = 6;
  w[pw::kMaxVecNo] = 64;
  w[pw::kIntegral] = 250;
  w[pw::kGain] = 7;
  w[pw::kDynWinLo] = w[pw::kDynWinHi] = 4095;
  EXPECT_EQ(client.Exchange(order::kWriteBlock, 0, ToBytes(PackParams(w)))->header.param, 0);
  EXPECT_EQ(UnpackParams(sim->RamParams(0)), w);

  // A teach half with two rows in group 3.
  Bytes half = ToBytes(sim->RamTeach(0).data(), 512);
  WriteU16(half.data() + 16 * 4 + 2 * tw::kGroup, 3);
  WriteU16(half.data() + 16 * 9 + 2 * tw::kGroup, 2);
  WriteU16(half.data() + 16 * 30 + 2 * tw::kGroup, 9);
  EXPECT_EQ(client.Exchange(order::kWriteBlock, 2, half)->header.param, 2);
  EXPECT_EQ(UnpackTeach(sim->RamTeach(0))[4][tw::kGroup], 0);
  EXPECT_EQ(UnpackTeach(sim->RamTeach(0))[9][tw::kGroup], 2);

  // Implausible values in the EEPROM are counted on load (both sets).
  EXPECT_EQ(client.Exchange(order::kRamToEeprom, 0)->header.order, order::kRamToEeprom);
  auto bad = sim->RamParams(0);
  bad[2 * pw::kLedMode] = 9;
  sim->SetRamParams(0, bad);
  sim->SetRamParams(1, bad);
  client.Exchange(order::kRamToEeprom, 0);
  EXPECT_EQ(client.Exchange(order::kEepromToRam, 0)->header.param, 2);
  EXPECT_EQ(UnpackParams(sim->RamParams(1))[pw::kLedMode], 0);
}

TEST_F(SimTest, ReservedWordStaysWithTheSensor) {
  Bytes half = ToBytes(sim->RamTeach(1).data() + 512, 512);
  WriteU16(half.data() + 16 * 5 + 14, 0);  // row 37
  EXPECT_EQ(client.Exchange(order::kWriteBlock, 5, half)->header.param, 0);
  EXPECT_EQ(sim->ReservedMismatches(), 1);
  EXPECT_EQ(sim->ReservedWord(1, 37), 0xA500 + 0x40 + 37);
}

TEST(SimEeprom, PersistsAcrossRunsAndSurvivesBadFiles) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  SimOptions options;
  options.eepromFile = dir.filePath("eeprom.ini");
  ParamWords w = DefaultParams();
  w[pw::kPower] = 777;
  {
    Simulator sim(options);
    const quint16 port = sim.ListenTcp();
    SimClient client;
    ASSERT_TRUE(client.ConnectTcp(port));
    EXPECT_EQ(client.Exchange(order::kWriteBlock, 1, ToBytes(PackParams(w)))->header.param, 0);
    EXPECT_TRUE(client.Exchange(order::kRamToEeprom, 0));
    EXPECT_EQ(client.Exchange(order::kWriteCalib, 0, {0x00, 0x08, 0x00, 0x04, 0x00, 0x02})->header.param, 0);
  }
  {
    Simulator sim(options);
    EXPECT_TRUE(sim.EepromError().isEmpty());
    EXPECT_EQ(UnpackParams(sim.EepromParams(1))[pw::kPower], 777);
    EXPECT_EQ(UnpackParams(sim.RamParams(1))[pw::kPower], 777) << "the sensor starts from its EEPROM";
    EXPECT_EQ(sim.CalFactors(), (std::array<std::uint16_t, 3>{2048, 1024, 512}));
    EXPECT_EQ(sim.ReservedWord(1, 63), 0xA500 + 0x40 + 63);
  }
  // A damaged file: the sensor starts with defaults and says why.
  QFile file(options.eepromFile);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
  file.write("[SET0]\nPARAMS=zz\n\x01\x02garbage\n");
  file.close();
  Simulator damaged(options);
  EXPECT_FALSE(damaged.EepromError().isEmpty());
  EXPECT_EQ(UnpackParams(damaged.RamParams(0)), DefaultParams());
}

TEST_F(SimTest, MeasurementFollowsTargetPowerGainAndCalibration) {
  auto m = client.Exchange(order::kMeasure, 0);
  ASSERT_TRUE(m);
  EXPECT_EQ(m->header.order, order::kMeasure);
  ASSERT_EQ(m->data.size(), 40u);
  // Raw = target + dark level (38, 41, 35), within the noise.
  EXPECT_NEAR(Word(*m, 11), 1238, 4);
  EXPECT_NEAR(Word(*m, 12), 1041, 4);
  EXPECT_NEAR(Word(*m, 13), 835, 4);
  EXPECT_EQ(Word(*m, 0), Word(*m, 11)) << "CF 1024 leaves raw unchanged";
  for (int c = 0; c < 3; ++c) {
    EXPECT_LE(Word(*m, 14 + c), Word(*m, c));
    EXPECT_GE(Word(*m, 17 + c), Word(*m, c));
  }
  EXPECT_GE(Word(*m, 10), 34);
  EXPECT_LE(Word(*m, 10), 36);
  EXPECT_EQ(Word(*m, 7), 255) << "default teach rows do not match";
  EXPECT_EQ(Word(*m, 6), -1) << "BEST HIT without a hit";

  // Half the power halves the signal above the dark level; GAIN +2 doubles it.
  ParamWords w = DefaultParams();
  w[pw::kPower] = 250;
  w[pw::kGain] = 7;
  client.Exchange(order::kWriteBlock, 0, ToBytes(PackParams(w)));
  m = client.Exchange(order::kMeasure, 0);
  EXPECT_NEAR(Word(*m, 11), 1238, 4);
  // Calibration factors scale the calibrated values.
  EXPECT_EQ(client.Exchange(order::kWriteCalib, 0, {0x00, 0x08, 0x00, 0x04, 0x00, 0x02})->header.param, 0);
  m = client.Exchange(order::kMeasure, 0);
  EXPECT_NEAR(Word(*m, 0), 2 * Word(*m, 11), 2);
  EXPECT_NEAR(Word(*m, 1), Word(*m, 12), 1);
  EXPECT_NEAR(Word(*m, 2), Word(*m, 13) / 2, 1);
}

TEST_F(SimTest, TeachingTheCurrentColourGivesAHit) {
  auto m = client.Exchange(order::kMeasure, 0);
  ASSERT_TRUE(m);
  TeachRows rows = UnpackTeach(sim->RamTeach(0));
  rows[1] = {static_cast<std::uint16_t>(Word(*m, 3)),
             static_cast<std::uint16_t>(Word(*m, 4)),
             40,
             static_cast<std::uint16_t>(Word(*m, 5)),
             100,
             2,
             10,
             rows[1][7]};
  const auto bytes = PackTeach(rows);
  client.Exchange(order::kWriteBlock, 2, ToBytes(bytes.data(), 512));
  ParamWords w = DefaultParams();
  w[pw::kMaxVecNo] = 2;
  w[pw::kColorGroup] = 1;
  client.Exchange(order::kWriteBlock, 0, ToBytes(PackParams(w)));
  m = client.Exchange(order::kMeasure, 0);
  EXPECT_EQ(Word(*m, 7), 1);
  EXPECT_EQ(Word(*m, 8), 2) << "group of row 1";
  EXPECT_LE(Word(*m, 6), 10);
  EXPECT_GE(Word(*m, 6), 0);
}

TEST_F(SimTest, CalibrationOffsetsAndSelfCalibration) {
  auto a = client.Exchange(order::kWriteCalib, 0, {0x01, 0x10, 0x00, 0x10, 0x00, 0x04});  // 4097, 4096, 1024
  ASSERT_TRUE(a);
  EXPECT_EQ(a->header.order, order::kWriteCalib);
  EXPECT_EQ(a->header.param, 1);
  EXPECT_EQ(sim->CalFactors(), (std::array<std::uint16_t, 3>{1024, 4096, 1024}));

  EXPECT_EQ(client.Exchange(order::kWriteCalib, 1, {5, 0, 6, 0, 0x00, 0x04})->header.param,
            1);  // 1024 > 1023
  a = client.Exchange(order::kReadCalib, 0);
  ASSERT_EQ(a->data.size(), 12u);
  const std::uint16_t expected[] = {1024, 4096, 1024, 5, 6, 0};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(ReadU16(a->data.data() + 2 * i), expected[i]) << i;

  // Offset detection takes the dark level; raw values then lose it.
  EXPECT_EQ(client.Exchange(order::kDetectOffset, 1)->header.order, order::kDetectOffset);
  EXPECT_EQ(sim->Offsets(), (std::array<std::uint16_t, 3>{38, 41, 35}));
  auto m = client.Exchange(order::kMeasure, 0);
  EXPECT_NEAR(Word(*m, 11), 1200, 4);

  a = client.Exchange(order::kSelfCalib, 0);
  ASSERT_EQ(a->data.size(), 10u);
  EXPECT_NEAR(ReadU16(a->data.data()), 2000 * 1024 / 1200, 8);
  EXPECT_NEAR(ReadU16(a->data.data() + 4), 2000 * 1024 / 800, 12);
  EXPECT_EQ(ReadU16(a->data.data() + 6), 2000);
  m = client.Exchange(order::kMeasure, 0);
  EXPECT_NEAR(Word(*m, 0), 2000, 10) << "the self-calibrated factors act at once";
}

TEST_F(SimTest, AutomaticSendingRunsFromStartToStop) {
  auto a = client.Exchange(order::kAutoSend, 1);
  ASSERT_TRUE(a);
  EXPECT_EQ(a->header.order, order::kAutoSend);
  EXPECT_TRUE(sim->AutoSending());
  sim->TriggerNow();
  sim->TriggerNow();
  for (int i = 0; i < 2; ++i) {
    auto f = client.ReadFrame(1000);
    ASSERT_TRUE(f);
    EXPECT_EQ(f->header.order, order::kMeasure);
    EXPECT_EQ(f->data.size(), 40u);
  }
  // The trigger period also produces frames by itself.
  sim->options().triggerPeriodMs = 20;
  sim->TriggerNow();
  for (int i = 0; i < 3; ++i) ASSERT_TRUE(client.ReadFrame(2000));
  a = client.Exchange(order::kAutoSend, 0, {}, 2000);
  // Frames already under way may come before the stop answer.
  while (a && a->header.order == order::kMeasure) a = client.ReadFrame(2000);
  ASSERT_TRUE(a);
  EXPECT_EQ(a->header.order, order::kAutoSend);
  EXPECT_FALSE(sim->AutoSending());
  sim->TriggerNow();
  EXPECT_EQ(client.Exchange(order::kIdentify, 0)->header.order, order::kIdentify)
      << "nothing sent after stop";
}

TEST_F(SimTest, CycleTimeAnswer) {
  auto a = client.Exchange(order::kCycleTime, 0);
  ASSERT_TRUE(a);
  ASSERT_EQ(a->data.size(), 8u);
  EXPECT_EQ(ReadI32(a->data.data()), 8000);
  EXPECT_EQ(ReadI32(a->data.data() + 4), 800);
}

Bytes ScopeRequest(std::uint16_t level, std::uint16_t mode, std::uint16_t pre, std::uint16_t rate,
                   std::uint16_t signal) {
  Bytes p(10);
  const std::uint16_t w[] = {level, mode, pre, rate, signal};
  for (int i = 0; i < 5; ++i) WriteU16(p.data() + 2 * i, w[i]);
  return p;
}

TEST_F(SimTest, ScopeSingleShotSendsFourBlocksAtOnce) {
  auto a = client.Exchange(order::kScope, 1, ScopeRequest(0, 0, 0, 1, 0));
  ASSERT_TRUE(a);
  EXPECT_EQ(a->header.order, order::kScope);
  EXPECT_TRUE(a->data.empty());
  for (int k = 0; k < 4; ++k) {
    auto f = client.ReadFrame(1000);
    ASSERT_TRUE(f) << k;
    ASSERT_EQ(f->data.size(), 258u);
    if (k < 3) {
      // The analog lines sit at the calibrated levels (1238, 1041, 835).
      const int level[] = {1238, 1041, 835};
      EXPECT_NEAR(ReadU16(f->data.data() + 2 * 50), level[k], 10) << k;
    }
  }
  EXPECT_FALSE(sim->ScopeArmed());
}

TEST_F(SimTest, ScopeRisingEdgeWaitsForTriggerAndPlacesItAtThePreTrigger) {
  const int pre = 20, level = 900;
  ASSERT_TRUE(client.Exchange(order::kScope, 1, ScopeRequest(level, 1, pre, 2, 0)));
  EXPECT_TRUE(sim->ScopeArmed());
  sim->TriggerNow();
  std::vector<FrameReader::Event> blocks;
  for (int k = 0; k < 4; ++k) {
    auto f = client.ReadFrame(1000);
    ASSERT_TRUE(f);
    blocks.push_back(*f);
  }
  const int ringPos = ReadU16(blocks[2].data.data() + 256);
  ASSERT_LT(ringPos, 128);
  auto display = [&](int i) {
    const int start = (ringPos + 128 - pre) % 128;
    return ReadU16(blocks[2].data.data() + 2 * ((start + i) % 128));
  };
  for (int i = 0; i < pre; ++i) EXPECT_LT(display(i), level) << i;
  for (int i = pre; i < 128; ++i) EXPECT_GT(display(i), level) << i;
}

TEST_F(SimTest, ScopeBreakCancels) {
  ASSERT_TRUE(client.Exchange(order::kScope, 1, ScopeRequest(100, 4, 10, 1, 1)));
  auto a = client.Exchange(order::kScope, 0);
  ASSERT_TRUE(a);
  EXPECT_EQ(a->header.order, order::kScope);
  EXPECT_FALSE(sim->ScopeArmed());
  sim->TriggerNow();
  EXPECT_EQ(client.Exchange(order::kIdentify, 0)->header.order, order::kIdentify)
      << "no blocks after a break";
}

}  // namespace
}  // namespace trivolux::sim::test
