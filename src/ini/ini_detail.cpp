// Text helpers of IniText: trimming, name comparison, escaping and the
// recognition of split-value pieces.
#include "ini/ini_detail.h"

namespace trivolux {

namespace ini_detail {

std::string_view TrimLeft(std::string_view text) {
  std::size_t begin = 0;
  while (begin < text.size() && IsBlank(text[begin])) ++begin;
  return text.substr(begin);
}

std::string_view Trim(std::string_view text) {
  text = TrimLeft(text);
  std::size_t end = text.size();
  while (end > 0 && IsBlank(text[end - 1])) --end;
  return text.substr(0, end);
}

namespace {
char FoldCase(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}
}  // namespace

std::uint64_t NameHash(std::string_view name) {
  // FNV-1a over the folded bytes, then the splitmix64 finaliser so that the
  // low bits an open-addressing table uses depend on every byte.
  std::uint64_t hash = 0xcbf29ce484222325ULL;
  for (char c : Trim(name)) {
    hash ^= static_cast<unsigned char>(FoldCase(c));
    hash *= 0x100000001b3ULL;
  }
  hash ^= hash >> 30;
  hash *= 0xbf58476d1ce4e5b9ULL;
  hash ^= hash >> 27;
  hash *= 0x94d049bb133111ebULL;
  return hash ^ (hash >> 31);
}

bool NamesEqual(std::string_view a, std::string_view b) {
  a = Trim(a);
  b = Trim(b);
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (FoldCase(a[i]) != FoldCase(b[i])) return false;
  }
  return true;
}

std::string Escape(std::string_view text) {
  static const char kHex[] = "0123456789abcdef";
  std::string out;
  out.reserve(text.size() + text.size() / 8);
  for (char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    switch (c) {
      case '\t':
        out += "\\t";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      default:
        if (byte < 0x20 || byte == 0x7F) {
          out += "\\x";
          out += kHex[byte >> 4];
          out += kHex[byte & 0x0F];
        } else {
          out += c;
        }
    }
  }
  return out;
}

std::string Unescape(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c != '\\' || i + 1 == text.size()) {
      out += c;
      continue;
    }
    const char next = text[++i];
    switch (next) {
      case 'n':
        out += '\n';
        break;
      case 'r':
        out += '\r';
        break;
      case 't':
        out += '\t';
        break;
      case 'x': {
        const int high = i + 1 < text.size() ? HexDigit(text[i + 1]) : -1;
        const int low = i + 2 < text.size() ? HexDigit(text[i + 2]) : -1;
        if (high >= 0 && low >= 0) {
          out += static_cast<char>(high * 16 + low);
          i += 2;
        } else {
          out += 'x';
        }
        break;
      }
      default:
        out += next;
    }
  }
  return out;
}

// Split values are numbered up to 9999 with four digits; longer numbers are
// accepted up to this many digits so that no numeric overflow can occur.
constexpr std::size_t kMaxPieceDigits = 9;

PieceTag ParsePieceTag(std::string_view tag) {
  std::size_t digits = tag.size();
  while (digits > 0 && tag[digits - 1] >= '0' && tag[digits - 1] <= '9') --digits;
  if (digits == tag.size() || digits < 5) return {};
  if (!NamesEqual(tag.substr(digits - 4, 4), "line") || !IsBlank(tag[digits - 5])) return {};
  std::string_view number = tag.substr(digits);
  while (number.size() > 1 && number.front() == '0') number.remove_prefix(1);
  if (number.size() > kMaxPieceDigits) return {};
  PieceTag piece{Trim(tag.substr(0, digits - 5)), 0};
  if (piece.base.empty()) return {};
  for (char c : number) piece.number = piece.number * 10 + (c - '0');
  return piece;
}

}  // namespace ini_detail

}  // namespace trivolux
