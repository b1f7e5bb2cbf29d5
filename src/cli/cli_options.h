#pragma once
// The command line of trivolux-cli: COMMAND [OPTIONS], parsed and checked
// into a request. Every value is checked here, before the sensor is touched.
#include <QString>
#include <QStringList>

#include "calib/calib_transfer.h"
#include "scope/scope_scan.h"

namespace trivolux::cli {

enum class Command { Identify, Get, Send, Measure, CfGet, CfSend, OffsetGet, HwInfo, Scope };
enum class MeasureFormat { Record, Csv, Jsonl };

struct Connection {
  bool tcp = true;
  QString host;          // TCP
  int port = 0;          // TCP, 1..65535
  QString device;        // serial: a device path; empty when comPort is used
  int comPort = 0;       // serial: COMn
  int baudIndex = 4;     // index into the sensor's baud-rate table (115200)
  int timeoutMs = 3000;  // header and data wait of every answer
  // How the sensor is named in messages: HOST:PORT or the device.
  QString Name() const;
};

struct Request {
  Command command = Command::Identify;
  bool hasConnection = false;
  Connection connection;
  QString output;  // empty or "-": standard output
  QString input;   // send: the parameter file
  bool eeprom = false;
  int paraSet = 0;
  bool dryRun = false;
  bool force = false;
  long long count = 1;  // measure: 0 = until interrupted
  double interval = 0;  // measure: seconds, start to start
  MeasureFormat format = MeasureFormat::Record;
  QString panelId;
  ChannelWords factors{};  // cf send
  ScopeSettings scope;
  // Whether the command talks to the sensor (send --dry-run does not).
  bool NeedsSensor() const { return !(command == Command::Send && dryRun); }
};

struct ParseResult {
  enum Kind { Run, Help, Version, Usage } kind = Usage;
  Request request;
  QString error;  // Usage: what is wrong, one line
};

// arguments[0] is the program name, as QCoreApplication::arguments() has it.
ParseResult ParseCommandLine(const QStringList& arguments);

QString HelpText();
QString VersionText();

}  // namespace trivolux::cli
