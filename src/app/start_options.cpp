#include "app/start_options.h"

#include <QDir>

#include "app/panel_settings.h"
#include "app/scope_app.h"

namespace trivolux {

namespace {
QString ValueAfter(const QStringList& args, const QString& option) {
  const auto at = args.indexOf(option);
  return at >= 0 && at + 1 < args.size() ? args[at + 1] : QString();
}
}  // namespace

StartOptions ParseStartOptions(const QStringList& args) {
  return {ValueAfter(args, QStringLiteral("--settings-dir")), ValueAfter(args, QStringLiteral("--sensor"))};
}

bool ApplyStartOptions(ScopeApp& app, const StartOptions& options) {
  PanelSettingsStore& settings = app.panelSettings();
  if (!options.settingsDir.isEmpty())
    settings.SetLocation(OwnSettingsLocation(QDir(options.settingsDir).absolutePath()));
  if (options.sensor.isEmpty()) return true;
  // The port follows the last colon, so an IPv6 address keeps its own colons.
  return PointSettingsAtTcp(settings.Location(), options.sensor.section(':', 0, -2),
                            options.sensor.section(':', -1));
}

}  // namespace trivolux
