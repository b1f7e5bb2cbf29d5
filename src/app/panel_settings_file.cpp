#include "app/panel_settings_file.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>
#include <algorithm>
#include <string>

#include "ini/ini_text.h"

namespace trivolux {

namespace {
constexpr char kGeneral[] = "GENERAL INFO";
constexpr char kPosition[] = "PANEL POSITION";
constexpr char kDirectories[] = "DIRECTORIES";
constexpr char kAddressSection[] = "IP ADDRESSES";
constexpr char kComm[] = "COMMUNICATION SETTINGS";

constexpr int kPathChars = 259;
constexpr int kIdChars = 99;
constexpr int kAddressChars = 1023;
constexpr int kIpChars = 255;
constexpr int kPortChars = 31;
// Window coordinates beyond this are garbage, not a placement.
constexpr int kMaxCoordinate = 32767;

bool GetText(const IniText& ini, const char* section, const std::string& tag, int maxChars, QString* out,
             IniTextCodec* codec) {
  std::string value;
  if (ini.GetString(section, tag, std::string::npos, &value) != 1) return false;
  // Cut after whole characters: a surrogate pair is kept or dropped whole, and
  // a code-page value keeps exactly the bytes that come back on save.
  // Without a codec the value is read as UTF-8 (bad bytes replaced).
  const auto limit = static_cast<std::size_t>(maxChars);
  *out = codec ? codec->Decode(value, limit)
               : IniTextCodec().Decode(QString::fromStdString(value).toStdString(), limit);
  return true;
}

int GetIntOr(const IniText& ini, const char* section, const char* tag, int fallback) {
  std::int32_t v = 0;
  return ini.GetInt(section, tag, &v) == 1 ? v : fallback;
}

void PutText(IniText& ini, const char* section, const std::string& tag, const QString& text,
             const IniTextCodec& codec) {
  ini.PutString(section, tag, codec.Encode(text));
}
}  // namespace

SettingsLocation ResolveSettingsLocation(const QString& programDir, const QString& configDir,
                                         const QString& documentsDir,
                                         const std::function<bool(const QString& dir)>& writable) {
  const QString programFile = QDir(programDir).filePath(kPanelSettingsName);
  if (writable(programDir)) return {programFile, programDir, QString()};
  return {QDir(configDir).filePath(kPanelSettingsName), documentsDir, programFile};
}

QString SettingsLocation::ReadPath() const {
  if (installedPath.isEmpty() || QFileInfo::exists(settingsPath)) return settingsPath;
  return installedPath;
}

bool DirectoryWritable(const QString& dir) {
  if (!QFileInfo(dir).isDir()) return false;
  QTemporaryFile probe(QDir(dir).filePath(QStringLiteral("write-probe-XXXXXX")));
  return probe.open();
}

PanelSettings DefaultPanelSettings(const QString& dir) {
  PanelSettings s;
  const QDir d(dir);
  s.parameterFile = d.filePath(QStringLiteral("Parameter.ini"));
  s.recorderFile = d.filePath(QStringLiteral("RecordFile.dat"));
  s.hardwareFile = d.filePath(QStringLiteral("HardwareInitialFile.ini"));
  s.tableAttributesFile = d.filePath(QStringLiteral("TableAttributes.ini"));
  return s;
}

bool IsPanelSettings(const IniText& ini) {
  std::string type;
  ini.GetString(kGeneral, "FILE TYPE:", std::string::npos, &type);
  return type == kPanelSettingsFileType;
}

void ReadPanelSettings(const IniText& ini, const QString& dir, PanelSettings* s) {
  if (!GetText(ini, kGeneral, "PANEL ID:", kIdChars, &s->panelId, &s->codec)) s->panelId.clear();

  std::int32_t state = 0;
  if (ini.GetInt(kPosition, "MAINPANEL FULLSCREEN", &state) == 1) {
    WindowPlacement p;
    p.state = state;
    const auto coordinate = [&](const char* tag, int fallback) {
      const int v = GetIntOr(ini, kPosition, tag, fallback);
      return (v < -kMaxCoordinate || v > kMaxCoordinate) ? fallback : v;
    };
    const auto extent = [&](const char* tag, int fallback) {
      const int v = GetIntOr(ini, kPosition, tag, fallback);
      return (v <= 0 || v > kMaxCoordinate) ? fallback : v;
    };
    p.left = coordinate("MAINPANEL LEFT", p.left);
    p.top = coordinate("MAINPANEL TOP", p.top);
    p.width = extent("MAINPANEL WIDTH", p.width);
    p.height = extent("MAINPANEL HEIGHT", p.height);
    s->placement = p;
  }

  // A missing key leaves the directory itself, except for the record file,
  // whose default is the full path.
  const QDir d(dir);
  if (!GetText(ini, kDirectories, "PARAMETER FILE", kPathChars, &s->parameterFile, &s->codec))
    s->parameterFile = dir;
  if (!GetText(ini, kDirectories, "RECORDER FILE", kPathChars, &s->recorderFile, &s->codec))
    s->recorderFile = d.filePath(QStringLiteral("RecordFile.dat"));
  if (!GetText(ini, kDirectories, "HARDWARE INI FILE", kPathChars, &s->hardwareFile, &s->codec))
    s->hardwareFile = dir;
  if (!GetText(ini, kDirectories, "TABLE ATTRIBUTES FILE", kPathChars, &s->tableAttributesFile, &s->codec))
    s->tableAttributesFile = dir;

  std::int32_t n = 0;
  if (ini.GetInt(kAddressSection, "LIST ITEMS", &n) == 1) {
    s->addresses.clear();
    n = std::clamp(n, 0, kMaxAddresses);
    for (int i = 1; i <= n; ++i) {
      QString address;
      if (!GetText(ini, kAddressSection, "IP ADDR " + std::to_string(i), kAddressChars, &address, &s->codec))
        continue;
      if (!address.isEmpty() && !s->addresses.contains(address)) s->addresses.append(address);
    }
  }

  AcquireTableSetFromIniHandle(ini, s->tableAttributes, nullptr);
}

void ReadConnectionSettings(const IniText& ini, ConnectionSettings* c, IniTextCodec* codec) {
  std::int32_t v = 0;
  if (ini.GetInt(kComm, "COMPROTOCOL", &v) == 1 && (v == 0 || v == 1)) c->comProtocol = v;
  if (ini.GetInt(kComm, "COMPORT", &v) == 1 && v >= 1) c->comPort = v;
  // Indices above 7 run at 115200 bit/s, which is index 4 on the selector.
  if (ini.GetInt(kComm, "BAUDRATE", &v) == 1) c->baudrateIndex = (v >= 0 && v <= 7) ? v : 4;
  QString text;
  if (GetText(ini, kComm, "IP ADRESS", kIpChars, &text, codec)) c->ipAddress = text;
  if (GetText(ini, kComm, "PORT NUMBER", kPortChars, &text, codec)) c->portNumber = text;
}

void WritePanelSettings(const PanelSettings& s, IniText& ini) {
  ini.PutString(kGeneral, "FILE TYPE:", kPanelSettingsFileType);
  ini.PutString(kGeneral, "SCOPE VERSION:", kScopeVersionText);
  PutText(ini, kGeneral, "PANEL ID:", s.panelId, s.codec);

  const WindowPlacement p = s.placement.value_or(WindowPlacement{});
  ini.PutInt(kPosition, "MAINPANEL FULLSCREEN", p.state);
  ini.PutInt(kPosition, "MAINPANEL LEFT", p.left);
  ini.PutInt(kPosition, "MAINPANEL TOP", p.top);
  ini.PutInt(kPosition, "MAINPANEL WIDTH", p.width);
  ini.PutInt(kPosition, "MAINPANEL HEIGHT", p.height);

  PutText(ini, kDirectories, "PARAMETER FILE", s.parameterFile, s.codec);
  PutText(ini, kDirectories, "RECORDER FILE", s.recorderFile, s.codec);
  PutText(ini, kDirectories, "HARDWARE INI FILE", s.hardwareFile, s.codec);
  PutText(ini, kDirectories, "TABLE ATTRIBUTES FILE", s.tableAttributesFile, s.codec);

  const int n = std::min<int>(s.addresses.size(), kMaxAddresses);
  ini.PutInt(kAddressSection, "LIST ITEMS", n);
  for (int i = 0; i < n; ++i)
    PutText(ini, kAddressSection, "IP ADDR " + std::to_string(i + 1), s.addresses[i], s.codec);

  ini.PutInt(kComm, "COMPROTOCOL", s.connection.comProtocol);
  ini.PutInt(kComm, "COMPORT", s.connection.comPort);
  ini.PutInt(kComm, "BAUDRATE", s.connection.baudrateIndex);
  PutText(ini, kComm, "IP ADRESS", s.connection.ipAddress, s.codec);
  PutText(ini, kComm, "PORT NUMBER", s.connection.portNumber, s.codec);

  AppendTableSetToIniHandle(ini, s.tableAttributes);
}

SettingsLocation OwnSettingsLocation(const QString& dir) {
  return {QDir(dir).filePath(kPanelSettingsName), dir, QString()};
}

bool PointSettingsAtTcp(const SettingsLocation& location, const QString& host, const QString& port) {
  PanelSettings s = DefaultPanelSettings(location.defaultFilesDir);
  IniText ini;
  if (ini.ReadFromFile(location.ReadPath()) >= 0 && IsPanelSettings(ini)) {
    ReadPanelSettings(ini, location.defaultFilesDir, &s);
    ReadConnectionSettings(ini, &s.connection, &s.codec);
  }
  s.connection.comProtocol = 1;
  s.connection.ipAddress = host;
  s.connection.portNumber = port;
  s.addresses.removeAll(host);
  s.addresses.prepend(host);
  IniText out;
  WritePanelSettings(s, out);
  QDir().mkpath(QFileInfo(location.settingsPath).absolutePath());
  return out.WriteToFile(location.settingsPath) == 0;
}

bool SeedTcpSettings(const SettingsLocation& location, const QString& host, const QString& port) {
  return QFileInfo::exists(location.settingsPath) || PointSettingsAtTcp(location, host, port);
}

}  // namespace trivolux
