#pragma once
// IniText: the in-memory INI document behind every settings and parameter
// file. Sections and items keep their order; names compare without regard to
// case and surrounding white space. Values are byte strings (no encoding is
// imposed); paths are QStrings.
#include <QString>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace trivolux {

namespace ini_error {
constexpr int kOutOfMemory = -12;
constexpr int kMissingArgument = -65;
constexpr int kWriteError = -93;
constexpr int kAccessDenied = -95;  // target not writable
constexpr int kDiskFull = -97;
constexpr int kCannotOpen = -5001;  // file cannot be opened for reading
constexpr int kNotInteger = -5021;
}  // namespace ini_error

constexpr std::size_t kIniMaxValueLine = 80;   // stored value text per written line
constexpr std::size_t kIniMaxReadLine = 1024;  // characters kept of a read line

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
  // Replaces the content with the parsed file; kCannotOpen (object unchanged)
  // when the path is not a readable regular file.
  int ReadFromFile(const QString& path);
  // Replaces the content with the parsed bytes, exactly as ReadFromFile would
  // (used by ReadFromFile and the fuzzer). Any bytes are accepted.
  void ReadFromBytes(std::string_view bytes);
  // The text WriteToFile would write.
  std::string ToText() const;

  const std::vector<Section>& Sections() const { return sections_; }

 private:
  Section* FindSection(std::string_view name);
  const Section* FindSection(std::string_view name) const;
  int PutValue(std::string_view section, std::string_view tag, std::string value, bool quoted);
  // ReadFromBytes with a result: 0, or kOutOfMemory with the object unchanged.
  int Parse(std::string_view bytes);

  std::vector<Section> sections_;
  // Comment lines after the last item of a file, written back at the end.
  std::string trailingComment_;
  // Index of the section found last. It always names the first section of its
  // name (sections are only ever appended), so checking it first cannot hide
  // an earlier duplicate.
  mutable std::size_t lastFound_ = 0;
};

// The documented operation names, as thin wrappers.
inline std::unique_ptr<IniText> Ini_New(int /*sorting*/) {
  return std::make_unique<IniText>();
}
inline void Ini_Dispose(std::unique_ptr<IniText>& ini) {
  ini.reset();
}
inline int Ini_PutInt(IniText& ini, std::string_view s, std::string_view t, std::int32_t v) {
  return ini.PutInt(s, t, v);
}
inline int Ini_PutString(IniText& ini, std::string_view s, std::string_view t, std::string_view v) {
  return ini.PutString(s, t, v);
}
inline int Ini_GetInt(const IniText& ini, std::string_view s, std::string_view t, std::int32_t* v) {
  return ini.GetInt(s, t, v);
}
inline int Ini_GetStringIntoBuffer(const IniText& ini, std::string_view s, std::string_view t, char* buf,
                                   std::size_t size) {
  return ini.GetStringIntoBuffer(s, t, buf, size);
}
inline int Ini_WriteToFile(const IniText& ini, const QString& path) {
  return ini.WriteToFile(path);
}
inline int Ini_ReadFromFile(IniText& ini, const QString& path) {
  return ini.ReadFromFile(path);
}

}  // namespace trivolux
