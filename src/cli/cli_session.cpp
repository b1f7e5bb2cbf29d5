#include "cli/cli_session.h"

#include "cli/console.h"
#include "cli/exit_codes.h"

namespace trivolux::cli {

Session::Session() {
  connect(&link_, &SensorLink::linkFailed, this, [this] { failures_ << link_.MessageText; });
}

Session::~Session() {
  tcp_.Close();
  serial_.Close();
}

QStringList Session::TakeFailures() {
  QStringList taken;
  taken.swap(failures_);
  return taken;
}

bool Session::ReportFailures() {
  const QStringList failures = TakeFailures();
  for (const QString& text : failures) PrintMessage(where_, text);
  return !failures.isEmpty();
}

int Session::LinkFailure() {
  if (Aborted()) return kExitInterrupted;
  ReportFailures();
  return kExitLink;
}

int Session::Connect(const Connection& c) {
  where_ = c.Name();
  link_.SetTimeouts(std::chrono::milliseconds(c.timeoutMs), std::chrono::milliseconds(c.timeoutMs));
  int opened = 0;
  if (c.tcp) {
    tcp_.SetAddress(c.host, c.port);
    link_.SetTransport(&tcp_);
    opened = tcp_.Open();
    if (opened >= 0) state_.TcpConnected = 1;
  } else {
    serial_.SetPort(c.comPort);
    serial_.SetDeviceName(c.device);
    serial_.SetBaudIndex(c.baudIndex);
    link_.SetTransport(&serial_);
    opened = serial_.Open();
  }
  if (Aborted()) return kExitInterrupted;
  // The program shows the transport's error text, then that no connection
  // could be made; here both go on one line.
  const QString couldNot = QStringLiteral("Could not establish connection! ");
  if (opened < 0) {
    PrintMessage(where_, couldNot + link_.ActiveTransport()->ErrorText(opened));
    return kExitLink;
  }
  if (ReadSensorIdentity(link_, &identity_) != 1) {
    if (Aborted()) return kExitInterrupted;
    PrintMessage(where_, couldNot + TakeFailures().join(' '));
    return kExitLink;
  }
  if (!identity_.id.Matches()) {
    PrintMessage(where_, VersionMismatchReport(identity_.id, identity_.serial));
    return kExitVersion;
  }
  state_.SensorConnected = 1;
  return kExitOk;
}

void Session::Abort() {
  state_.RunFlag = 0;
  state_.ScanActive = 0;
  state_.QuitRequested = true;
}

void Session::OnInterrupt() {
  if (++interrupts_ == 1 && firstInterrupt_) {
    firstInterrupt_();
    return;
  }
  Abort();
}

}  // namespace trivolux::cli
