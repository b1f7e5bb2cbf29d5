#include "teach/table_attributes.h"

#include "ini/ini_text.h"

namespace trivolux {

namespace {
constexpr char kRowColor[] = "Row color";
constexpr char kRowSpec[] = "Row specification";
}  // namespace

const std::array<NamedColour, kRowColourKinds>& RowColours() {
  static const std::array<NamedColour, kRowColourKinds> kColours = {{{"RED", 0xFF0000},
                                                                     {"LIGHT GREEN", 0x80FF00},
                                                                     {"BLUE", 0x0000FF},
                                                                     {"BLACK", 0x000000},
                                                                     {"PINK", 0xFF80C0},
                                                                     {"YELLOW", 0xFFFF00},
                                                                     {"OLIVE", 0x808000},
                                                                     {"PURPLE", 0x800080},
                                                                     {"LIGHT CYAN", 0x80FFFF},
                                                                     {"ROSE", 0xFF0080},
                                                                     {"INDIGO", 0x400080},
                                                                     {"MAGENTA", 0xFF00FF},
                                                                     {"GREEN", 0x008000},
                                                                     {"TEAL", 0x408080},
                                                                     {"DARK RED", 0x800000}}};
  return kColours;
}

const std::array<std::int32_t, kDefaultRowColourCount>& DefaultRowColours() {
  static const auto kList = [] {
    std::array<std::int32_t, kDefaultRowColourCount> list{};
    for (int k = 0; k < kDefaultRowColourCount; ++k) list[k] = RowColours()[k % kRowColourKinds].rgb;
    return list;
  }();
  return kList;
}

std::string TableAttrSection(int row) {
  return "TABLE ATTR OF TEACH VECTOR " + std::to_string(row);
}

void AppendTableSetToIniHandle(IniText& ini, const TableAttributes& attrs) {
  for (int k = 0; k < kTableAttrRows; ++k) {
    const std::string section = TableAttrSection(k);
    ini.PutInt(section, kRowColor, attrs.rowColours[k]);
    ini.PutString(section, kRowSpec, attrs.specCodec.Encode(attrs.rowSpecs[k]));
  }
}

bool AcquireTableSetFromIniHandle(const IniText& ini, TableAttributes& attrs, QString* missing) {
  bool allRead = true;
  if (missing) *missing = QString::fromLatin1(kTableAttrMissingHeading);
  for (int k = 0; k < kTableAttrRows; ++k) {
    const std::string section = TableAttrSection(k);
    std::int32_t colour = 0;
    if (ini.GetInt(section, kRowColor, &colour) == 1 && colour >= 0 && colour <= 0xFFFFFF) {
      attrs.rowColours[k] = colour;
    } else {
      attrs.rowColours[k] = DefaultRowColours()[k];
      allRead = false;
      if (missing) *missing += QString::fromStdString(section) + QLatin1Char('\n');
    }
    std::string spec;
    ini.GetString(section, kRowSpec, std::string::npos, &spec);
    attrs.rowSpecs[k] = attrs.specCodec.Decode(spec, kRowSpecMaxChars);
  }
  return allRead;
}

}  // namespace trivolux
