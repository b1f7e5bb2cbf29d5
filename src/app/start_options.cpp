#include "app/start_options.h"

#include <QDir>

#include "app/panel_settings.h"
#include "app/scope_app.h"
#include "base/version.h"

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

QString StartInfoText(const QStringList& args) {
  if (args.contains(QStringLiteral("--version")))
    return QStringLiteral("trivolux-scope %1\n").arg(QLatin1String(kProgramVersion));
  if (!args.contains(QStringLiteral("--help")) && !args.contains(QStringLiteral("-h"))) return QString();
  return QStringLiteral(
      "Usage: trivolux-scope [--settings-dir DIR] [--sensor HOST:PORT]\n"
      "\n"
      "The operating program of the TRIVOLUX VR colour sensor. Without options it\n"
      "starts with the settings of its last run and connects as they say.\n"
      "\n"
      "  --settings-dir DIR   keep the settings file and the default file paths in\n"
      "                       DIR (created when missing)\n"
      "  --sensor HOST:PORT   connect to the sensor at HOST:PORT over TCP/IP,\n"
      "                       whatever the settings hold\n"
      "  --screenshots DIR    save pictures of every panel into DIR and exit\n"
      "  -h, --help           show this help and exit\n"
      "  --version            show the version and exit\n"
      "\n"
      "Settings: $XDG_CONFIG_HOME/trivolux-scope/PanelSettings.cfg (beside the\n"
      "program when its directory is writable). F1 opens the user guide.\n");
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
