#include "app_start.h"

#include <QDir>

#include "app/panel_settings.h"
#include "app/scope_app.h"
#include "scripted_popups.h"

namespace trivolux::test {

void StartOffline(ScopeApp& app, ScriptedPopups& popups, const QString& settingsDir) {
  const SettingsLocation location{QDir(settingsDir).filePath("PanelSettings.cfg"), settingsDir};
  SeedTcpSettings(location, "127.0.0.1", "0");
  app.panelSettings().SetLocation(location);
  popups.generics = {1};  // OFFLINE
  app.InitAll();
  popups.Clear();
}

}  // namespace trivolux::test
