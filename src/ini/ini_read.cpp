// Parsing INI text: line splitting, sections, items, comments and the joining
// of split values.
#include <algorithm>
#include <new>

#include "ini/ini_detail.h"
#include "ini/ini_text.h"

namespace trivolux {

using ini_detail::NamesEqual;
using ini_detail::ParsePieceTag;
using ini_detail::PieceTag;
using ini_detail::Trim;
using ini_detail::TrimLeft;

namespace {

void AppendComment(std::string& pending, std::string_view line) {
  if (!pending.empty()) pending += "\r\n";
  pending += line;
}

// Joins every run of piece items numbered 1, 2, 3 ... of one base tag into one
// item with the base tag, the values concatenated and the comments gathered.
void JoinPieces(std::vector<IniText::Item>& items) {
  std::vector<IniText::Item> joined;
  joined.reserve(items.size());
  for (std::size_t i = 0; i < items.size();) {
    const PieceTag first = ParsePieceTag(items[i].tag);
    if (first.number != 1) {
      joined.push_back(std::move(items[i++]));
      continue;
    }
    IniText::Item item{std::string(first.base), std::move(items[i].value), items[i].quoted,
                       std::move(items[i].comment)};
    long expected = 2;
    for (++i; i < items.size(); ++i, ++expected) {
      const PieceTag next = ParsePieceTag(items[i].tag);
      if (next.number != expected || !NamesEqual(next.base, item.tag)) break;
      item.value += items[i].value;
      item.quoted = item.quoted || items[i].quoted;
      if (!items[i].comment.empty()) AppendComment(item.comment, items[i].comment);
    }
    joined.push_back(std::move(item));
  }
  items = std::move(joined);
}

}  // namespace

int IniText::Parse(std::string_view bytes) {
  try {
    std::vector<Section> sections;
    std::string pending;  // comment lines waiting for their section or item
    std::size_t pos = 0;
    while (pos < bytes.size()) {
      std::size_t end = bytes.find_first_of("\r\n", pos);
      if (end == std::string_view::npos) end = bytes.size();
      // Only the first kIniMaxReadLine characters of a physical line count.
      const std::string_view line = bytes.substr(pos, std::min(end - pos, kIniMaxReadLine));
      pos = end + 1;
      if (end + 1 < bytes.size() && bytes[end] == '\r' && bytes[end + 1] == '\n') ++pos;

      const std::string_view text = TrimLeft(line);
      if (text.empty()) continue;
      if (text.front() == ';') {
        AppendComment(pending, line);
        continue;
      }
      if (text.front() == '[') {
        const std::size_t close = text.rfind(']');
        if (close == std::string_view::npos || !Trim(text.substr(close + 1)).empty()) continue;
        sections.push_back(Section{std::string(Trim(text.substr(1, close - 1))), {}, std::move(pending)});
        pending.clear();
        continue;
      }
      const std::size_t equals = text.find('=');
      if (equals == std::string_view::npos || sections.empty()) continue;
      const std::string_view tag = Trim(text.substr(0, equals));
      std::string_view value = Trim(text.substr(equals + 1));
      if (tag.empty() || value.empty()) continue;
      const bool quoted = value.size() >= 2 && value.front() == '"' && value.back() == '"';
      if (quoted) value = value.substr(1, value.size() - 2);
      sections.back().items.push_back(Item{std::string(tag), std::string(value), quoted, std::move(pending)});
      pending.clear();
    }
    for (auto& section : sections) JoinPieces(section.items);
    IniText parsed;
    parsed.sections_ = std::move(sections);
    parsed.trailingComment_ = std::move(pending);
    parsed.BuildIndexes();
    *this = std::move(parsed);
  } catch (const std::bad_alloc&) {
    return ini_error::kOutOfMemory;
  }
  return 0;
}

void IniText::ReadFromBytes(std::string_view bytes) {
  Parse(bytes);
}

}  // namespace trivolux
