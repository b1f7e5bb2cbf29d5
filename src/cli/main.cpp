// trivolux-cli: the sensor from scripts. Widget-free: it links trivolux_core
// only and runs on a QCoreApplication whose event loop the sensor waits use.
#include <QCoreApplication>

#include "base/termination_signals.h"
#include "base/version.h"
#include "cli/cli_options.h"
#include "cli/cli_session.h"
#include "cli/commands.h"
#include "cli/console.h"
#include "cli/exit_codes.h"

namespace {

// Qt's own warnings would mix with the one-line messages a script parses;
// TRIVOLUX_CLI_DEBUG=1 shows them.
void QuietMessages(QtMsgType type, const QMessageLogContext&, const QString& text) {
  static const bool debug = qEnvironmentVariableIntValue("TRIVOLUX_CLI_DEBUG") != 0;
  if (debug || type == QtCriticalMsg || type == QtFatalMsg)
    trivolux::cli::PrintMessage(QStringLiteral("Qt"), text);
}

}  // namespace

int main(int argc, char** argv) {
  using namespace trivolux::cli;
  qInstallMessageHandler(QuietMessages);
  QCoreApplication app(argc, argv);
  QCoreApplication::setApplicationName(QStringLiteral("trivolux-cli"));
  QCoreApplication::setApplicationVersion(QLatin1String(trivolux::kProgramVersion));

  const ParseResult parsed = ParseCommandLine(QCoreApplication::arguments());
  switch (parsed.kind) {
    case ParseResult::Help:
      return WriteStdout(HelpText().toLocal8Bit()) ? kExitOk : kExitFile;
    case ParseResult::Version:
      return WriteStdout(VersionText().toLocal8Bit()) ? kExitOk : kExitFile;
    case ParseResult::Usage:
      PrintMessage(QString(), parsed.error + QStringLiteral(" (see trivolux-cli --help)"));
      return kExitUsage;
    case ParseResult::Run:
      break;
  }
  Session session;
  trivolux::OnTerminationSignals(&app, [&session] { session.OnInterrupt(); });
  const int code = RunCommand(parsed.request, session);
  if (code == kExitInterrupted) PrintMessage(QString(), QStringLiteral("interrupted"));
  return code;
}
