#pragma once
// The panel settings file "PanelSettings.cfg": its content as a plain value,
// where it lives, and its INI layout. The panel glue (panel_settings.h) moves
// these values to and from the controls.
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

#include "base/version.h"
#include "ini/ini_codec.h"
#include "teach/table_attributes.h"

namespace trivolux {

class IniText;

inline constexpr const char* kPanelSettingsName = "PanelSettings.cfg";
inline constexpr const char* kPanelSettingsFileType = "Panel Settings";
inline constexpr const char* kScopeVersionText = kProgramTitle;
constexpr int kMaxAddresses = 10;
constexpr int kMaximisedState = 2;

struct WindowPlacement {
  int state = 0;  // 2 = maximised, anything else = a normal window
  int left = 10;
  int top = 40;
  // The main window's default size (the panels' own constants; the glue
  // checks at compile time that the two agree).
  int width = 1200;
  int height = 680;
};

struct ConnectionSettings {
  int comProtocol = 0;  // 0 RS-232, 1 TCP/IP
  int comPort = 1;
  int baudrateIndex = 4;  // 115200 bit/s
  QString ipAddress;
  QString portNumber = QStringLiteral("10001");  // as typed
};

struct PanelSettings {
  QString panelId;  // sensor identification typed on the connect page
  // Absent when the file has no "MAINPANEL FULLSCREEN": the window keeps its
  // built-in placement.
  std::optional<WindowPlacement> placement;
  QString parameterFile;
  QString recorderFile;
  QString hardwareFile;
  QString tableAttributesFile;
  QStringList addresses;  // newest first, at most 10
  ConnectionSettings connection;
  TableAttributes tableAttributes;
  // The texts as read: a value that was not UTF-8 (a file of the Windows
  // program) is written back with its own bytes.
  IniTextCodec codec;
};

// Where the file lives and which directory the default file names use.
struct SettingsLocation {
  QString settingsPath;     // written here, and read here once it exists
  QString defaultFilesDir;  // "the program directory" of the default paths
  // Read while settingsPath does not exist yet: the settings installed with
  // the program (empty for a portable copy).
  QString installedPath;

  // The file to read: the user's own once there is one, else the installed one.
  QString ReadPath() const;
};

// A portable copy (program directory writable) keeps everything in its own
// directory. An installed one writes the file in configDir, takes the
// program directory's file as its first settings, and offers its default
// files in documentsDir.
SettingsLocation ResolveSettingsLocation(const QString& programDir, const QString& configDir,
                                         const QString& documentsDir,
                                         const std::function<bool(const QString& dir)>& writable);
// True when a file can be created in dir (tries it).
bool DirectoryWritable(const QString& dir);

// The state before any reading: full default paths in dir, default colours,
// no placement, no addresses, default connection settings.
PanelSettings DefaultPanelSettings(const QString& dir);

// True when ini is a panel settings file ("FILE TYPE:" = "Panel Settings").
bool IsPanelSettings(const IniText& ini);
// Everything but the connection settings, with the per-key defaults of a file
// that exists (e.g. a missing "PARAMETER FILE" gives dir itself). Values out
// of range fall back to their defaults.
void ReadPanelSettings(const IniText& ini, const QString& dir, PanelSettings* settings);
// The five connection settings; missing or unusable values keep *connection.
// Texts are decoded through codec (UTF-8 when none is given).
void ReadConnectionSettings(const IniText& ini, ConnectionSettings* connection,
                            IniTextCodec* codec = nullptr);
// The complete file, sections and keys in their documented order.
void WritePanelSettings(const PanelSettings& settings, IniText& ini);

// Everything in dir, nothing read from elsewhere (a settings directory given
// on the command line, e.g. the demo's).
SettingsLocation OwnSettingsLocation(const QString& dir);

// Makes the file at location select TCP/IP at host:port (the address also
// heads the address list). What an existing settings file holds besides the
// connection stays; without one, the rest are the defaults. False when the
// file cannot be written.
bool PointSettingsAtTcp(const SettingsLocation& location, const QString& host, const QString& port);
// The same, but only when no settings file exists yet (test set-ups).
bool SeedTcpSettings(const SettingsLocation& location, const QString& host, const QString& port);

}  // namespace trivolux
