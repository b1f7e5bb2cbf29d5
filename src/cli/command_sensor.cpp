// identify, cf get, cf send, offset get, hwinfo and scope.
#include "calib/calib_transfer.h"
#include "calib/hw_info_file.h"
#include "cli/cli_session.h"
#include "cli/commands.h"
#include "cli/console.h"
#include "cli/exit_codes.h"
#include "cli/output.h"
#include "params/param_transfer.h"
#include "scope/scope_scan.h"

namespace trivolux::cli {

namespace {

QByteArray Words(const ChannelWords& words) {
  return QByteArray::number(words[0]) + ' ' + QByteArray::number(words[1]) + ' ' +
         QByteArray::number(words[2]) + '\n';
}

// cf get and offset get: order 102 carries both.
int PrintCalibration(const Request& r, Session& session, bool offsets) {
  if (const int code = session.Connect(r.connection); code != kExitOk) return code;
  CalibValues values;
  if (GetCalibration(session.link(), &values) != 1) return session.LinkFailure();
  return WriteStdout(Words(offsets ? values.offsets : values.factors)) ? kExitOk : kExitFile;
}

QByteArray ScopeCsv(const ScopeResult& scan) {
  QByteArray csv = "sample,red,green,blue,bit0,bit1\n";
  const ScopeBlock& binary = scan.blocks[3];
  for (std::size_t i = 0; i < binary.size(); ++i) {
    csv += QByteArray::number(static_cast<int>(i));
    for (std::size_t c = 0; c < 3; ++c) csv += ',' + QByteArray::number(scan.blocks[c][i]);
    csv += ',' + QByteArray::number(binary[i] & 1) + ',' + QByteArray::number((binary[i] >> 1) & 1) + '\n';
  }
  return csv;
}

}  // namespace

int RunIdentify(const Request& r, Session& session) {
  if (const int code = session.Connect(r.connection); code != kExitOk) return code;
  const SensorIdentity& identity = session.identity();
  return WriteStdout(QStringLiteral("IDENTIFICATION: %1\nSERIAL NUMBER: %2\n")
                         .arg(identity.id.Displayed())
                         .arg(identity.serial)
                         .toLatin1())
             ? kExitOk
             : kExitFile;
}

int RunCfGet(const Request& r, Session& session) {
  return PrintCalibration(r, session, false);
}

int RunOffsetGet(const Request& r, Session& session) {
  return PrintCalibration(r, session, true);
}

int RunCfSend(const Request& r, Session& session) {
  if (const int code = session.Connect(r.connection); code != kExitOk) return code;
  session.SetFirstInterrupt([] {});  // one exchange: it finishes
  const int result = WriteCalibration(session.link(), kWriteFactors, r.factors);
  if (result < 0) return session.LinkFailure();
  // The status rule: a non-zero answer param was reported as the plausibility message.
  return session.ReportFailures() ? kExitRefused : kExitOk;
}

int RunHwInfo(const Request& r, Session& session) {
  Output out(r.output, Output::Kind::Ini);
  if (!out.Open()) return kExitFile;
  if (const int code = session.Connect(r.connection); code != kExitOk) return code;
  // The program's sequence: the set from RAM, factors and offsets, hardware data.
  SharedState& state = session.state();
  state.MemorySelection = Memory::Ram;
  state.ParaSet = r.paraSet;
  ParameterSet set;
  ParamTransfer transfer(state, session.link(), set);
  CalibValues calib;
  HardwareInfo info;
  if (transfer.GetPara() != 1 || GetCalibration(session.link(), &calib) != 1 ||
      ReadHardwareData(session.link(), &info.hardwareData) != 1)
    return session.LinkFailure();
  info.firmware = session.identity().firmwareText;
  info.factors = calib.factors;
  info.offsets = calib.offsets;
  IniText ini;
  PutHardwareInfoFile(ini, info, set);
  return out.Write(QByteArray::fromStdString(ini.ToText())) && out.Commit() ? kExitOk : kExitFile;
}

int RunScope(const Request& r, Session& session) {
  Output out(r.output, Output::Kind::Stream);
  if (!out.Open()) return kExitFile;
  if (const int code = session.Connect(r.connection); code != kExitOk) return code;
  ScopeScan scan(session.state(), session.link());
  // The scan is broken off as BREAK does, also while its start request waits
  // for the answer: the sensor may be armed already and is told to stop.
  session.SetFirstInterrupt([&scan] { scan.Break(); });
  if (scan.Start(r.scope) != 1) return session.LinkFailure();
  ScopeResult result;
  const int collected = scan.Collect(&result);
  if (collected == 0 || session.Aborted()) return kExitInterrupted;
  if (collected != 1) return session.LinkFailure();
  return out.Write(ScopeCsv(result)) && out.Commit() ? kExitOk : kExitFile;
}

int RunCommand(const Request& r, Session& session) {
  switch (r.command) {
    case Command::Identify:
      return RunIdentify(r, session);
    case Command::Get:
      return RunGet(r, session);
    case Command::Send:
      return RunSend(r, session);
    case Command::Measure:
      return RunMeasure(r, session);
    case Command::CfGet:
      return RunCfGet(r, session);
    case Command::CfSend:
      return RunCfSend(r, session);
    case Command::OffsetGet:
      return RunOffsetGet(r, session);
    case Command::HwInfo:
      return RunHwInfo(r, session);
    case Command::Scope:
      break;
  }
  return RunScope(r, session);
}

}  // namespace trivolux::cli
