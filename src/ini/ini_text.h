#pragma once
// IniText: the in-memory INI document behind every settings and parameter
// file. Sections and items keep their order; names compare without regard to
// case and surrounding white space. Values are byte strings (no encoding is
// imposed); paths are QStrings. Only the two file methods (ini_file.cpp)
// use Qt; everything else builds without it.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "ini/ini_index.h"

class QString;

namespace trivolux {

namespace ini_error {
constexpr int kOutOfMemory = -12;
constexpr int kMissingArgument = -65;
constexpr int kWriteError = -93;
constexpr int kAccessDenied = -95;  // target not writable
constexpr int kDiskFull = -97;
constexpr int kCannotOpen = -5001;    // file cannot be opened for reading
constexpr int kFileTooLarge = -5002;  // larger than kIniMaxFileSize, not read
constexpr int kNotInteger = -5021;
}  // namespace ini_error

constexpr std::size_t kIniMaxValueLine = 80;   // stored value text per written line
constexpr std::size_t kIniMaxReadLine = 1024;  // characters kept of a read line
// Bytes ReadFromFile accepts. The largest real file is about 40 KB; anything
// beyond this is damaged or foreign and would only stall the program.
constexpr std::int64_t kIniMaxFileSize = std::int64_t{4} << 20;

class IniText {
 public:
  struct Item {
    std::string tag;
    std::string value;  // as stored: the escaped form for strings
    bool quoted = false;
    std::string comment;  // comment lines read before the item (CR LF joined)
  };
  struct Section {
    std::string name;
    std::vector<Item> items;
    std::string comment;
  };

  IniText() = default;

  // 0 on success or a negative ini_error code. Section and tag are stored
  // without surrounding white space; a tag that could not be read back (empty,
  // holding "=" or a line break, starting with "[" or ";", or looking like a
  // "T Line0001" piece of a split value) and a section name
  // holding a line break are refused with kMissingArgument.
  int PutInt(std::string_view section, std::string_view tag, std::int32_t value);
  int PutString(std::string_view section, std::string_view tag, std::string_view text);

  // 1 = found and parsed; 0 = missing or blank; kNotInteger = not an integer.
  int GetInt(std::string_view section, std::string_view tag, std::int32_t* value) const;
  // Buffer first set to ""; 1 and the unescaped value cut to bufferSize - 1
  // characters when found, 0 when missing.
  int GetStringIntoBuffer(std::string_view section, std::string_view tag, char* buffer,
                          std::size_t bufferSize) const;
  // Convenience form of GetStringIntoBuffer: the value cut to maxChars characters.
  int GetString(std::string_view section, std::string_view tag, std::size_t maxChars, std::string* out) const;

  // Writes through a temporary "ini$$" file in the target's directory that is
  // flushed, synced and renamed over the target; the old file survives any failure.
  int WriteToFile(const QString& path) const;
  // Replaces the content with the parsed file. With the object unchanged:
  // kCannotOpen when the path is not a readable regular file, kFileTooLarge
  // above kIniMaxFileSize bytes (nothing is read), kOutOfMemory.
  int ReadFromFile(const QString& path);
  // Replaces the content with the parsed bytes, exactly as ReadFromFile would
  // (used by ReadFromFile and the fuzzer). Any bytes are accepted.
  void ReadFromBytes(std::string_view bytes);
  // The text WriteToFile would write.
  std::string ToText() const;

  const std::vector<Section>& Sections() const { return sections_; }

 private:
  // Position in sections_ of the first section of the name, or kNoSection.
  std::size_t FindSection(std::string_view name) const;
  const Item* FindItem(std::size_t section, std::string_view tag) const;
  int PutValue(std::string_view section, std::string_view tag, std::string value, bool quoted);
  std::size_t AppendSection(std::string_view name);
  void StoreItem(std::size_t section, Item item);
  // Builds the item index of a section that needs one, drops it otherwise.
  void IndexItems(std::size_t section);
  // Builds every index from scratch: sectionIndex_ must be empty.
  void BuildIndexes();
  // ReadFromBytes with a result: 0, or kOutOfMemory with the object unchanged.
  int Parse(std::string_view bytes);

  std::vector<Section> sections_;
  // Comment lines after the last item of a file, written back at the end.
  std::string trailingComment_;
  // Every section by name; sections are only ever appended, so a name always
  // leads to its first section.
  ini_detail::NameIndex sectionIndex_;
  // Items by tag, for sections holding more than kIndexedItems items and keyed
  // by section position. A section without one is searched item by item,
  // which is also the fallback when building an index ran out of memory.
  std::unordered_map<std::size_t, ini_detail::NameIndex> itemIndexes_;
};

}  // namespace trivolux
