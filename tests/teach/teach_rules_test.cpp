// Default tolerances of TEACH DATA TO, the running value of "Increment
// selection with" and the reading of a prompt answer.
#include "teach/teach_rules.h"

#include <gtest/gtest.h>

namespace trivolux {
namespace {

TEST(TeachRules, DefaultTolerances) {
  struct Case {
    int calc, eval, power;
    std::uint16_t colour, intensity;
  } cases[] = {
      {0, 0, 0, 100, 100}, {0, 0, 1, 100, 50}, {0, 3, 1, 100, 50}, {0, 1, 0, 200, 200}, {0, 1, 1, 200, 100},
      {0, 2, 1, 40, 100},  {0, 2, 0, 40, 200}, {1, 0, 1, 100, 50}, {1, 1, 0, 200, 50},  {1, 2, 0, 40, 50},
      {2, 0, 0, 100, 1},   {3, 1, 1, 200, 1},  {2, 2, 0, 40, 1},
  };
  for (const Case& c : cases) {
    const DefaultTolerance t = DefaultTolerancesFor(c.calc, c.eval, c.power);
    EXPECT_EQ(t.colour, c.colour) << c.calc << "/" << c.eval << "/" << c.power;
    EXPECT_EQ(t.intensity, c.intensity) << c.calc << "/" << c.eval << "/" << c.power;
  }
}

TEST(TeachRules, RunningValueWrapsBothWays) {
  EXPECT_EQ(NextRunningValue(10, 5), 15);
  EXPECT_EQ(NextRunningValue(10, -20), 65526);
  EXPECT_EQ(NextRunningValue(65535, 1), 0);
  EXPECT_EQ(NextRunningValue(0, -999999999), (65536 - 999999999 % 65536) % 65536);
}

TEST(TeachRules, PromptAnswers) {
  long long v = 0;
  EXPECT_TRUE(ParseCellAnswer(" -20 ", &v));
  EXPECT_EQ(v, -20);
  EXPECT_TRUE(ParseCellAnswer("999999999", &v));
  EXPECT_EQ(v, 999999999);
  for (const char* bad : std::initializer_list<const char*>{"", "  ", "12abc", "1.5", "abc", "+", nullptr})
    EXPECT_FALSE(ParseCellAnswer(bad, &v)) << bad;
}

}  // namespace
}  // namespace trivolux
