// trivolux-sensor-sim: the software sensor on TCP and/or a pseudo-terminal.
// Prints "TCP <host>:<port>" and "PTY <device>" lines on stdout once ready.
#include <QCommandLineParser>
#include <QCoreApplication>
#include <cstdio>

#include "base/termination_signals.h"
#include "base/version.h"
#include "sim/simulator.h"

namespace {

bool ParseInt(const QString& text, int min, int max, int* out) {
  bool ok = false;
  const int v = text.toInt(&ok);
  if (!ok || v < min || v > max) return false;
  *out = v;
  return true;
}

int Fail(const QString& message) {
  std::fprintf(stderr, "trivolux-sensor-sim: %s\n", qPrintable(message));
  return 2;
}

}  // namespace

int main(int argc, char* argv[]) {
  QCoreApplication app(argc, argv);
  QCoreApplication::setApplicationName("trivolux-sensor-sim");
  QCoreApplication::setApplicationVersion(trivolux::kProgramVersion);

  QCommandLineParser parser;
  parser.setApplicationDescription("Software TRIVOLUX VR sensor speaking the sensor frame protocol.");
  parser.addHelpOption();
  parser.addVersionOption();
  const QCommandLineOption tcp("tcp", "Listen on HOST:PORT (default 127.0.0.1:10001).", "HOST:PORT");
  const QCommandLineOption pty("pty", "Serve a pseudo-terminal; prints its device path.");
  const QCommandLineOption ptyLink("pty-link", "Also make a symlink PATH to the pseudo-terminal.", "PATH");
  const QCommandLineOption lineRate("line-rate", "Pace both directions at the current baud rate.");
  const QCommandLineOption id("id", "Identification text (order 7).", "TEXT");
  const QCommandLineOption serial("serial", "Serial number (default 4711).", "N");
  const QCommandLineOption eeprom("eeprom", "Keep the EEPROM in FILE across runs.", "FILE");
  const QCommandLineOption target("target", "Fixed target colour (default: slow drift).", "R,G,B");
  const QCommandLineOption period("trigger-period", "Simulated trigger period (default 200).", "MS");
  const QCommandLineOption autoFrames("auto-frames",
                                      "Automatic sending ends after N frames (default: no end).", "N");
  const QCommandLineOption baud("baud-index", "Initial baud-rate index 0..7 (default 4).", "N");
  const QCommandLineOption seed("seed", "Noise seed (default 1).", "N");
  const QCommandLineOption verbose("verbose", "Log every request and answer in hex on stderr.");
  const QCommandLineOption dropNth("drop-nth", "Drop the answer to the N-th request.", "N");
  const QCommandLineOption dropEvery("drop-every", "Drop every N-th answer.", "N");
  const QCommandLineOption corruptSync("corrupt-sync", "Corrupt the sync byte of the next N frames.", "N");
  const QCommandLineOption corruptHeader("corrupt-header-crc", "Corrupt the header CRC of the next N frames.",
                                         "N");
  const QCommandLineOption corruptData("corrupt-data-crc", "Corrupt the data CRC of the next N data frames.",
                                       "N");
  const QCommandLineOption split("split", "Send frames in N pieces, PAUSE_MS apart.", "N[,PAUSE_MS]");
  const QCommandLineOption delay("delay", "Delay every answer by MS.", "MS");
  const QCommandLineOption closeOnRequest("close-on-request",
                                          "Close the connection instead of the next answer.");
  const QCommandLineOption mismatch("version-mismatch", "Identify as firmware version 1.3.0.");
  const QCommandLineOption implausible("implausible", "Report K implausible values on orders 1, 4, 101.",
                                       "K");
  const QCommandLineOption unknownAll("unknown-order", "Answer every request with the unknown-order error.");
  const QCommandLineOption randomFaults(
      "random-faults", "Inject faults at random, one every MEAN_MS on average (default 5000).",
      "SEED[,MEAN_MS]");
  parser.addOption(randomFaults);
  parser.addOptions({tcp,       pty,         ptyLink,       lineRate,    id,    serial,  eeprom,
                     target,    period,      autoFrames,    baud,        seed,  verbose, dropNth,
                     dropEvery, corruptSync, corruptHeader, corruptData, split, delay,   closeOnRequest,
                     mismatch,  implausible, unknownAll});
  parser.process(app);

  trivolux::sim::SimOptions options;
  trivolux::sim::Faults faults;
  int n = 0;
  if (parser.isSet(mismatch)) options.ident = "TRIVOLUX VR V1.3.0  SIMULATOR";
  if (parser.isSet(id)) options.ident = parser.value(id);
  if (parser.isSet(serial)) {
    if (!ParseInt(parser.value(serial), 0, 65535, &n)) return Fail("--serial takes 0..65535");
    options.serial = static_cast<std::uint16_t>(n);
  }
  if (parser.isSet(period)) {
    if (!ParseInt(parser.value(period), 1, 3600000, &options.triggerPeriodMs))
      return Fail("--trigger-period takes 1..3600000 ms");
  }
  if (parser.isSet(autoFrames)) {
    bool ok = false;
    options.autoFrameLimit = parser.value(autoFrames).toLongLong(&ok);
    if (!ok || options.autoFrameLimit < 0) return Fail("--auto-frames takes a number from 0");
  }
  if (parser.isSet(baud) && !ParseInt(parser.value(baud), 0, 65535, &options.baudIndex))
    return Fail("--baud-index takes 0..7");
  if (parser.isSet(seed)) {
    bool ok = false;
    options.noiseSeed = parser.value(seed).toUInt(&ok);
    if (!ok) return Fail("--seed takes an unsigned number");
  }
  if (parser.isSet(target)) {
    const QStringList parts = parser.value(target).split(',');
    std::array<int, 3> rgb{};
    bool ok = parts.size() == 3;
    for (int i = 0; ok && i < 3; ++i) ok = ParseInt(parts[i].trimmed(), 0, 4095, &rgb[i]);
    if (!ok) return Fail("--target takes R,G,B with values 0..4095");
    options.target = rgb;
  }
  options.lineRate = parser.isSet(lineRate);
  options.verbose = parser.isSet(verbose);
  options.eepromFile = parser.value(eeprom);

  struct IntFault {
    const QCommandLineOption& option;
    int* field;
  };
  const IntFault intFaults[] = {
      {dropNth, &faults.dropAnswerNth},       {dropEvery, &faults.dropEveryNth},
      {corruptSync, &faults.corruptSync},     {corruptHeader, &faults.corruptHeaderCrc},
      {corruptData, &faults.corruptDataCrc},  {delay, &faults.delayMs},
      {implausible, &faults.implausibleCount}};
  for (const IntFault& f : intFaults) {
    if (parser.isSet(f.option) && !ParseInt(parser.value(f.option), 0, 1000000, f.field))
      return Fail(QStringLiteral("--%1 takes a number 0..1000000").arg(f.option.names().first()));
  }
  if (parser.isSet(split)) {
    const QStringList parts = parser.value(split).split(',');
    if (parts.size() > 2 || !ParseInt(parts[0], 0, 10000, &faults.splitPieces) ||
        (parts.size() == 2 && !ParseInt(parts[1], 0, 60000, &faults.splitPauseMs)))
      return Fail("--split takes N[,PAUSE_MS]");
  }
  if (parser.isSet(randomFaults)) {
    const QStringList parts = parser.value(randomFaults).split(',');
    trivolux::sim::RandomFaultPlan plan;
    bool ok = parts.size() <= 2;
    if (ok) plan.seed = parts[0].toUInt(&ok);
    if (ok && parts.size() == 2) ok = ParseInt(parts[1], 1, 3600000, &plan.meanGapMs);
    if (!ok) return Fail("--random-faults takes SEED[,MEAN_MS]");
    options.randomFaults = plan;
  }
  faults.closeOnNextRequest = parser.isSet(closeOnRequest);
  faults.unknownOrderForAll = parser.isSet(unknownAll);

  trivolux::OnTerminationSignals(&app, [] { QCoreApplication::quit(); });
  trivolux::sim::Simulator sim(options);
  sim.faults() = faults;
  // One line per random fault as it is applied, for a soak run that compares
  // them with what the program reported.
  QObject::connect(&sim, &trivolux::sim::Simulator::randomFaultInjected, [](const QString& name) {
    std::printf("FAULT %s\n", qPrintable(name));
    std::fflush(stdout);
  });

  const bool wantPty = parser.isSet(pty) || parser.isSet(ptyLink);
  if (parser.isSet(tcp) || !wantPty) {
    const QString spec = parser.isSet(tcp) ? parser.value(tcp) : QStringLiteral("127.0.0.1:10001");
    const int colon = spec.lastIndexOf(':');
    int port = 0;
    if (colon <= 0 || !ParseInt(spec.mid(colon + 1), 0, 65535, &port)) return Fail("--tcp takes HOST:PORT");
    QString host = spec.left(colon);
    if (host.startsWith('[') && host.endsWith(']')) host = host.mid(1, host.size() - 2);  // [::1]:10001
    const quint16 bound = sim.ListenTcp(host, static_cast<quint16>(port));
    if (bound == 0) return Fail(QStringLiteral("cannot listen on %1").arg(spec));
    std::printf("TCP %s:%u\n", qPrintable(host), bound);
  }
  if (wantPty) {
    const QString path = sim.OpenPty();
    if (path.isEmpty()) return Fail("cannot open a pseudo-terminal");
    std::printf("PTY %s\n", qPrintable(path));
    if (parser.isSet(ptyLink) && !sim.LinkPty(parser.value(ptyLink)))
      return Fail(QStringLiteral("cannot create the link %1").arg(parser.value(ptyLink)));
  }
  std::fflush(stdout);
  const int rc = app.exec();
  // For a benchmark that counts what arrived against what was sent.
  std::printf("AUTO FRAMES SENT %lld\n", sim.AutoFramesSent());
  if (options.randomFaults) std::printf("RANDOM FAULTS INJECTED %lld\n", sim.RandomFaultsInjected());
  std::fflush(stdout);
  return rc;
}
