#include "ini/ini_codec.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace trivolux {
namespace {

TEST(IniTextCodec, BytesThatAreNotUtf8DecodeAsWindows1252AndEncodeBack) {
  struct Case {
    std::string bytes;
    std::u16string text;
  };
  const Case cases[] = {
      {"M\xFCller", u"M\u00FCller"},
      {"\x80 \x9F", u"\u20AC \u0178"},
      {"\x81\x8D\x8F\x90\x9D", u"\u0081\u008D\u008F\u0090\u009D"},
      {"\x8A\x8C\x8E\x99\x9A\x9C\x9E", u"\u0160\u0152\u017D\u2122\u0161\u0153\u017E"},
      {"\xA0\xE4\xFF", u"\u00A0\u00E4\u00FF"},
      {"\xC3\xBC\xFC", u"\u00C3\u00BC\u00FC"},  // one bad byte decides for the whole value
      {std::string("a\0\xFC", 3), std::u16string(u"a\0\u00FC", 3)},
  };
  for (const Case& c : cases) {
    IniTextCodec codec;
    const QString text = codec.Decode(c.bytes);
    EXPECT_EQ(text, QString::fromStdU16String(c.text)) << c.bytes;
    EXPECT_EQ(codec.Encode(text), c.bytes);
  }
}

TEST(IniTextCodec, EveryHighByteHasACharacterOfItsOwn) {
  IniTextCodec codec;
  std::set<char16_t> seen;
  std::string all;
  for (int byte = 0x80; byte <= 0xFF; ++byte) {
    const QString text = codec.Decode(std::string(1, static_cast<char>(byte)));
    ASSERT_EQ(text.size(), 1) << byte;
    EXPECT_TRUE(text[0].unicode() >= 0x80 && seen.insert(text[0].unicode()).second) << byte;
    all += static_cast<char>(byte);
  }
  EXPECT_EQ(codec.Encode(codec.Decode(all)), all);
}

TEST(IniTextCodec, Utf8StaysUtf8) {
  IniTextCodec codec;
  EXPECT_EQ(codec.Decode("M\xC3\xBCller"), QString::fromUtf16(u"M\u00FCller"));
  EXPECT_EQ(codec.Encode(QString::fromUtf16(u"M\u00FCller")), "M\xC3\xBCller");
  const std::string withMark = "\xEF\xBB\xBFid \xE2\x82\xAC";
  EXPECT_EQ(codec.Decode(withMark), QChar(0xFEFF) + QString::fromUtf16(u"id \u20AC"));
  EXPECT_EQ(codec.Encode(codec.Decode(withMark)), withMark);
  EXPECT_EQ(codec.Encode(QString::fromUtf16(u"Gr\u00FCn")), "Gr\xC3\xBCn");  // never decoded
  EXPECT_EQ(codec.Decode(""), QString());
}

TEST(IniTextCodec, TheLatestDecodeOfATextDecidesItsBytes) {
  IniTextCodec codec;
  const QString name = QString::fromUtf16(u"M\u00FCller");
  codec.Decode("M\xFCller");
  codec.Decode("M\xC3\xBCller");
  EXPECT_EQ(codec.Encode(name), "M\xC3\xBCller");
  codec.Decode("M\xFCller");
  EXPECT_EQ(codec.Encode(name), "M\xFCller");
  EXPECT_EQ(codec.Encode(name + QStringLiteral(" 2")), "M\xC3\xBCller 2");  // edited text
}

TEST(IniTextCodec, ALimitKeepsWholeCharactersAndTheirBytes) {
  struct Case {
    std::string bytes;
    std::size_t maxChars;
    std::string kept;
  };
  const std::string emoji = "\xF0\x9F\x98\x80";
  const Case cases[] = {
      {"abc", 3, "abc"},
      {"abcd", 3, "abc"},
      {"a\xC3\xBC" + emoji + "z", 3, "a\xC3\xBC" + emoji},  // three code points of seven bytes
      {emoji + emoji, 1, emoji},
      {"\xEF\xBB\xBF"
       "ab",
       2,
       "\xEF\xBB\xBF"
       "a"},                              // the byte order mark is a character
      {"gr\xFCn gr\xFCn", 4, "gr\xFCn"},  // code page: one byte, one character
      {"\xC3\xBC\xFC", 1, "\xC3"},        // one bad byte makes all of it code page
  };
  for (const Case& c : cases) {
    IniTextCodec codec;
    const QString text = codec.Decode(c.bytes, c.maxChars);
    EXPECT_EQ(codec.Encode(text), c.kept) << c.bytes;
    EXPECT_TRUE(text.isValidUtf16()) << "half a surrogate pair in " << c.bytes;
  }
}

}  // namespace
}  // namespace trivolux
