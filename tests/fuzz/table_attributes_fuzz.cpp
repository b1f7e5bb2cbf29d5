// The table-attributes reader on arbitrary text: colours end up as 24-bit
// colours, specifications within 99 characters, and what was read survives
// a write and read through the same codec.
#include <string_view>

#include "fuzz_targets.h"
#include "ini/ini_text.h"
#include "teach/table_attributes.h"

namespace trivolux::fuzz {

void TableAttributesInput(const std::uint8_t* data, std::size_t size) {
  IniText ini;
  ini.ReadFromBytes(std::string_view(reinterpret_cast<const char*>(data), size));
  TableAttributes attrs;
  QString missing;
  const bool all = AcquireTableSetFromIniHandle(ini, attrs, &missing);
  Require(all == (missing == QLatin1String(kTableAttrMissingHeading)), "result and missing list disagree");
  for (int k = 0; k < kTableAttrRows; ++k) {
    Require(attrs.rowColours[k] >= 0 && attrs.rowColours[k] <= 0xFFFFFF, "colour beyond 24 bits");
    Require(attrs.rowSpecs[k].size() <= kRowSpecMaxChars, "specification beyond 99 characters");
  }

  IniText written;
  AppendTableSetToIniHandle(written, attrs);
  IniText again;
  again.ReadFromBytes(written.ToText());
  TableAttributes back;
  Require(AcquireTableSetFromIniHandle(again, back, nullptr), "colour lost by a write and read");
  Require(back.rowColours == attrs.rowColours, "colours changed by a write and read");
  Require(back.rowSpecs == attrs.rowSpecs, "specifications changed by a write and read");
}

}  // namespace trivolux::fuzz
