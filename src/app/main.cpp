// The program: one application object, its start-up, the event loop, and an
// orderly end (the subsystems close their transports as they are destroyed).
//
// --screenshots DIR (or TRIVOLUX_SCREENSHOT_DIR=DIR) starts offline without
// blocking popups, saves PNGs of every panel into DIR and exits.
// With --sensor HOST:PORT it connects there first and adds pictures taken
// while GO runs.
// --seed-demo-settings HOST PORT writes a settings file selecting TCP/IP at
// HOST:PORT when there is none yet, and exits. Unknown
// arguments are ignored.
#include <QApplication>
#include <QDir>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "app/panel_settings.h"
#include "app/panel_settings_file.h"
#include "app/scope_app.h"
#include "app/screenshots.h"
#include "ui/panels.h"
#include "ui/qt_popups.h"

namespace {

// --sensor HOST:PORT in screenshot mode: connect to a sensor (the simulator)
// and add the pictures taken while GO runs.
QString SensorArgument(const QStringList& args) {
  const int at = static_cast<int>(args.indexOf(QStringLiteral("--sensor")));
  return at >= 0 && at + 1 < args.size() ? args[at + 1] : QString();
}

QString ScreenshotDir(const QStringList& args) {
  const int at = static_cast<int>(args.indexOf(QStringLiteral("--screenshots")));
  if (at >= 0 && at + 1 < args.size()) return args[at + 1];
  return qEnvironmentVariable("TRIVOLUX_SCREENSHOT_DIR");
}

}  // namespace

// Writes the demo settings without opening any window (runs before a
// display exists).
int SeedDemoSettings(int argc, char** argv) {
  QCoreApplication application(argc, argv);
  const QStringList args = QCoreApplication::arguments();
  const auto seed = args.indexOf(QStringLiteral("--seed-demo-settings"));
  if (seed + 2 >= args.size()) return 2;
  const auto location = trivolux::ResolveSettingsLocation(
      QCoreApplication::applicationDirPath(),
      QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation),
      QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation), trivolux::DirectoryWritable);
  return trivolux::SeedTcpSettings(location, args[seed + 1], args[seed + 2]) ? 0 : 1;
}

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (qstrcmp(argv[i], "--seed-demo-settings") == 0) return SeedDemoSettings(argc, argv);
  }
  QApplication application(argc, argv);
  const QString programDir = QCoreApplication::applicationDirPath();
  const QString screenshotDir = ScreenshotDir(QCoreApplication::arguments());

  if (!screenshotDir.isEmpty()) {
    trivolux::OfflinePopups popups;
    trivolux::ScopeApp app(popups, programDir);
    const QString sensor = SensorArgument(QCoreApplication::arguments());
    QTemporaryDir settingsDir;
    if (!sensor.isEmpty()) {
      // Settings of its own, selecting the given sensor.
      const trivolux::SettingsLocation location{settingsDir.filePath(trivolux::kPanelSettingsName),
                                                settingsDir.path(), QString()};
      app.panelSettings().SetLocation(location);
      trivolux::SeedTcpSettings(location, sensor.section(':', 0, -2), sensor.section(':', -1));
    }
    app.InitAll();
    const QString dir = QDir(screenshotDir).absolutePath();
    int written = trivolux::SaveScreenshots(app.panels(), dir);
    if (!sensor.isEmpty()) {
      written += trivolux::SaveLiveScreenshots(app, dir);
      written += trivolux::SaveTeachScreenshots(app, dir);
      written += trivolux::SaveRecordScreenshots(app, dir);
      written += trivolux::SaveCalibScreenshots(app, popups, dir);
      written += trivolux::SaveScopeScreenshots(app, dir);
    }
    return written > 0 ? 0 : 1;
  }

  trivolux::QtPopups popups;
  trivolux::ScopeApp app(popups, programDir);
  popups.SetParent(&app.panels().mainPanel());
  app.InitAll();
  // The connection check at start may already have asked to end the program.
  if (app.state().QuitRequested) return 0;
  return application.exec();
}
