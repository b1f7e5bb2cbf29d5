// The program: one application object, its start-up, the event loop, and an
// orderly end (the subsystems close their transports as they are destroyed).
//
// --screenshots DIR (or TRIVOLUX_SCREENSHOT_DIR=DIR) starts offline without
// blocking popups, saves PNGs of every panel into DIR and exits.
// With --sensor HOST:PORT it connects there first (with settings of its own
// unless --settings-dir is given) and adds pictures taken while GO runs.
// --settings-dir and --sensor also serve a normal run (start_options.h): the
// demo keeps its settings apart from a user's and always finds its simulator.
// Unknown arguments are ignored.
#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <cstdio>

#include "app/panel_settings.h"
#include "app/scope_app.h"
#include "app/screenshots.h"
#include "app/start_options.h"
#include "ui/panels.h"
#include "ui/qt_popups.h"

namespace {

QString ScreenshotDir(const QStringList& args) {
  const int at = static_cast<int>(args.indexOf(QStringLiteral("--screenshots")));
  if (at >= 0 && at + 1 < args.size()) return args[at + 1];
  return qEnvironmentVariable("TRIVOLUX_SCREENSHOT_DIR");
}

bool Apply(trivolux::ScopeApp& app, const trivolux::StartOptions& options) {
  if (trivolux::ApplyStartOptions(app, options)) return true;
  std::fprintf(stderr, "The settings for --sensor cannot be written into %s.\n",
               qPrintable(QDir::toNativeSeparators(app.panelSettings().Location().settingsPath)));
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  const QString programDir = QCoreApplication::applicationDirPath();
  const QStringList args = QCoreApplication::arguments();
  const QString screenshotDir = ScreenshotDir(args);
  trivolux::StartOptions options = trivolux::ParseStartOptions(args);

  if (!screenshotDir.isEmpty()) {
    trivolux::OfflinePopups popups;
    trivolux::ScopeApp app(popups, programDir);
    // Pictures against a sensor use settings of their own.
    QTemporaryDir settingsDir;
    if (!options.sensor.isEmpty() && options.settingsDir.isEmpty()) options.settingsDir = settingsDir.path();
    if (!Apply(app, options)) return 1;
    app.InitAll();
    const QString dir = QDir(screenshotDir).absolutePath();
    int written = trivolux::SaveScreenshots(app.panels(), dir);
    if (!options.sensor.isEmpty()) {
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
  if (!Apply(app, options)) return 1;
  app.InitAll();
  // The connection check at start may already have asked to end the program.
  if (app.state().QuitRequested) return 0;
  return application.exec();
}
