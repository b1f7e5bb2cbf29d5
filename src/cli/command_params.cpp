// get and send: a parameter set between the sensor and a parameter file.
#include <QDir>

#include "cli/cli_session.h"
#include "cli/commands.h"
#include "cli/console.h"
#include "cli/exit_codes.h"
#include "cli/output.h"
#include "ini/ini_file.h"
#include "ini/ini_text.h"
#include "params/param_transfer.h"
#include "params/parameter_file.h"

namespace trivolux::cli {

namespace {

// "get: 2/3" while the requests go out (a terminal only).
class RequestProgress {
 public:
  RequestProgress(Session& session, const QString& label, int requests) : progress_(label, requests) {
    connection_ = QObject::connect(&session.link(), &SensorLink::requestWritten,
                                   [this] { progress_.Show(++written_); });
  }
  ~RequestProgress() { QObject::disconnect(connection_); }
  RequestProgress(const RequestProgress&) = delete;
  RequestProgress& operator=(const RequestProgress&) = delete;

 private:
  Progress progress_;
  QMetaObject::Connection connection_;
  long long written_ = 0;
};

void SelectMemory(const Request& r, SharedState& state) {
  state.MemorySelection = r.eeprom ? Memory::Eeprom : Memory::Ram;
  state.ParaSet = r.paraSet;
}

// Reads FILE as the program's GET from FILE does; without --force a file of
// another type or version is refused with the program's question as the reason.
int LoadParameterFile(const Request& r, ParameterSet* set) {
  const QString where = QDir::toNativeSeparators(r.input);
  IniText ini;
  if (const int read = ini.ReadFromFile(r.input); read < 0) {
    PrintMessage(QString(), IniReadErrorText(read, r.input));
    return kExitFile;
  }
  const ParameterFileHeader header = ReadParameterFileHeader(ini);
  const QString refused =
      r.force ? QString() : QStringLiteral(" Nothing was sent (--force sends it anyway).");
  if (!header.TypeMatches()) {
    PrintMessage(where, QStringLiteral("Selected file is not a parameter file!") + refused);
    if (!r.force) return kExitFile;
  }
  if (!header.VersionMatches()) {
    PrintMessage(where, QStringLiteral("Selected file and scope version do not match!") + refused);
    if (!r.force) return kExitFile;
  }
  // Missing, blank and non-numeric items were defaulted: listed as the
  // program lists them (parameters first, then teach rows).
  for (const QString& message :
       {AcquireParaFromIniHandle(ini, &set->block), AcquireTechVecFromIniHandle(ini, &set->table)})
    if (!message.isEmpty()) PrintMessage(where, message);
  return kExitOk;
}

// send --dry-run: the requests SEND would make, with the values.
QByteArray DryRunText(const Request& r, const ParameterSet& set) {
  const int s = r.paraSet;
  QByteArray text = QStringLiteral(
                        "order 2 param %1, %2: read teach rows 0..31 and 32..63 of set %3 from RAM "
                        "(their reserved words are sent back unchanged)\n")
                        .arg(TeachFrameParam(s, 0))
                        .arg(TeachFrameParam(s, 1))
                        .arg(s)
                        .toLatin1();
  text += QStringLiteral("order 1 param %1, 34 bytes: PARAMETER\n").arg(BlockFrameParam(s)).toLatin1();
  for (int i = 0; i < kParamWordCount; ++i)
    text += QByteArray("  ") + kParamTags[static_cast<std::size_t>(i)] + " = " +
            QByteArray::number(set.block[i]) + '\n';
  for (int half = 0; half < 2; ++half) {
    const int first = half * kRowsPerHalf;
    text += QStringLiteral("order 1 param %1, 512 bytes: TEACH VECTOR %2 .. TEACH VECTOR %3\n")
                .arg(TeachFrameParam(s, half))
                .arg(first)
                .arg(first + kRowsPerHalf - 1)
                .toLatin1();
    for (int row = first; row < first + kRowsPerHalf; ++row) {
      const TeachVector& v = set.table[row];
      text += QStringLiteral("  TEACH VECTOR %1: CELL 0..4 = %2 %3 %4 %5 %6, GROUP = %7, HOLD = %8\n")
                  .arg(row)
                  .arg(v[0])
                  .arg(v[1])
                  .arg(v[2])
                  .arg(v[3])
                  .arg(v[4])
                  .arg(v[kGroup])
                  .arg(v[kHold])
                  .toLatin1();
    }
  }
  if (r.eeprom) text += "order 3 param 0: store RAM into the EEPROM\n";
  return text;
}

}  // namespace

int RunGet(const Request& r, Session& session) {
  Output out(r.output, Output::Kind::Ini);
  if (!out.Open()) return kExitFile;
  if (const int code = session.Connect(r.connection); code != kExitOk) return code;
  SharedState& state = session.state();
  SelectMemory(r, state);
  ParameterSet set;
  ParamTransfer transfer(state, session.link(), set);
  bool eepromNotice = false;
  QObject::connect(&transfer, &ParamTransfer::eepromNotice, [&](const QString& text) {
    PrintMessage(session.Where(), text);
    eepromNotice = true;
  });
  int result = 0;
  {
    RequestProgress progress(session, QStringLiteral("get"), r.eeprom ? 4 : 3);
    result = transfer.GetPara();
  }
  if (result != 1) return session.LinkFailure();
  IniText ini;
  PutParameterFile(ini, set);
  const std::string text = ini.ToText();
  if (!out.Write(QByteArray::fromStdString(text)) || !out.Commit()) return kExitFile;
  return eepromNotice ? kExitRefused : kExitOk;
}

int RunSend(const Request& r, Session& session) {
  ParameterSet set;
  if (const int code = LoadParameterFile(r, &set); code != kExitOk) return code;
  if (r.dryRun) return WriteStdout(DryRunText(r, set)) ? kExitOk : kExitFile;
  if (const int code = session.Connect(r.connection); code != kExitOk) return code;
  SharedState& state = session.state();
  SelectMemory(r, state);
  // Half a set in the sensor would be worse than a late end: once the
  // transfer has begun, the first interrupt lets it finish.
  session.SetFirstInterrupt([] {});
  ParamTransfer transfer(state, session.link(), set);
  int result = 0;
  {
    RequestProgress progress(session, QStringLiteral("send"), r.eeprom ? 6 : 5);
    result = transfer.KeepSensorReservedWords();
    if (result == 1) result = transfer.SendPara();
  }
  if (result != 1) return session.LinkFailure();
  // A completed send reports only the sensor's plausibility notices.
  return session.ReportFailures() ? kExitRefused : kExitOk;
}

}  // namespace trivolux::cli
