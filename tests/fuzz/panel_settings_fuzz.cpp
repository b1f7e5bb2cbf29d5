// The panel-settings reader on arbitrary text: placements, connection
// settings and address lists stay within their ranges, and the settings
// read are written back and read again unchanged.
#include <string_view>

#include "app/panel_settings_file.h"
#include "fuzz_targets.h"
#include "ini/ini_text.h"

namespace trivolux::fuzz {

namespace {

PanelSettings Read(const IniText& ini) {
  PanelSettings s = DefaultPanelSettings(QStringLiteral("/programdir"));
  IsPanelSettings(ini);
  ReadPanelSettings(ini, QStringLiteral("/programdir"), &s);
  ReadConnectionSettings(ini, &s.connection, &s.codec);
  return s;
}

bool Same(const PanelSettings& a, const PanelSettings& b) {
  const WindowPlacement pa = a.placement.value_or(WindowPlacement{});
  const WindowPlacement pb = b.placement.value_or(WindowPlacement{});
  return a.panelId == b.panelId && pa.state == pb.state && pa.left == pb.left && pa.top == pb.top &&
         pa.width == pb.width && pa.height == pb.height && a.parameterFile == b.parameterFile &&
         a.recorderFile == b.recorderFile && a.hardwareFile == b.hardwareFile &&
         a.tableAttributesFile == b.tableAttributesFile && a.addresses == b.addresses &&
         a.connection.comProtocol == b.connection.comProtocol &&
         a.connection.comPort == b.connection.comPort &&
         a.connection.baudrateIndex == b.connection.baudrateIndex &&
         a.connection.ipAddress == b.connection.ipAddress &&
         a.connection.portNumber == b.connection.portNumber &&
         a.tableAttributes.rowColours == b.tableAttributes.rowColours &&
         a.tableAttributes.rowSpecs == b.tableAttributes.rowSpecs;
}

}  // namespace

void PanelSettingsInput(const std::uint8_t* data, std::size_t size) {
  IniText ini;
  ini.ReadFromBytes(std::string_view(reinterpret_cast<const char*>(data), size));
  const PanelSettings s = Read(ini);
  if (s.placement) {
    Require(s.placement->width > 0 && s.placement->width <= 32767, "window width out of range");
    Require(s.placement->height > 0 && s.placement->height <= 32767, "window height out of range");
  }
  Require(s.addresses.size() <= kMaxAddresses, "more than 10 addresses");
  Require(s.connection.comProtocol == 0 || s.connection.comProtocol == 1, "protocol out of range");
  Require(s.connection.comPort >= 1, "COM port below 1");
  Require(s.connection.baudrateIndex >= 0 && s.connection.baudrateIndex <= 7, "baud index out of range");

  IniText written;
  WritePanelSettings(s, written);
  IniText again;
  again.ReadFromBytes(written.ToText());
  Require(IsPanelSettings(again), "written file not recognised");
  Require(Same(Read(again), s), "settings changed by a write and read");
}

}  // namespace trivolux::fuzz
