#pragma once
// Command-line options for development runs (the demo and the screenshots); a
// user starts the program without any, and unknown arguments are ignored.
//   --settings-dir DIR   the settings file, and the default file paths, in DIR
//                        instead of beside the program (DIR is created)
//   --sensor HOST:PORT   the settings select TCP/IP at HOST:PORT before the
//                        start-up reads them, whatever an earlier run stored
#include <QString>
#include <QStringList>

namespace trivolux {

class ScopeApp;

struct StartOptions {
  QString settingsDir;
  QString sensor;  // HOST:PORT
};

StartOptions ParseStartOptions(const QStringList& args);
// Before InitAll. False when the settings file for --sensor cannot be written.
bool ApplyStartOptions(ScopeApp& app, const StartOptions& options);

}  // namespace trivolux
