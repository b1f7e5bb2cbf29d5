#include "cli/cli_options.h"

#include <QCommandLineParser>
#include <QRegularExpression>
#include <cmath>
#include <map>
#include <set>

#include "link/serial_transport.h"

namespace trivolux::cli {

namespace {

constexpr int kBaudIndices = 8;
constexpr int kMaxTimeoutMs = 600000;
constexpr double kMaxIntervalSeconds = 86400;

struct CommandName {
  const char* words;
  Command command;
};
// "cf" and "offset" take their action as a second word.
const CommandName kCommands[] = {
    {"identify", Command::Identify},    {"get", Command::Get},       {"send", Command::Send},
    {"measure", Command::Measure},      {"cf get", Command::CfGet},  {"cf send", Command::CfSend},
    {"offset get", Command::OffsetGet}, {"hwinfo", Command::HwInfo}, {"scope", Command::Scope}};

// Options beyond the connection that each command takes.
const std::map<Command, std::set<QString>> kCommandOptions = {
    {Command::Identify, {}},
    {Command::Get, {"output", "eeprom", "set"}},
    {Command::Send, {"eeprom", "set", "dry-run", "force"}},
    {Command::Measure, {"output", "count", "interval", "format", "panel-id"}},
    {Command::CfGet, {}},
    {Command::CfSend, {}},
    {Command::OffsetGet, {}},
    {Command::HwInfo, {"output", "set"}},
    {Command::Scope, {"output", "trigger", "level", "pretrigger", "rate", "signal"}}};

const std::set<QString> kConnectionOptions = {"tcp", "serial", "baud", "timeout"};

bool ParseInteger(const QString& text, long long min, long long max, long long* out) {
  bool ok = false;
  const long long value = text.trimmed().toLongLong(&ok);
  if (!ok || value < min || value > max) return false;
  *out = value;
  return true;
}

// A number, or one of the names standing for 0, 1, 2 ...
bool ParseChoice(const QString& text, const QStringList& names, long long max, long long* out) {
  const int named = names.indexOf(text.trimmed().toLower());
  if (named >= 0) {
    *out = named;
    return true;
  }
  return ParseInteger(text, 0, max, out);
}

class Checker {
 public:
  explicit Checker(QCommandLineParser& parser) : parser_(parser) {}

  // Reads option `name` into *out when it is set; false (with the error) on a bad value.
  bool Integer(const QString& name, long long min, long long max, long long* out) {
    if (!parser_.isSet(name)) return true;
    if (ParseInteger(parser_.value(name), min, max, out)) return true;
    return Fail(QStringLiteral("--%1 takes a whole number %2..%3").arg(name).arg(min).arg(max));
  }
  bool Fail(const QString& text) {
    error = text;
    return false;
  }

  QString error;

 private:
  QCommandLineParser& parser_;
};

bool ParseTcp(const QString& spec, Connection* c) {
  const int colon = spec.lastIndexOf(':');
  long long port = 0;
  if (colon <= 0 || !ParseInteger(spec.mid(colon + 1), 1, 65535, &port)) return false;
  QString host = spec.left(colon);
  if (host.startsWith('[') && host.endsWith(']')) host = host.mid(1, host.size() - 2);  // [::1]:10001
  if (host.trimmed().isEmpty()) return false;
  c->tcp = true;
  c->host = host;
  c->port = static_cast<int>(port);
  return true;
}

void ParseSerial(const QString& spec, Connection* c) {
  c->tcp = false;
  static const QRegularExpression kComPort(QStringLiteral("^COM(\\d{1,4})$"),
                                           QRegularExpression::CaseInsensitiveOption);
  const auto m = kComPort.match(spec);
  if (m.hasMatch() && m.captured(1).toInt() >= 1) {
    c->comPort = m.captured(1).toInt();
  } else {
    c->device = spec;
  }
}

bool ParseConnection(QCommandLineParser& parser, Checker& check, Request* r) {
  const bool tcp = parser.isSet("tcp");
  const bool serial = parser.isSet("serial");
  if (tcp && serial) return check.Fail("--tcp and --serial exclude each other");
  if (!serial && parser.isSet("baud")) return check.Fail("--baud applies to --serial only");
  Connection& c = r->connection;
  if (tcp && !ParseTcp(parser.value("tcp"), &c))
    return check.Fail("--tcp takes HOST:PORT with a port 1..65535");
  if (serial) {
    if (parser.value("serial").trimmed().isEmpty()) return check.Fail("--serial takes a device path or COMn");
    ParseSerial(parser.value("serial").trimmed(), &c);
  }
  if (parser.isSet("baud")) {
    long long rate = 0;
    int index = -1;
    if (ParseInteger(parser.value("baud"), 1, 10000000, &rate))
      for (int i = 0; i < kBaudIndices; ++i)
        if (BaudRateForIndex(i) == rate) index = i;
    if (index < 0)
      return check.Fail("--baud takes 9600, 19200, 38400, 57600, 115200, 230400, 460800 or 921600");
    c.baudIndex = index;
  }
  long long timeout = c.timeoutMs;
  if (!check.Integer("timeout", 1, kMaxTimeoutMs, &timeout)) return false;
  c.timeoutMs = static_cast<int>(timeout);
  r->hasConnection = tcp || serial;
  if (r->NeedsSensor() && !r->hasConnection)
    return check.Fail("--tcp HOST:PORT or --serial DEVICE is needed");
  return true;
}

// The words after the command: the file of send, the factors of cf send.
bool ParseOperands(const QStringList& rest, Checker& check, Request* r) {
  const int wanted = r->command == Command::Send ? 1 : r->command == Command::CfSend ? 3 : 0;
  if (rest.size() > wanted) return check.Fail(QStringLiteral("unexpected argument '%1'").arg(rest[wanted]));
  if (rest.size() < wanted)
    return check.Fail(r->command == Command::Send ? "send needs the parameter file"
                                                  : "cf send needs three factors: R G B");
  if (r->command == Command::Send) r->input = rest[0];
  for (int c = 0; c < rest.size() && r->command == Command::CfSend; ++c) {
    long long factor = 0;
    if (!ParseInteger(rest[c], 0, 4096, &factor))
      return check.Fail(QStringLiteral("calibration factor '%1' is not a whole number 0..4096").arg(rest[c]));
    r->factors[static_cast<std::size_t>(c)] = static_cast<std::uint16_t>(factor);
  }
  return true;
}

bool ParseMeasureOptions(QCommandLineParser& parser, Checker& check, Request* r) {
  if (!check.Integer("count", 0, 1000000000000LL, &r->count)) return false;
  if (parser.isSet("interval")) {
    bool ok = false;
    const double seconds = parser.value("interval").trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(seconds) || seconds < 0 || seconds > kMaxIntervalSeconds)
      return check.Fail("--interval takes seconds 0..86400");
    r->interval = seconds;
  }
  if (parser.isSet("format")) {
    long long format = 0;
    if (!ParseChoice(parser.value("format"), {"record", "csv", "jsonl"}, -1, &format))
      return check.Fail("--format takes record, csv or jsonl");
    r->format = static_cast<MeasureFormat>(format);
  }
  if (parser.isSet("panel-id") && r->format != MeasureFormat::Record)
    return check.Fail("--panel-id applies to --format record only");
  r->panelId = parser.value("panel-id");
  return true;
}

bool ParseScopeOptions(QCommandLineParser& parser, Checker& check, Request* r) {
  long long v = 0;
  if (parser.isSet("trigger")) {
    if (!ParseChoice(parser.value("trigger"), {"single", "rising", "falling", "internal", "external"}, 4, &v))
      return check.Fail("--trigger takes single, rising, falling, internal, external or 0..4");
    r->scope.triggerMode = static_cast<std::uint16_t>(v);
  }
  if (parser.isSet("signal")) {
    if (!ParseChoice(parser.value("signal"), {"rgb", "calc"}, 65535, &v))
      return check.Fail("--signal takes rgb, calc or 0..65535");
    r->scope.signal = static_cast<std::uint16_t>(v);
  }
  v = r->scope.triggerLevel;
  if (!check.Integer("level", 0, 65535, &v)) return false;
  r->scope.triggerLevel = static_cast<std::uint16_t>(v);
  v = r->scope.preTrigger;
  if (!check.Integer("pretrigger", -32768, 32767, &v)) return false;
  r->scope.preTrigger = static_cast<std::int16_t>(v);
  v = r->scope.scanRate;
  if (!check.Integer("rate", 1, 32767, &v)) return false;
  r->scope.scanRate = static_cast<std::int16_t>(v);
  return true;
}

QList<QCommandLineOption> Options() {
  return {{{"h", "help"}, "help"},
          {"version", "version"},
          {"tcp", "tcp", "HOST:PORT"},
          {"serial", "serial", "DEVICE"},
          {"baud", "baud", "RATE"},
          {"timeout", "timeout", "MS"},
          {{"o", "output"}, "output", "FILE"},
          {"eeprom", "eeprom"},
          {"set", "set", "S"},
          {"dry-run", "dry-run"},
          {"force", "force"},
          {"count", "count", "N"},
          {"interval", "interval", "SEC"},
          {"format", "format", "FMT"},
          {"panel-id", "panel-id", "TEXT"},
          {"trigger", "trigger", "MODE"},
          {"level", "level", "N"},
          {"pretrigger", "pretrigger", "N"},
          {"rate", "rate", "N"},
          {"signal", "signal", "SIG"}};
}

// Finds the command in the first one or two words; *used = words taken.
bool FindCommand(const QStringList& words, Command* command, int* used) {
  for (const CommandName& c : kCommands) {
    const QStringList name = QString::fromLatin1(c.words).split(' ');
    if (words.size() >= name.size() && words.mid(0, name.size()) == name) {
      *command = c.command;
      *used = static_cast<int>(name.size());
      return true;
    }
  }
  return false;
}

}  // namespace

QString Connection::Name() const {
  if (tcp)
    return host.contains(':') ? QStringLiteral("[%1]:%2").arg(host).arg(port)
                              : QStringLiteral("%1:%2").arg(host).arg(port);
  return device.isEmpty() ? QStringLiteral("COM%1").arg(comPort) : device;
}

ParseResult ParseCommandLine(const QStringList& arguments) {
  ParseResult result;
  QCommandLineParser parser;
  parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  parser.addOptions(Options());
  if (!parser.parse(arguments)) {
    result.error = parser.errorText();
    return result;
  }
  if (parser.isSet("help")) {
    result.kind = ParseResult::Help;
    return result;
  }
  if (parser.isSet("version")) {
    result.kind = ParseResult::Version;
    return result;
  }
  Checker check(parser);
  Request& r = result.request;
  const QStringList words = parser.positionalArguments();
  int used = 0;
  if (words.isEmpty()) {
    result.error = QStringLiteral("no command given");
    return result;
  }
  if (!FindCommand(words, &r.command, &used)) {
    result.error = words[0] == "cf"       ? QStringLiteral("cf takes get or send R G B")
                   : words[0] == "offset" ? QStringLiteral("offset takes get")
                                          : QStringLiteral("unknown command '%1'").arg(words[0]);
    return result;
  }
  const QString commandName = words.mid(0, used).join(' ');
  const std::set<QString>& allowed = kCommandOptions.at(r.command);
  for (const QString& name : parser.optionNames()) {
    const QString longName = name == "o" ? QStringLiteral("output") : name;
    if (!kConnectionOptions.count(longName) && !allowed.count(longName)) {
      result.error = QStringLiteral("option --%1 does not apply to %2").arg(longName, commandName);
      return result;
    }
  }
  r.dryRun = parser.isSet("dry-run");
  r.force = parser.isSet("force");
  r.eeprom = parser.isSet("eeprom");
  r.output = parser.value("output");
  long long set = 0;
  const bool ok = ParseOperands(words.mid(used), check, &r) && check.Integer("set", 0, 1, &set) &&
                  ParseConnection(parser, check, &r) && ParseMeasureOptions(parser, check, &r) &&
                  ParseScopeOptions(parser, check, &r);
  if (!ok) {
    result.error = check.error;
    return result;
  }
  r.paraSet = static_cast<int>(set);
  result.kind = ParseResult::Run;
  return result;
}

}  // namespace trivolux::cli
