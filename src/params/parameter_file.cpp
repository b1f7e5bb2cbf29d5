#include "params/parameter_file.h"

#include <string>

namespace trivolux {

namespace {

std::string TeachSection(int row) {
  return parafile::kTeachSectionPrefix + std::to_string(row);
}
std::string CellTag(int cell) {
  return "CELL " + std::to_string(cell);
}

// Reads one integer item; stores its low 16 bits, or the default when the
// item is missing, blank or not an integer. Returns false when defaulted.
bool AcquireWord(const IniText& ini, const std::string& section, const std::string& tag,
                 std::uint16_t fallback, std::uint16_t* out) {
  std::int32_t value = 0;
  if (ini.GetInt(section, tag, &value) == 1) {
    *out = static_cast<std::uint16_t>(static_cast<std::uint32_t>(value) & 0xFFFFu);
    return true;
  }
  *out = fallback;
  return false;
}

}  // namespace

void AppendParaToIniHandle(IniText& ini, const ParameterBlock& block) {
  for (int i = 0; i < kParamWordCount; ++i) ini.PutInt(parafile::kParamSection, kParamTags[i], block[i]);
}

void AppendTechVecToIniHandle(IniText& ini, const TeachTable& table) {
  for (int r = 0; r < kTeachRows; ++r) {
    const std::string section = TeachSection(r);
    for (int c = 0; c < kTeachCells; ++c) ini.PutInt(section, CellTag(c), table[r][kCell0 + c]);
    ini.PutInt(section, "GROUP", table[r][kGroup]);
    ini.PutInt(section, "HOLD", table[r][kHold]);
  }
}

QString AcquireParaFromIniHandle(const IniText& ini, ParameterBlock* block) {
  QString lines;
  for (int i = 0; i < kParamWordCount; ++i) {
    if (!AcquireWord(ini, parafile::kParamSection, kParamTags[i], kParamDefaults[i], &(*block)[i]))
      lines += QString::fromLatin1(kParamMessageNames[i]) + "\n";
  }
  if (lines.isEmpty()) return {};
  return "Following parameter could not be read \nand where set to default value:\n\n" + lines;
}

QString AcquireTechVecFromIniHandle(const IniText& ini, TeachTable* table) {
  QString lines;
  for (int r = 0; r < kTeachRows; ++r) {
    const std::string section = TeachSection(r);
    TeachVector& row = (*table)[r];
    bool all = true;
    for (int c = 0; c < kTeachCells; ++c)
      all &= AcquireWord(ini, section, CellTag(c), kCellDefault, &row[kCell0 + c]);
    all &= AcquireWord(ini, section, "GROUP", kGroupDefault, &row[kGroup]);
    all &= AcquireWord(ini, section, "HOLD", kHoldDefault, &row[kHold]);
    if (!all) lines += QString::fromStdString(section) + "\n";
  }
  if (lines.isEmpty()) return {};
  return "Following teach vectors could not be read \nand where set to default value:\n\n" + lines;
}

void PutParameterFile(IniText& ini, const ParameterSet& set) {
  ini.PutString(parafile::kInfoSection, parafile::kFileTypeTag, parafile::kFileType);
  ini.PutString(parafile::kInfoSection, parafile::kVersionTag, parafile::kVersion);
  AppendParaToIniHandle(ini, set.block);
  AppendTechVecToIniHandle(ini, set.table);
}

ParameterFileHeader ReadParameterFileHeader(const IniText& ini) {
  // The file's strings are read into 1024-byte buffers.
  constexpr std::size_t kBuffer = 1024;
  ParameterFileHeader header;
  ini.GetString(parafile::kInfoSection, parafile::kFileTypeTag, kBuffer - 1, &header.fileType);
  ini.GetString(parafile::kInfoSection, parafile::kVersionTag, kBuffer - 1, &header.version);
  return header;
}

}  // namespace trivolux
