#pragma once
// The panel settings file on the panels: LoadPanelSettings and
// GetConnectionSettingsFromFile at start-up, StorePanelSettings at ACCEPT and
// at close. The file content is the PanelSettings value of
// panel_settings_file.h; this class moves it to and from the controls.
#include <QString>
#include <functional>

#include "app/panel_settings_file.h"

namespace trivolux {

class ScopeApp;
class LinkController;

class PanelSettingsStore {
 public:
  PanelSettingsStore(ScopeApp& app, LinkController& link);

  // Where the file lives; decided once at start from the program directory.
  void SetLocation(const SettingsLocation& location) { location_ = location; }
  const SettingsLocation& Location() const { return location_; }

  // The paths of the files last used, as loaded and as the subsystems left
  // them; the owners of the paths read and write them here.
  PanelSettings& current() { return current_; }

  // Hooks for the owners of the parameter-file path (filled when present).
  std::function<QString()> parameterFile;
  std::function<void(const QString&)> setParameterFile;

  void LoadPanelSettings();
  void GetConnectionSettingsFromFile();
  void StorePanelSettings();

 private:
  void ApplyPlacement(const WindowPlacement& placement);
  WindowPlacement CurrentPlacement() const;

  ScopeApp& app_;
  LinkController& link_;
  SettingsLocation location_;
  PanelSettings current_;
};

}  // namespace trivolux
