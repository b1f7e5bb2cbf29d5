#pragma once
// The panel settings file on the panels: LoadPanelSettings and
// GetConnectionSettingsFromFile at start-up, StorePanelSettings at ACCEPT and
// at close. The file content is the PanelSettings value of
// panel_settings_file.h; this class moves it to and from the controls.
#include <QObject>
#include <QString>

#include "app/panel_settings_file.h"

namespace trivolux {

class LinkController;
class Panels;
class ParamController;
class Popups;
class CalibController;
class TableAttrController;

class PanelSettingsStore : public QObject {
  Q_OBJECT
 public:
  PanelSettingsStore(Panels& panels, Popups& popups, LinkController& link, ParamController& params,
                     TableAttrController& tableAttr, CalibController& calib, const QString& programDir,
                     QObject* parent = nullptr);

  // Where the file lives; decided once at start from the program directory.
  void SetLocation(const SettingsLocation& location) { location_ = location; }
  const SettingsLocation& Location() const { return location_; }

  // The settings as loaded and as the subsystems left them.
  PanelSettings& current() { return current_; }

  void LoadPanelSettings();
  void GetConnectionSettingsFromFile();
  void StorePanelSettings();
  // Removes temporaries that killed saves left behind in the directories
  // this program writes (settings, parameter, table-attribute and hardware files).
  void RemoveStaleTemporaries();

 private:
  void ApplyPlacement(const WindowPlacement& placement);
  WindowPlacement CurrentPlacement() const;

  Panels& panels_;
  Popups& popups_;
  ParamController& params_;
  TableAttrController& tableAttr_;
  CalibController& calib_;
  SettingsLocation location_;
  PanelSettings current_;
};

}  // namespace trivolux
