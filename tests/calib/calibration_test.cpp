#include "calib/calibration.h"

#include <gtest/gtest.h>

#include "calib/hw_info_file.h"
#include "params/parameter_file.h"

namespace trivolux {
namespace {

RawSums Means(int r, int g, int b, int delta) {
  RawSums s;
  for (int k = 0; k < kCalSamples; ++k)
    s.Add(static_cast<std::int16_t>(r), static_cast<std::int16_t>(g), static_cast<std::int16_t>(b),
          static_cast<std::uint16_t>(delta));
  return s;
}

TEST(Calibration, FactorsAndRefusals) {
  struct Case {
    const char* what;
    RawSums sums;
    std::uint16_t setValue, maxDelta;
    CalOutcome outcome;
    std::array<std::uint16_t, 3> factors;
  } cases[] = {
      {"worked example", Means(640, 800, 1000, 10), 800, 100, CalOutcome::Passed, {1280, 1024, 819}},
      {"at the set value", Means(900, 900, 900, 0), 900, 0, CalOutcome::Passed, {1024, 1024, 1024}},
      {"covered channel, set 4", Means(0, 4, 4, 0), 4, 0, CalOutcome::Passed, {4096, 1024, 1024}},
      {"covered channel, set 5", Means(0, 5, 5, 0), 5, 0, CalOutcome::OutOfRange, {}},
      {"full quotient", Means(1, 1, 1, 0), 65535, 0, CalOutcome::OutOfRange, {}},
      {"delta at the limit", Means(800, 800, 800, 40), 800, 40, CalOutcome::Passed, {1024, 1024, 1024}},
      {"delta one above", Means(800, 800, 800, 41), 800, 40, CalOutcome::DeltaTooHigh, {}},
  };
  for (const Case& c : cases) {
    const CalResult r = CalcFactors(c.sums, c.setValue, c.maxDelta);
    EXPECT_EQ(r.outcome, c.outcome) << c.what;
    if (c.outcome == CalOutcome::Passed) {
      EXPECT_EQ(r.factors, c.factors) << c.what;
    }
  }
}

TEST(Calibration, MeansTruncate) {
  RawSums s;
  s.red = 99;       // mean 0, counted as 1
  s.green = 80099;  // mean 800
  s.blue = 80000;
  s.delta = 4099;  // mean 40
  const CalResult r = CalcFactors(s, 800, 40);
  ASSERT_EQ(r.outcome, CalOutcome::OutOfRange);  // 800 × 1024 / 1
  s.red = 80000;
  EXPECT_EQ(CalcFactors(s, 800, 40).factors, (std::array<std::uint16_t, 3>{1024, 1024, 1024}));
}

TEST(Calibration, HardwareDataIsFourHexDigitsPerWord) {
  std::uint8_t data[512];
  for (int k = 0; k < 256; ++k) {
    data[2 * k] = k % 2 ? 0xFF : 0xAF;
    data[2 * k + 1] = k % 2 ? 0xFF : 0x00;
  }
  const QString text = HardwareDataText(data, 512);
  EXPECT_EQ(text.size(), 1024);
  EXPECT_TRUE(text.startsWith("00AFFFFF00AF"));
}

TEST(Calibration, HardwareFileEndsWithTheParameterFileSections) {
  ParameterSet set{};
  set.block[3] = 7;
  set.table[5][1] = 1234;
  HardwareInfo info;
  info.firmware = "TRIVOLUX VR V1.2.0";
  info.hardwareData = QString(1024, 'A');
  info.factors = {1280, 1024, 819};
  info.offsets = {1, 2, 3};
  IniText hw, para;
  PutHardwareInfoFile(hw, info, set);
  AppendParaToIniHandle(para, set.block);
  AppendTechVecToIniHandle(para, set.table);
  const std::string text = hw.ToText();
  EXPECT_EQ(text.substr(text.size() - para.ToText().size()), para.ToText());
  std::string data;
  EXPECT_EQ(hw.GetString("HARDWARE INFO", "DATA", 4096, &data), 1);
  EXPECT_EQ(data, std::string(1024, 'A'));
  std::int32_t blue = 0;
  EXPECT_EQ(hw.GetInt("CALIBRATION FACTOR", "BLUE", &blue), 1);
  EXPECT_EQ(blue, 819);
  std::vector<std::string> sections;
  for (const auto& s : hw.Sections()) sections.push_back(s.name);
  ASSERT_GE(sections.size(), 4u);
  EXPECT_EQ(std::vector<std::string>(sections.begin(), sections.begin() + 4),
            (std::vector<std::string>{"GENERAL INFO", "HARDWARE INFO", "CALIBRATION FACTOR", "OFFSET"}));
}

}  // namespace
}  // namespace trivolux
