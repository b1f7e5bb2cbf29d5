#pragma once
// Start-up of a ScopeApp in widget tests without a sensor.
#include <QString>

namespace trivolux {
class ScopeApp;
namespace test {
class ScriptedPopups;

// Runs InitAll with settings (kept in settingsDir) that select TCP/IP port 0:
// the connection attempt fails at once and the popup is answered OFFLINE.
// The popups' record is cleared afterwards.
void StartOffline(ScopeApp& app, ScriptedPopups& popups, const QString& settingsDir);

}  // namespace test
}  // namespace trivolux
