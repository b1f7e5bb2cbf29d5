#pragma once
// The commands of trivolux-cli. Each returns its exit code and has printed
// its messages; a result is complete on standard output or in its file, or
// the file was left as it was.
#include "cli/cli_options.h"

namespace trivolux::cli {

class Session;

int RunCommand(const Request& request, Session& session);

int RunIdentify(const Request& request, Session& session);
int RunGet(const Request& request, Session& session);
int RunSend(const Request& request, Session& session);
int RunMeasure(const Request& request, Session& session);
int RunCfGet(const Request& request, Session& session);
int RunCfSend(const Request& request, Session& session);
int RunOffsetGet(const Request& request, Session& session);
int RunHwInfo(const Request& request, Session& session);
int RunScope(const Request& request, Session& session);

}  // namespace trivolux::cli
