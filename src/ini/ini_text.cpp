#include "ini/ini_text.h"

#include <cstdio>
#include <limits>
#include <new>

#include "ini/ini_detail.h"

namespace trivolux {

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

// FindSection's answer for a name no section has.
constexpr std::size_t kNoSection = static_cast<std::size_t>(-1);

// Up to this many items a section is searched item by item, which costs
// less than hashing the tag; larger sections get an index.
constexpr std::size_t kIndexedItems = 32;

// The nameAt callbacks of the indexes.
auto SectionNameAt(const std::vector<IniText::Section>& sections) {
  return [&sections](std::size_t i) -> std::string_view { return sections[i].name; };
}
auto TagAt(const std::vector<IniText::Item>& items) {
  return [&items](std::size_t i) -> std::string_view { return items[i].tag; };
}

}  // namespace

std::size_t IniText::FindSection(std::string_view name) const {
  const auto* entry = sectionIndex_.Find(name, SectionNameAt(sections_));
  return entry != nullptr ? entry->position : kNoSection;
}

const IniText::Item* IniText::FindItem(std::size_t section, std::string_view tag) const {
  const auto& items = sections_[section].items;
  const auto index = items.size() > kIndexedItems ? itemIndexes_.find(section) : itemIndexes_.end();
  if (index == itemIndexes_.end()) {
    for (const auto& item : items) {
      if (NamesEqual(item.tag, tag)) return &item;
    }
    return nullptr;
  }
  const auto* entry = index->second.Find(tag, TagAt(items));
  return entry != nullptr ? &items[entry->position] : nullptr;
}

std::size_t IniText::AppendSection(std::string_view name) {
  sections_.push_back(Section{std::string(Trim(name)), {}, {}});
  try {
    sectionIndex_.Add(sections_.back().name, sections_.size() - 1, SectionNameAt(sections_));
  } catch (...) {
    sections_.pop_back();
    throw;
  }
  return sections_.size() - 1;
}

// Replaces every item of the tag at the place of the first one (keeping that
// one's comment), or appends it to the section.
void IniText::StoreItem(std::size_t section, Item item) {
  auto& items = sections_[section].items;
  const auto nameAt = TagAt(items);
  const auto index = itemIndexes_.find(section);
  if (index != itemIndexes_.end()) {
    const auto* entry = index->second.Find(item.tag, nameAt);
    if (entry == nullptr) {
      items.push_back(std::move(item));
      try {
        index->second.Add(items.back().tag, items.size() - 1, nameAt);
      } catch (...) {
        items.pop_back();
        throw;
      }
      return;
    }
    if (entry->count == 1) {
      Item& stored = items[entry->position];
      item.comment = std::move(stored.comment);
      stored = std::move(item);
      return;
    }
  }
  std::size_t first = items.size();
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (NamesEqual(items[i].tag, item.tag)) {
      first = i;
      break;
    }
  }
  if (first == items.size()) {
    items.push_back(std::move(item));
  } else {
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
  IndexItems(section);
}

void IniText::IndexItems(std::size_t section) {
  const auto& items = sections_[section].items;
  if (items.size() <= kIndexedItems) {
    itemIndexes_.erase(section);
    return;
  }
  try {
    ini_detail::NameIndex index;
    index.Reserve(items.size());
    for (std::size_t i = 0; i < items.size(); ++i) index.Add(items[i].tag, i, TagAt(items));
    itemIndexes_[section] = std::move(index);
  } catch (const std::bad_alloc&) {
    // Without an index the section is searched item by item: slower, still right.
    itemIndexes_.erase(section);
  }
}

void IniText::BuildIndexes() {
  sectionIndex_.Reserve(sections_.size());
  for (std::size_t i = 0; i < sections_.size(); ++i) {
    sectionIndex_.Add(sections_[i].name, i, SectionNameAt(sections_));
    if (sections_[i].items.size() > kIndexedItems) IndexItems(i);
  }
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
    std::size_t position = FindSection(section);
    if (position == kNoSection) position = AppendSection(section);
    StoreItem(position, Item{std::string(tag), std::move(value), quoted, {}});
  } catch (const std::bad_alloc&) {
    return ini_error::kOutOfMemory;
  }
  return 0;
}

int IniText::GetInt(std::string_view section, std::string_view tag, std::int32_t* value) const {
  if (value == nullptr) return ini_error::kMissingArgument;
  const std::size_t found = FindSection(section);
  const Item* item = found != kNoSection ? FindItem(found, tag) : nullptr;
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
  const std::size_t found = FindSection(section);
  const Item* item = found != kNoSection ? FindItem(found, tag) : nullptr;
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
