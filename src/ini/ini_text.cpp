#include "ini/ini_text.h"

#include <cstdio>
#include <limits>
#include <new>

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

using ini_detail::NamesEqual;
using ini_detail::Trim;

namespace {

bool HasLineBreak(std::string_view text) {
  return text.find_first_of("\r\n") != std::string_view::npos;
}

// A tag must survive a write and a re-read as the same item line.
bool IsWritableTag(std::string_view tag) {
  return !tag.empty() && tag.front() != '[' && tag.front() != ';' &&
         tag.find('=') == std::string_view::npos && !HasLineBreak(tag) &&
         ini_detail::ParsePieceTag(tag).number == 0;
}

// Stores the item: replaces every item of the tag at the place of the first
// one (keeping that one's comment), or appends it to the section.
void StoreItem(std::vector<IniText::Section>& sections, IniText::Section* section, std::string_view name,
               IniText::Item item) {
  if (section == nullptr) {
    sections.push_back(IniText::Section{std::string(Trim(name)), {}, {}});
    sections.back().items.push_back(std::move(item));
    return;
  }
  auto& items = section->items;
  std::size_t first = items.size();
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (NamesEqual(items[i].tag, item.tag)) {
      first = i;
      break;
    }
  }
  if (first == items.size()) {
    items.push_back(std::move(item));
    return;
  }
  item.comment = std::move(items[first].comment);
  items[first] = std::move(item);
  std::size_t kept = first + 1;
  for (std::size_t i = first + 1; i < items.size(); ++i) {
    if (!NamesEqual(items[i].tag, items[first].tag)) {
      if (kept != i) items[kept] = std::move(items[i]);
      ++kept;
    }
  }
  items.resize(kept);
}

const IniText::Item* FindItem(const IniText::Section& section, std::string_view tag) {
  for (const auto& item : section.items) {
    if (NamesEqual(item.tag, tag)) return &item;
  }
  return nullptr;
}

// Optional blanks, one optional sign directly before the digits, digits,
// optional blanks. 1 = parsed, 0 = blank, kNotInteger otherwise.
int ParseInt(std::string_view text, std::int32_t* value) {
  text = Trim(text);
  if (text.empty()) return 0;
  bool negative = false;
  std::size_t i = 0;
  if (text[0] == '+' || text[0] == '-') {
    negative = text[0] == '-';
    i = 1;
  }
  if (i == text.size()) return ini_error::kNotInteger;
  // Magnitude limit: 2^31 for a negative value, 2^31 - 1 otherwise.
  const std::int64_t limit = negative ? std::int64_t{1} << 31 : std::numeric_limits<std::int32_t>::max();
  std::int64_t magnitude = 0;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (c < '0' || c > '9') return ini_error::kNotInteger;
    magnitude = magnitude * 10 + (c - '0');
    if (magnitude > limit) return ini_error::kNotInteger;
  }
  *value = static_cast<std::int32_t>(negative ? -magnitude : magnitude);
  return 1;
}

void AppendCommentLines(std::string& out, const std::string& comment) {
  if (comment.empty()) return;
  out += comment;
  out += "\r\n";
}

// Reading trims a value and strips a surrounding quote pair, and ignores an
// empty one; an unquoted value (or piece of one) that would change that way
// is written quoted, so its text reads back the same.
bool NeedsQuotes(std::string_view piece) {
  return piece.empty() || ini_detail::IsBlank(piece.front()) || ini_detail::IsBlank(piece.back()) ||
         (piece.size() >= 2 && piece.front() == '"' && piece.back() == '"');
}

void AppendValueLine(std::string& out, std::string_view tag, std::string_view number, std::string_view value,
                     bool quote) {
  out += tag;
  if (!number.empty()) {
    out += " Line";
    out += number;
  }
  out += " = ";
  if (quote) out += '"';
  out += value;
  if (quote) out += '"';
  out += "\r\n";
}

void AppendItemLines(std::string& out, const IniText::Item& item) {
  AppendCommentLines(out, item.comment);
  const std::string_view value = item.value;
  bool quote = item.quoted || value.empty();
  for (std::size_t pos = 0; pos < value.size() && !quote; pos += kIniMaxValueLine) {
    quote = NeedsQuotes(value.substr(pos, kIniMaxValueLine));
  }
  if (value.size() <= kIniMaxValueLine) {
    AppendValueLine(out, item.tag, {}, value, quote);
    return;
  }
  char number[24];
  std::size_t n = 1;
  for (std::size_t pos = 0; pos < value.size(); pos += kIniMaxValueLine, ++n) {
    std::snprintf(number, sizeof number, "%04zu", n);
    AppendValueLine(out, item.tag, number, value.substr(pos, kIniMaxValueLine), quote);
  }
}

}  // namespace

IniText::Section* IniText::FindSection(std::string_view name) {
  return const_cast<Section*>(static_cast<const IniText*>(this)->FindSection(name));
}

const IniText::Section* IniText::FindSection(std::string_view name) const {
  if (lastFound_ < sections_.size() && NamesEqual(sections_[lastFound_].name, name)) {
    return &sections_[lastFound_];
  }
  for (std::size_t i = 0; i < sections_.size(); ++i) {
    if (NamesEqual(sections_[i].name, name)) {
      lastFound_ = i;
      return &sections_[i];
    }
  }
  return nullptr;
}

int IniText::PutInt(std::string_view section, std::string_view tag, std::int32_t value) {
  return PutValue(section, tag, std::to_string(value), false);
}

int IniText::PutString(std::string_view section, std::string_view tag, std::string_view text) {
  try {
    return PutValue(section, tag, ini_detail::Escape(text), true);
  } catch (const std::bad_alloc&) {
    return ini_error::kOutOfMemory;
  }
}

int IniText::PutValue(std::string_view section, std::string_view tag, std::string value, bool quoted) {
  tag = Trim(tag);
  if (!IsWritableTag(tag) || HasLineBreak(section)) return ini_error::kMissingArgument;
  try {
    StoreItem(sections_, FindSection(section), section, Item{std::string(tag), std::move(value), quoted, {}});
  } catch (const std::bad_alloc&) {
    return ini_error::kOutOfMemory;
  }
  return 0;
}

int IniText::GetInt(std::string_view section, std::string_view tag, std::int32_t* value) const {
  if (value == nullptr) return ini_error::kMissingArgument;
  const Section* found = FindSection(section);
  const Item* item = found ? FindItem(*found, tag) : nullptr;
  if (item == nullptr) return 0;
  return ParseInt(item->value, value);
}

int IniText::GetStringIntoBuffer(std::string_view section, std::string_view tag, char* buffer,
                                 std::size_t bufferSize) const {
  if (buffer == nullptr || bufferSize == 0) return ini_error::kMissingArgument;
  buffer[0] = '\0';
  std::string text;
  const int result = GetString(section, tag, bufferSize - 1, &text);
  if (result == 1) text.copy(buffer, text.size());
  if (result == 1) buffer[text.size()] = '\0';
  return result;
}

int IniText::GetString(std::string_view section, std::string_view tag, std::size_t maxChars,
                       std::string* out) const {
  if (out == nullptr) return ini_error::kMissingArgument;
  out->clear();
  const Section* found = FindSection(section);
  const Item* item = found ? FindItem(*found, tag) : nullptr;
  if (item == nullptr) return 0;
  try {
    *out = ini_detail::Unescape(item->value);
  } catch (const std::bad_alloc&) {
    return ini_error::kOutOfMemory;
  }
  if (out->size() > maxChars) out->resize(maxChars);
  return 1;
}

std::string IniText::ToText() const {
  std::string out;
  for (const auto& section : sections_) {
    AppendCommentLines(out, section.comment);
    out += '[';
    out += section.name;
    out += "]\r\n";
    for (const auto& item : section.items) AppendItemLines(out, item);
    out += "\r\n";
  }
  AppendCommentLines(out, trailingComment_);
  return out;
}

}  // namespace trivolux
