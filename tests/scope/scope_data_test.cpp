#include "scope/scope_data.h"

#include <gtest/gtest.h>

#include <vector>

#include "scope/scope_report_lines.h"

namespace trivolux {
namespace {

// Ring word k holds 1000 + k; word 128 is the ring position.
std::vector<std::uint8_t> Ring(int position) {
  std::vector<std::uint8_t> data(kScopeBlockBytes);
  for (int k = 0; k < kScopeSamples; ++k) {
    data[2 * k] = static_cast<std::uint8_t>((1000 + k) & 0xFF);
    data[2 * k + 1] = static_cast<std::uint8_t>((1000 + k) >> 8);
  }
  data[256] = static_cast<std::uint8_t>(position & 0xFF);
  data[257] = static_cast<std::uint8_t>(position >> 8);
  return data;
}

TEST(ScopeData, FrequencyAndPrecisions) {
  const double f = ScanFrequencyOf(8000, 800);
  EXPECT_DOUBLE_EQ(f, 1000);
  EXPECT_EQ(FrequencyDecimals(f), 1);
  EXPECT_EQ(CycleTimeDecimals(f), 3);
  EXPECT_EQ(FrequencyDecimals(1000.5), 0);
  EXPECT_EQ(FrequencyDecimals(1), 2);
  EXPECT_EQ(CycleTimeDecimals(20000), 6);
  EXPECT_EQ(CycleTimeDecimals(0), 0);
  for (auto nt : {std::pair{0, 800}, {8000, 0}, {-5, 800}, {8000, -1}})
    EXPECT_EQ(ScanFrequencyOf(nt.first, nt.second), 0);
  EXPECT_EQ(DeltaXDecimals(1000.5), 0);
  EXPECT_EQ(DeltaXDecimals(58), 3);
  EXPECT_EQ(DeltaXDecimals(1), 6);
}

TEST(ScopeData, BlocksComeOutOfTheRing) {
  struct Case {
    int mode, preTrigger, position, index, ringWord;
  } cases[] = {
      {1, 20, 5, 0, 113},
      {1, 20, 5, 20, 5},  // the trigger sample lands at index 20
      {0, 20, 5, 7, 7},   // SINGLE SHOT ignores the position
      {2, 0, 127, 0, 127},
      {4, 130, 3, 0, 1},            // pre-trigger above 128 wraps
      {1, 20, 300, 20, 300 % 128},  // a position above 127 as well
  };
  for (const Case& c : cases) {
    std::uint16_t p = 0;
    const ScopeBlock b = TakeScopeBlock(Ring(c.position).data(), c.mode, c.preTrigger, &p);
    EXPECT_EQ(b[static_cast<std::size_t>(c.index)], 1000 + c.ringWord) << c.mode << " " << c.position;
    EXPECT_EQ(p, c.position);
  }
}

TEST(ScopeData, BinaryTracesAndDeltas) {
  ScopeBlock bin{};
  bin[0] = 3;
  bin[1] = 0;
  bin[2] = 2;
  std::array<double, kScopeSamples> a{}, b{};
  BinaryTraces(bin, &a, &b);
  EXPECT_EQ((std::array<double, 3>{a[0], a[1], a[2]}), (std::array<double, 3>{3, 2, 2}));
  EXPECT_EQ((std::array<double, 3>{b[0], b[1], b[2]}), (std::array<double, 3>{1, 0, 1}));
  const ScopeDelta d = ScopeDeltaOf(10.7, 100.9, 40.2, 50.2, 1.0, 2);
  EXPECT_EQ(d.dx, 29);
  EXPECT_EQ(d.dy, 50);
  EXPECT_DOUBLE_EQ(d.ms, 58);
  EXPECT_EQ(ScopeYMax(1, 3), 10000);
  EXPECT_EQ(ScopeYMax(1, 2), 4100);
  EXPECT_EQ(ScopeYMax(0, 1), 4100);
}

TEST(ScopeReportLines, OptionalLinesInPrintOrder) {
  struct Case {
    QString id, comment;
    std::vector<QString> texts;
  };
  const std::vector<Case> cases = {
      {"", "", {"Scope Screen Shot", "V", ""}},
      {"LINE 4", "", {"Scope Screen Shot", "V", "PANEL ID: LINE 4", ""}},
      // A comment of several lines stays one line of the report.
      {"", "a\nb", {"Scope Screen Shot", "V", "", "COMMENT:", "a\nb", ""}},
  };
  for (const Case& c : cases) {
    const auto lines = ScopeReportLines("V", c.id, c.comment);
    std::vector<QString> texts;
    for (const auto& l : lines) texts.push_back(l.text);
    EXPECT_EQ(texts, c.texts) << c.id.toStdString() << "|" << c.comment.toStdString();
    EXPECT_EQ(lines.front().pointSize, 20);
    for (std::size_t i = 1; i < lines.size(); ++i) EXPECT_EQ(lines[i].pointSize, 10);
  }
  EXPECT_EQ(PageOfText(2, 3), "Page 2 of 3");
}

}  // namespace
}  // namespace trivolux
