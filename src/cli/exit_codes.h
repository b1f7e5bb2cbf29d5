#pragma once
// The exit status of trivolux-cli: what a script tells apart. The help text,
// the README and docs/cli.md list the same codes.
namespace trivolux::cli {

enum ExitCode : int {
  kExitOk = 0,
  kExitUsage = 2,         // unknown command or option, bad value
  kExitLink = 3,          // no connection, no answer, bad frame, error answer, connection lost
  kExitVersion = 4,       // the sensor's version is not the one this program works with
  kExitFile = 5,          // input unreadable or not a parameter file, output not writable
  kExitRefused = 6,       // the sensor set implausible values to their defaults
  kExitInterrupted = 130  // SIGINT or SIGTERM ended the command (128 + SIGINT)
};

}  // namespace trivolux::cli
