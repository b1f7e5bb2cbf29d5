#include "ini/ini_text.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace trivolux {
namespace {

std::string GetText(const IniText& ini, std::string_view section, std::string_view tag) {
  std::string out = "<unset>";
  EXPECT_EQ(ini.GetString(section, tag, 100000, &out), 1) << tag;
  return out;
}

IniText Reread(const IniText& ini) {
  IniText copy;
  copy.ReadFromBytes(ini.ToText());
  return copy;
}

TEST(IniText, EveryValueKindSurvivesWriteAndRead) {
  const std::string escapes = "tab\tlf\ncr\rquote\"back\\ctl\x01\x1f\x7f high\xc3\xa4\xff";
  const std::string withNul("a\0b", 3);
  IniText ini;
  ASSERT_EQ(ini.PutInt("NUM", "ZERO", 0), 0);
  ASSERT_EQ(ini.PutInt("NUM", "NEG", -7), 0);
  ASSERT_EQ(ini.PutInt("NUM", "MIN", INT32_MIN), 0);
  ASSERT_EQ(ini.PutInt("NUM", "MAX", INT32_MAX), 0);
  ASSERT_EQ(ini.PutString("STR", "EMPTY", ""), 0);
  ASSERT_EQ(ini.PutString("STR", "ESC", escapes), 0);
  ASSERT_EQ(ini.PutString("STR", "NUL", withNul), 0);
  ASSERT_EQ(ini.PutString("STR", "L80", std::string(80, 'a')), 0);
  ASSERT_EQ(ini.PutString("STR", "L81", std::string(81, 'b')), 0);
  ASSERT_EQ(ini.PutString("STR", "L200", std::string(200, 'c')), 0);
  ASSERT_EQ(ini.PutString("STR", "BLANKS", "  edge  "), 0);
  // An escape sequence cut by the 80-character split still reads back whole.
  ASSERT_EQ(ini.PutString("STR", "CUT", std::string(79, 'd') + "\n" + escapes + std::string(90, ' ')), 0);

  const IniText back = Reread(ini);
  std::int32_t v = 1;
  EXPECT_EQ(back.GetInt("NUM", "ZERO", &v), 1);
  EXPECT_EQ(v, 0);
  EXPECT_EQ(back.GetInt("NUM", "NEG", &v), 1);
  EXPECT_EQ(v, -7);
  EXPECT_EQ(back.GetInt("NUM", "MIN", &v), 1);
  EXPECT_EQ(v, INT32_MIN);
  EXPECT_EQ(back.GetInt("NUM", "MAX", &v), 1);
  EXPECT_EQ(v, INT32_MAX);
  EXPECT_EQ(GetText(back, "STR", "EMPTY"), "");
  EXPECT_EQ(GetText(back, "STR", "ESC"), escapes);
  EXPECT_EQ(GetText(back, "STR", "NUL"), withNul);
  EXPECT_EQ(GetText(back, "STR", "L80"), std::string(80, 'a'));
  EXPECT_EQ(GetText(back, "STR", "L81"), std::string(81, 'b'));
  EXPECT_EQ(GetText(back, "STR", "L200"), std::string(200, 'c'));
  EXPECT_EQ(GetText(back, "STR", "BLANKS"), "  edge  ");
  EXPECT_EQ(GetText(back, "STR", "CUT"), std::string(79, 'd') + "\n" + escapes + std::string(90, ' '));
  // Nothing is gained or lost on a second round.
  EXPECT_EQ(Reread(back).ToText(), ini.ToText());
}

TEST(IniText, WritesTheDocumentedLayout) {
  IniText ini;
  ini.PutInt("PARAMETER", "POWER", 500);
  ini.PutString("PARAMETER", "NAME", "a\nb\"c\\\x1b");
  ini.PutInt("EMPTY AFTER", "X", -1);
  EXPECT_EQ(ini.ToText(),
            "[PARAMETER]\r\nPOWER = 500\r\nNAME = \"a\\nb\\\"c\\\\\\x1b\"\r\n\r\n"
            "[EMPTY AFTER]\r\nX = -1\r\n\r\n");
}

TEST(IniText, SplitsValuesLongerThanEightyCharacters) {
  IniText ini;
  ini.PutString("S", "T", std::string(80, 'x'));
  EXPECT_EQ(ini.ToText(), "[S]\r\nT = \"" + std::string(80, 'x') + "\"\r\n\r\n");

  ini.PutString("S", "T", std::string(80, 'x') + "y");
  EXPECT_EQ(ini.ToText(),
            "[S]\r\nT Line0001 = \"" + std::string(80, 'x') + "\"\r\nT Line0002 = \"y\"\r\n\r\n");

  // Unquoted pieces whose edges reading would trim are written quoted instead.
  IniText unquoted;
  unquoted.ReadFromBytes("[S]\r\nU = " + std::string(79, 'u') + "  v\r\n");
  const std::string text = unquoted.ToText();
  EXPECT_NE(text.find("U Line0001 = \"" + std::string(79, 'u') + " \""), std::string::npos) << text;
  EXPECT_EQ(GetText(Reread(unquoted), "S", "U"), std::string(79, 'u') + "  v");
}

TEST(IniText, JoinsOnlyRunsOfPiecesStartingAtOne) {
  IniText ini;
  ini.ReadFromBytes(
      "[S]\nA Line0001 = \"ab\"\nA line0002 = cd\nA Line0003 = \"e\"\nB = 1\n"
      "C Line0002 = x\nD Line0001 = p\nD Line0003 = q\nE Line0001 = 1\nF Line0002 = 2\n"
      "G Line1 = g\nG Line00000000000000000002 = h\n");
  ASSERT_EQ(ini.Sections().size(), 1u);
  const auto& items = ini.Sections()[0].items;
  std::vector<std::string> tags;
  for (const auto& item : items) tags.push_back(item.tag + "=" + item.value);
  EXPECT_EQ(tags, (std::vector<std::string>{"A=abcde", "B=1", "C Line0002=x", "D=p", "D Line0003=q", "E=1",
                                            "F Line0002=2", "G=gh"}));
  EXPECT_TRUE(items[0].quoted);
}

TEST(IniText, LookupIgnoresCaseAndSurroundingBlanks) {
  IniText ini;
  ASSERT_EQ(ini.PutInt(" PARAMETER ", "GROUP ", 3), 0);
  ini.PutInt("parameter", "POWER", 500);
  EXPECT_EQ(ini.ToText(), "[PARAMETER]\r\nGROUP = 3\r\nPOWER = 500\r\n\r\n");
  std::int32_t v = 0;
  EXPECT_EQ(ini.GetInt("Parameter", "group", &v), 1);
  EXPECT_EQ(v, 3);
  EXPECT_EQ(ini.GetInt("\tparameter", " power\t", &v), 1);
  EXPECT_EQ(v, 500);
  // Only ASCII letters fold; other bytes compare exactly.
  ini.PutInt("S\xc3\x84", "T", 1);
  EXPECT_EQ(ini.GetInt("s\xc3\xa4", "t", &v), 0);
  EXPECT_EQ(ini.GetInt("s\xc3\x84", "t", &v), 1);
}

TEST(IniText, PutReplacesEveryItemOfTheTagAtTheFirstPlace) {
  IniText ini;
  ini.ReadFromBytes("[S]\n;about a\na = 1\nB = 2\nA = 3\nC = 4\n[T]\nX = 0\n");
  ASSERT_EQ(ini.PutString("s", "A ", "new"), 0);
  ASSERT_EQ(ini.PutInt("S", "D", 5), 0);
  ASSERT_EQ(ini.PutInt("U", "Y", 6), 0);
  EXPECT_EQ(ini.ToText(),
            "[S]\r\n;about a\r\nA = \"new\"\r\nB = 2\r\nC = 4\r\nD = 5\r\n\r\n"
            "[T]\r\nX = 0\r\n\r\n[U]\r\nY = 6\r\n\r\n");
}

TEST(IniText, DuplicateSectionsAnswerFromTheFirst) {
  IniText ini;
  ini.ReadFromBytes("[PARAMETER]\nA = 1\n[OTHER]\nA = 9\n[PARAMETER]\nA = 2\nB = 3\n");
  std::int32_t v = 0;
  for (const char* section : {"PARAMETER", "OTHER", "PARAMETER", "other", "parameter"}) {
    ASSERT_EQ(ini.GetInt(section, "A", &v), 1);
    EXPECT_EQ(v, std::string(section) == "OTHER" || std::string(section) == "other" ? 9 : 1) << section;
  }
  EXPECT_EQ(ini.GetInt("PARAMETER", "B", &v), 0);
  ini.PutInt("PARAMETER", "B", 4);
  EXPECT_EQ(ini.Sections()[0].items.size(), 2u);
  EXPECT_EQ(ini.Sections()[2].items.size(), 2u);
}

TEST(IniText, CommentsStayWithTheFollowingLine) {
  IniText ini;
  ini.ReadFromBytes(
      ";head 1\r\n  ;head 2\r\n[S]\r\n; item\r\nA = 1\r\n[broken\r\n;lost? no\r\nB = 2\r\n;tail\r\n");
  EXPECT_EQ(ini.ToText(),
            ";head 1\r\n  ;head 2\r\n[S]\r\n; item\r\nA = 1\r\n;lost? no\r\nB = 2\r\n\r\n;tail\r\n");
}

TEST(IniText, IgnoresLinesThatAreNoItems) {
  IniText ini;
  ini.ReadFromBytes(
      "A = before any section\n[ S ]  \nno equals sign\n = no tag\nEMPTY =   \n[bad] x\n]odd]\n[also bad\n"
      "Q1 = \"quoted\"  \nQ2 = \"\nQ3 = \"\"\nQ4 = x\"y\"\nQ5 = a = b\n[]\nZ = 1\n");
  ASSERT_EQ(ini.Sections().size(), 2u);
  EXPECT_EQ(ini.Sections()[0].name, "S");
  EXPECT_EQ(ini.Sections()[1].name, "");
  std::string text;
  EXPECT_EQ(ini.GetString("S", "EMPTY", 10, &text), 0);
  EXPECT_EQ(ini.GetString("S", "A", 10, &text), 0);
  const auto& items = ini.Sections()[0].items;
  ASSERT_EQ(items.size(), 5u);
  EXPECT_TRUE(items[0].quoted);
  EXPECT_EQ(items[0].value, "quoted");
  EXPECT_FALSE(items[1].quoted);
  EXPECT_EQ(items[1].value, "\"");
  EXPECT_TRUE(items[2].quoted);
  EXPECT_EQ(items[2].value, "");
  EXPECT_FALSE(items[3].quoted);
  EXPECT_EQ(items[4].value, "a = b");
}

TEST(IniText, ReadingSplitsLinesAndCutsLongOnes) {
  IniText ini;
  const std::string longValue(3000, 'v');
  ini.ReadFromBytes("[S]\rA = 1\n\rB = 2\r\n\r\nC = " + longValue + "\nD = 4\rE = " + std::string(1020, 'w') +
                    "F = 6 (never a line of its own)\r\n");
  std::int32_t v = 0;
  EXPECT_EQ(ini.GetInt("S", "A", &v), 1);
  EXPECT_EQ(ini.GetInt("S", "B", &v), 1);
  EXPECT_EQ(ini.GetInt("S", "D", &v), 1);
  EXPECT_EQ(ini.GetInt("S", "F", &v), 0);
  EXPECT_EQ(GetText(ini, "S", "C").size(), kIniMaxReadLine - 4);
  EXPECT_EQ(GetText(ini, "S", "E"), std::string(1020, 'w'));
}

TEST(IniText, UnescapesEveryForm) {
  IniText ini;
  ini.ReadFromBytes("[S]\nV = \"\\x4A\\x4a\\X41\\q\\\\\\\"\\n\\r\\t\\xg1\\x4\"\nW = end\\\n");
  EXPECT_EQ(GetText(ini, "S", "V"), "JJX41q\\\"\n\r\txg1x4");
  EXPECT_EQ(GetText(ini, "S", "W"), "end\\");
}

TEST(IniText, GetIntAcceptsOnlyWholeIntegers) {
  struct Case {
    const char* text;
    int result;
    std::int32_t value;
  };
  const Case cases[] = {
      {"42", 1, 42},
      {" -7 ", 1, -7},
      {"+5", 1, 5},
      {"\"  \"", 0, 0},
      {"\"12\"", 1, 12},
      {"2147483647", 1, INT32_MAX},
      {"-2147483648", 1, INT32_MIN},
      {"2147483648", -5021, 0},
      {"-2147483649", -5021, 0},
      {"99999999999999999999", -5021, 0},
      {"12abc", -5021, 0},
      {"- 7", -5021, 0},
      {"+-7", -5021, 0},
      {"-", -5021, 0},
      {"1 2", -5021, 0},
      {"0x10", -5021, 0},
      {"\"\"", 0, 0},
  };
  for (const Case& c : cases) {
    IniText ini;
    ini.ReadFromBytes(std::string("[S]\nV = ") + c.text + "\n");
    std::int32_t v = 12345;
    EXPECT_EQ(ini.GetInt("S", "V", &v), c.result) << c.text;
    EXPECT_EQ(v, c.result == 1 ? c.value : 12345) << c.text;
  }
  IniText ini;
  std::int32_t v = 0;
  EXPECT_EQ(ini.GetInt("S", "V", &v), 0);
  EXPECT_EQ(ini.GetInt("S", "V", nullptr), ini_error::kMissingArgument);
}

TEST(IniText, GetStringIntoBufferCutsAndClears) {
  IniText ini;
  ini.PutString("S", "T", "abc\tdef");
  char buffer[5] = "xxxx";
  EXPECT_EQ(ini.GetStringIntoBuffer("S", "T", buffer, sizeof buffer), 1);
  EXPECT_STREQ(buffer, "abc\t");
  EXPECT_EQ(ini.GetStringIntoBuffer("S", "missing", buffer, sizeof buffer), 0);
  EXPECT_STREQ(buffer, "");
  char one[1] = {'x'};
  EXPECT_EQ(ini.GetStringIntoBuffer("S", "T", one, 1), 1);
  EXPECT_EQ(one[0], '\0');
  EXPECT_EQ(ini.GetStringIntoBuffer("S", "T", nullptr, 5), ini_error::kMissingArgument);
  EXPECT_EQ(ini.GetStringIntoBuffer("S", "T", buffer, 0), ini_error::kMissingArgument);
}

TEST(IniText, RefusesNamesThatCannotBeReadBack) {
  IniText ini;
  for (const char* tag : {"", "  ", "a=b", "[x", ";x", "a\nb", "a\rb", "T Line0001", "T line2"}) {
    EXPECT_EQ(ini.PutInt("S", tag, 1), ini_error::kMissingArgument) << tag;
  }
  EXPECT_EQ(ini.PutString("S\nT", "A", "x"), ini_error::kMissingArgument);
  EXPECT_TRUE(ini.Sections().empty());
}

}  // namespace
}  // namespace trivolux
