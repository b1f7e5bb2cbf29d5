// Feeds thousands of deterministic inputs through the INI reader: mutations of
// valid files, random bytes and a few extreme shapes (NUL bytes, megabyte
// lines, unterminated quotes, stray brackets).
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "ini_fuzz_exercise.h"

namespace trivolux {
namespace {

// xorshift64*: fixed sequence on every platform and standard library.
class Rng {
 public:
  explicit Rng(std::uint64_t seed) : state_(seed | 1) {}
  std::uint64_t Next() {
    state_ ^= state_ >> 12;
    state_ ^= state_ << 25;
    state_ ^= state_ >> 27;
    return state_ * 0x2545F4914F6CDD1DULL;
  }
  std::size_t Below(std::size_t n) { return n == 0 ? 0 : static_cast<std::size_t>(Next() % n); }

 private:
  std::uint64_t state_;
};

std::vector<std::string> Seeds() {
  IniText built;
  built.PutInt("PARAMETER", "POWER", 500);
  built.PutInt("PARAMETER", "GROUP ", -2147483647 - 1);
  built.PutString("GENERAL INFO", "NAME", "tab\there \"q\" back\\ \x01\xc3\xa4");
  built.PutString("GENERAL INFO", "LONG", std::string(170, 'L'));
  built.PutString("TEACH VECTOR 0", "X", "");
  // Enough items for the section to be searched through its index, with
  // tags that differ only in case and blanks.
  std::string many = "[MANY]\n";
  for (int i = 0; i < 40; ++i)
    many += (i % 3 == 0 ? "t" : " T") + std::to_string(i % 25) + " = " + std::to_string(i) + "\n";
  return {
      many,
      built.ToText(),
      ";c\r\n[S]\r\n; d\r\nA = 1\r\nB Line0001 = \"ab\"\r\nB Line0002 = cd\r\n\r\n[S]\r\nA = 2\r\n;t",
      "[ a ]\nT = \"x\\x41\\\"\"\n[b] junk\n]c[\n=\nk=\n =v\n\"\" = \"\"\n",
      "[A]\rX Line0002 = 2\rX Line0001 = 1\rX Line0001 = \"\rY = -  7\r\n",
  };
}

const char kInteresting[] = "[]=;\"\\ \t\r\n\0xLine0001-+9aZ\x7f\x80\xff";

std::string Mutate(std::string text, Rng& rng, const std::vector<std::string>& seeds) {
  const int steps = 1 + static_cast<int>(rng.Below(6));
  for (int s = 0; s < steps; ++s) {
    const std::size_t at = rng.Below(text.size() + 1);
    switch (rng.Below(7)) {
      case 0:  // overwrite a byte with anything
        if (!text.empty()) text[rng.Below(text.size())] = static_cast<char>(rng.Next());
        break;
      case 1:  // insert a syntax-relevant byte
        text.insert(at, 1, kInteresting[rng.Below(sizeof kInteresting - 1)]);
        break;
      case 2:  // delete a range
        text.erase(at, rng.Below(16));
        break;
      case 3:  // duplicate a range
        text.insert(at, text.substr(rng.Below(text.size() + 1), rng.Below(64)));
        break;
      case 4:  // splice in part of another seed
      {
        const std::string& other = seeds[rng.Below(seeds.size())];
        text.insert(at, other.substr(rng.Below(other.size() + 1), rng.Below(200)));
        break;
      }
      case 5:  // a long run of one byte, sometimes beyond the line limit
        text.insert(at, rng.Below(3) == 0 ? 1000 + rng.Below(3000) : rng.Below(100),
                    kInteresting[rng.Below(sizeof kInteresting - 1)]);
        break;
      default:  // NUL bytes
        text.insert(at, rng.Below(4) + 1, '\0');
    }
  }
  return text;
}

TEST(IniFuzz, MutatedAndRandomInputsNeverBreakTheReader) {
  const std::vector<std::string> seeds = Seeds();
  Rng rng(20240607);
  int checked = 0;
  for (const std::string& seed : seeds) {
    ASSERT_EQ(ini_fuzz::Exercise(seed), "") << seed;
  }
  for (int round = 0; round < 10000; ++round) {
    std::string input;
    if (round % 5 == 0) {
      input.resize(rng.Below(512));
      for (char& c : input) c = static_cast<char>(rng.Next());
    } else {
      input = Mutate(seeds[rng.Below(seeds.size())], rng, seeds);
    }
    const std::string problem = ini_fuzz::Exercise(input);
    ASSERT_EQ(problem, "") << "round " << round << ", input bytes: " << ::testing::PrintToString(input);
    ++checked;
  }
  EXPECT_EQ(checked, 10000);
}

TEST(IniFuzz, ExtremeShapes) {
  const std::string huge(10 * 1024 * 1024, 'h');
  const std::vector<std::string> inputs = {
      "",
      std::string(1, '\0'),
      std::string("[S]\0\nA\0 = \0\"\0\n", 14),
      "[S]\nA = " + huge,
      "[S]\nA = \"" + huge + "\nB = 1\n",
      huge + "\n[S]\nB = 1\n",
      "[S]\nA = \"unterminated\nB = \"\n",
      "]\n]]\n[\n[[\n[]]\n[S\n",
      std::string(100000, '\n'),
      std::string(100000, '['),
      std::string(50000, '\r') + "[S]\r\nA=1",
  };
  for (const std::string& input : inputs) {
    EXPECT_EQ(ini_fuzz::Exercise(input), "") << input.substr(0, 40);
  }
  IniText ini;
  ini.ReadFromBytes("[S]\nA = \"" + huge + "\nB = 1\n");
  std::string value;
  ASSERT_EQ(ini.GetString("S", "A", huge.size(), &value), 1);
  EXPECT_EQ(value.size(), kIniMaxReadLine - 4);
  std::int32_t b = 0;
  EXPECT_EQ(ini.GetInt("S", "B", &b), 1);
  EXPECT_EQ(b, 1);
}

}  // namespace
}  // namespace trivolux
