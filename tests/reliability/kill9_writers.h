#pragma once
// The kill -9 test's table of written files (kill9_writers.cpp) and the
// command-line program's entries in it (kill9_cli.cpp).
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <array>
#include <chrono>
#include <functional>
#include <vector>

namespace trivolux::kill9 {

// What the program removes at its next start: ini$$ temporaries older than
// a minute in the directories of its INI files and its record file
// (PanelSettingsStore::RemoveStaleTemporaries).
constexpr std::chrono::seconds kStartupTemporaryAge{60};

// Which complete version the target held after a kill; Whole for a complete
// output whose version its content does not tell (a measured scan).
enum class Verdict { Old, New, Whole, Corrupt };
using Versions = std::array<QByteArray, 2>;

inline Verdict ExactVersion(const QByteArray& bytes, const Versions& versions) {
  if (bytes == versions[0]) return Verdict::Old;
  if (bytes == versions[1]) return Verdict::New;
  return Verdict::Corrupt;
}

// One file the program writes. `write` runs in a child process, once per
// loop turn, with version 0 or 1; `check` classifies the target after a
// kill. A writer that is another program (the command-line tool) sets
// `command` instead: its child execs it with the arguments of the version,
// once per kill. Both complete versions are written before the first kill.
struct Writer {
  const char* name;
  const char* fileName;
  // The program's start removes stale INI temporaries in this directory.
  bool startupCleans;
  std::function<bool(const QString& path, int version)> write;
  std::function<Verdict(const QByteArray& bytes, const Versions& versions)> check = ExactVersion;
  std::function<QStringList(const QString& path, int version)> command;
  // For such a program: the command that is its next start in the target's
  // directory (it removes what its killed runs left); the program's own
  // start-up clean-up applies when `startupCleans` is set.
  std::function<QStringList(const QString& path)> startCommand;
  // Lines appended one by one (the record file): each round continues the file.
  bool appends = false;
  // The writer paints (fonts): its process needs a QGuiApplication.
  bool gui = false;
};

// Runs argv[0] with the arguments in place of the calling (child) process.
[[noreturn]] void Exec(const QStringList& args);

// The command-line program's outputs (get, hwinfo, measure and scope with
// -o), each written by a run against a simulator in a process of its own,
// which the first call starts. Empty (with a message) when it cannot start.
std::vector<Writer> CliWriters();

}  // namespace trivolux::kill9
