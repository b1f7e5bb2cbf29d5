#pragma once
// The assembled program for widget tests: a temporary program directory
// (which also holds the settings file), scripted popups and one application
// object. Tests reach the panels and the subsystems through it and never
// open a real device: every start selects TCP/IP on the loopback interface.
#include <QString>
#include <QTemporaryDir>
#include <memory>

#include "scripted_popups.h"

namespace trivolux {

class LinkController;
class PanelSettingsStore;
class Panels;
class ParamController;
class ScopeApp;
class TeachGridMenu;
struct SharedState;

namespace test {

class AppFixture {
 public:
  // programDir: the program directory to use (a fresh temporary one when empty).
  // shownPopups: popups the program shows instead of the scripted ones (the
  // real dialogs, for tests that press keys in them).
  explicit AppFixture(const QString& programDir = QString(), Popups* shownPopups = nullptr);
  ~AppFixture();
  AppFixture(const AppFixture&) = delete;
  AppFixture& operator=(const AppFixture&) = delete;

  // Writes a settings file (when there is none yet) that selects TCP/IP at
  // host:port (as typed: "abc" and "99999" are settings a user can make).
  void SeedTcp(const QString& host, const QString& port);
  void SeedTcp(quint16 port);
  // The program's start-up with the settings as they are.
  void Start();
  // Start-up without a sensor: port 0 fails at once and the connection popup
  // is answered OFFLINE. The popup record is cleared afterwards.
  void StartOffline();
  // Start-up against a sensor (simulator or fake peer) listening on port.
  void StartTcp(quint16 port);
  // After a start: the link moves to a scripted TCP peer on the loopback
  // interface, or to a pseudo-terminal (/dev/pts/N) at 921600 baud; the
  // sensor counts as connected.
  void UseTcpPeer(quint16 port);
  void UseSerial(const QString& ptyPath);

  QString Path(const QString& name) const;
  QString ProgramDir() const { return programDir_; }
  // The text of the connect page's message box.
  QString Messages();

  ScopeApp& app() { return *app_; }
  Panels& panels();
  SharedState& state();
  LinkController& link();
  ParamController& params();
  PanelSettingsStore& settings();
  TeachGridMenu& teachGridMenu();

 private:
  QTemporaryDir dir_;
  QString programDir_;

 public:
  ScriptedPopups popups;

 private:
  std::unique_ptr<ScopeApp> app_;
};

}  // namespace test
}  // namespace trivolux
