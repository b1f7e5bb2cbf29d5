#pragma once
// One fuzz step for the INI reader, shared by the corpus-driven test and the
// libFuzzer entry point: parse arbitrary bytes, query everything that was
// found, render the text and parse it again. Returns "" or what went wrong.
#include <set>
#include <string>
#include <string_view>

#include "ini/ini_detail.h"
#include "ini/ini_text.h"

namespace trivolux::ini_fuzz {

// Tags of the form "T Line0003" are regrouped with neighbouring pieces on
// every read, so documents holding them are not expected to be stable.
inline bool IsPiece(std::string_view tag) {
  return ini_detail::ParsePieceTag(tag).number != 0;
}

inline bool HasPieces(const IniText& ini) {
  for (const auto& section : ini.Sections()) {
    for (const auto& item : section.items) {
      if (IsPiece(item.tag)) return true;
    }
  }
  return false;
}

inline std::string Folded(std::string_view name) {
  std::string out(name);
  for (char& c : out) c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
  return out;
}

inline std::string Exercise(std::string_view bytes) {
  IniText first;
  first.ReadFromBytes(bytes);
  // Sections whose tags look like split-value pieces may legitimately be
  // regrouped by a write and read; the others must read back unchanged.
  std::set<std::string> pieceLike;
  for (const auto& section : first.Sections()) {
    for (const auto& item : section.items) {
      if (IsPiece(item.tag)) pieceLike.insert(Folded(section.name));
    }
  }
  IniText again;
  again.ReadFromBytes(first.ToText());
  std::set<std::string> seen;
  for (const auto& section : first.Sections()) {
    // Get answers from the first section of a name only.
    if (!seen.insert(Folded(section.name)).second) continue;
    std::set<std::string> seenTags;
    for (const auto& item : section.items) {
      std::int32_t number = 0;
      const int intResult = first.GetInt(section.name, item.tag, &number);
      if (intResult != 1 && intResult != 0 && intResult != ini_error::kNotInteger) return "GetInt result";
      char small[3];
      if (first.GetStringIntoBuffer(section.name, item.tag, small, sizeof small) != 1)
        return "item not found";
      if (std::string_view(small, sizeof small).find('\0') == std::string_view::npos) return "not terminated";
      std::string text;
      if (first.GetString(section.name, item.tag, 1 << 20, &text) != 1) return "item not found";
      // ... and from the first item of a tag.
      if (seenTags.insert(Folded(ini_detail::Trim(item.tag))).second &&
          text != ini_detail::Unescape(item.value))
        return "value not from the first item: " + section.name + "/" + item.tag;
      // A written line adds " = ", quotes and a piece number to the tag, so a
      // tag close to the 1024-character read limit cannot come back whole.
      if (pieceLike.count(Folded(section.name)) != 0 || item.tag.size() > 900) continue;
      std::string back;
      if (again.GetString(section.name, item.tag, 1 << 20, &back) != 1 || back != text)
        return "value changed by a write and read: " + section.name + "/" + item.tag;
    }
  }
  std::int32_t unused = 0;
  first.GetInt("", "", &unused);
  first.GetInt("PARAMETER", "POWER", &unused);

  const std::string text1 = first.ToText();
  IniText second;
  second.ReadFromBytes(text1);
  const std::string text2 = second.ToText();
  IniText third;
  third.ReadFromBytes(text2);
  if (!HasPieces(second) && third.ToText() != text2) return "text not stable after a second round";
  if (second.Sections().size() != first.Sections().size()) return "sections lost or gained";
  return {};
}

}  // namespace trivolux::ini_fuzz
