#include "app_fixture.h"

#include <QDir>
#include <QPlainTextEdit>
#include <QRegularExpression>

#include "app/panel_settings.h"
#include "app/scope_app.h"
#include "base/shared_state.h"
#include "link/link_controller.h"
#include "ui/panels.h"

namespace trivolux::test {

namespace {
constexpr std::chrono::milliseconds kLinkTimeout{1000};
}  // namespace

AppFixture::AppFixture(const QString& programDir, Popups* shownPopups)
    : programDir_(programDir.isEmpty() ? dir_.path() : programDir),
      app_(std::make_unique<ScopeApp>(shownPopups ? *shownPopups : popups, programDir_)) {
  // A writable program directory keeps the settings beside the program.
  settings().SetLocation(OwnSettingsLocation(programDir_));
  // Loopback peers answer in milliseconds; a lost answer need not cost the
  // full 3 s a real line gets (and even a sanitizer build on a busy machine
  // answers well within this).
  link().link().SetTimeouts(kLinkTimeout, kLinkTimeout);
}

AppFixture::~AppFixture() = default;

void AppFixture::SeedTcp(const QString& host, const QString& port) {
  SeedTcpSettings(settings().Location(), host, port);
}

void AppFixture::SeedTcp(quint16 port) {
  SeedTcp(QStringLiteral("127.0.0.1"), QString::number(port));
}

void AppFixture::Start() {
  app_->InitAll();
}

void AppFixture::StartOffline() {
  SeedTcp(0);
  popups.generics = {1};  // OFFLINE
  app_->InitAll();
  popups.Clear();
}

void AppFixture::StartTcp(quint16 port) {
  SeedTcp(port);
  app_->InitAll();
}

QString AppFixture::Path(const QString& name) const {
  return QDir(programDir_).filePath(name);
}

QString AppFixture::Messages() {
  return panels().connectPage().ui.TextMessages->toPlainText();
}

Panels& AppFixture::panels() {
  return app_->panels();
}
SharedState& AppFixture::state() {
  return app_->state();
}
LinkController& AppFixture::link() {
  return app_->linkController();
}
ParamController& AppFixture::params() {
  return app_->params();
}
PanelSettingsStore& AppFixture::settings() {
  return app_->panelSettings();
}
TeachGridMenu& AppFixture::teachGridMenu() {
  return app_->teachGridMenu();
}

void AppFixture::UseTcpPeer(quint16 port) {
  LinkController& l = link();
  l.tcp().SetAddress("127.0.0.1", port);
  l.link().SetTransport(&l.tcp());
  l.tcp().Open();
  state().SensorConnected = 1;
}

void AppFixture::UseSerial(const QString& ptyPath) {
  static const QRegularExpression kNumber(QStringLiteral("(\\d+)$"));
  LinkController& l = link();
  l.ComPort = 1000 + kNumber.match(ptyPath).captured(1).toInt();
  l.BaudrateIndex = 7;
  l.InitRS232();
  state().SensorConnected = 1;
}

}  // namespace trivolux::test
