#pragma once
// Text helpers shared by the source files of IniText. Bytes are handled as unsigned
// values without any locale: bytes >= 0x80 are never white space, never
// control characters and compare only to themselves.
#include <cstdint>
#include <string>
#include <string_view>

namespace trivolux::ini_detail {

// Blank, tab, vertical tab and form feed: the white space trimmed from names
// and values. CR and LF never reach the trimming since they end lines.
inline bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\v' || c == '\f';
}

std::string_view Trim(std::string_view text);
std::string_view TrimLeft(std::string_view text);

// Compares after trimming, ASCII letters without regard to case.
bool NamesEqual(std::string_view a, std::string_view b);
// Equal for all names NamesEqual treats as equal.
std::uint64_t NameHash(std::string_view name);

// Tab, LF, CR, '"' and '\\' become two-character escapes; other control
// characters (0x00..0x1F, 0x7F) become "\xhh" with lower-case hex digits.
std::string Escape(std::string_view text);
// Resolves \n \r \t and \xHH (either case); a backslash before any other
// character yields that character, a lone backslash at the end stays.
std::string Unescape(std::string_view text);

// A tag of the form "<base> Line<digits>" names piece <digits> of a value
// split on writing ("Line" in any case). number is 0 for any other tag.
struct PieceTag {
  std::string_view base;
  long number = 0;
};
PieceTag ParsePieceTag(std::string_view tag);

}  // namespace trivolux::ini_detail
