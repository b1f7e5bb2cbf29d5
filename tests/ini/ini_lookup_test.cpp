// Lookups in documents large enough to be searched through the name indexes:
// they must answer exactly as a search from the front would.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "ini/ini_text.h"

namespace trivolux {
namespace {

std::string Filler(const std::string& prefix, int count, const std::string& line) {
  std::string out;
  for (int i = 0; i < count; ++i) out += prefix + std::to_string(i) + line;
  return out;
}

std::int32_t IntOf(const IniText& ini, std::string_view section, std::string_view tag) {
  std::int32_t value = -1;
  EXPECT_EQ(ini.GetInt(section, tag, &value), 1) << section << "/" << tag;
  return value;
}

TEST(IniLookup, ADuplicatedSectionAnswersFromItsFirstAmongThousands) {
  IniText ini;
  ini.ReadFromBytes(Filler("[F", 3000, "]\nA = 0\n") + "[ Dup ]\nA = 1\n" + Filler("[G", 3000, "]\nA = 0\n") +
                    "[DUP]\nA = 2\nB = 3\n[dup\t]\nA = 4\n");
  for (const char* name : {"Dup", "DUP", "dup", " dUP\t", "\tDup  "})
    EXPECT_EQ(IntOf(ini, name, "A"), 1) << name;
  std::int32_t value = 0;
  EXPECT_EQ(ini.GetInt("DUP", "B", &value), 0);
  EXPECT_EQ(ini.GetInt("Du", "A", &value), 0);
  EXPECT_EQ(ini.GetInt("DUPE", "A", &value), 0);

  ASSERT_EQ(ini.PutInt("dup", "B", 5), 0);
  EXPECT_EQ(ini.Sections()[3000].items.size(), 2u);
  EXPECT_EQ(IntOf(ini, "Dup", "B"), 5);
  ASSERT_EQ(ini.PutInt("NEW", "A", 6), 0);
  EXPECT_EQ(ini.Sections().size(), 6004u);
  EXPECT_EQ(IntOf(ini, "new", "A"), 6);
}

// The same document and the same Puts with few and with many items before the
// interesting ones: the results must not depend on how a section is searched.
TEST(IniLookup, LargeSectionsReplaceAndAppendLikeSmallOnes) {
  for (const int filler : {2, 31, 32, 33, 500}) {
    SCOPED_TRACE(filler);
    IniText ini;
    ini.ReadFromBytes("[S]\n" + Filler("F", filler, " = 0\n") +
                      ";about a\na = 1\nB = 2\n A = 3\nA\t= 4\nC = 5\n");
    EXPECT_EQ(IntOf(ini, "S", "A"), 1);
    ASSERT_EQ(ini.PutInt("S", "A", 10), 0);  // replaces three items at the first place
    ASSERT_EQ(ini.PutInt("S", "b", 20), 0);  // replaces one item in place
    ASSERT_EQ(ini.PutInt("S", "D", 30), 0);  // appends
    ASSERT_EQ(ini.PutInt("S", "a", 40), 0);  // replaces the item that remained
    const std::string text = ini.ToText();
    EXPECT_EQ(text.substr(text.find(";about")), ";about a\r\na = 40\r\nb = 20\r\nC = 5\r\nD = 30\r\n\r\n");
    const std::pair<const char*, int> expected[] = {{"A", 40}, {"B", 20}, {"c", 5}, {"d", 30}, {"F0", 0}};
    for (const auto& [tag, value] : expected) EXPECT_EQ(IntOf(ini, "S", tag), value) << tag;
    EXPECT_EQ(ini.Sections()[0].items.size(), static_cast<std::size_t>(filler) + 4);
  }
}

TEST(IniLookup, ASectionGrowingItemByItemFindsEveryItem) {
  IniText ini;
  for (int i = 0; i < 100; ++i) {
    ASSERT_EQ(ini.PutInt("S", "T" + std::to_string(i), i), 0);
    for (int j = 0; j <= i; ++j) ASSERT_EQ(IntOf(ini, "S", "t" + std::to_string(j)), j) << "after " << i;
  }
  ASSERT_EQ(ini.PutInt("S", " t7 ", 70), 0);
  EXPECT_EQ(IntOf(ini, "S", "T7"), 70);
  EXPECT_EQ(ini.Sections()[0].items.size(), 100u);
}

}  // namespace
}  // namespace trivolux
