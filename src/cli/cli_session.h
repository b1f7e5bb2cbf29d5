#pragma once
// The sensor as one command sees it: the shared flags, the checked exchange
// over TCP or RS-232, the connection check (identification and version), the
// failures the link reported, and what an interrupt does.
#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>

#include "base/shared_state.h"
#include "cli/cli_options.h"
#include "link/identification.h"
#include "link/sensor_link.h"
#include "link/serial_transport.h"
#include "link/tcp_transport.h"

namespace trivolux::cli {

class Session : public QObject {
  Q_OBJECT
 public:
  Session();
  ~Session() override;

  SharedState& state() { return state_; }
  SensorLink& link() { return link_; }
  const SensorIdentity& identity() const { return identity_; }
  // How messages name the sensor: HOST:PORT or the device.
  const QString& Where() const { return where_; }

  // Opens the transport and identifies the sensor exactly as the program's
  // connection check does. kExitOk, or the exit code after one message.
  int Connect(const Connection& connection);

  // The texts the link reported since the last call (link failures and the
  // sensor's plausibility notices), oldest first.
  QStringList TakeFailures();
  // Prints each of them as a message naming the sensor; true when there was any.
  bool ReportFailures();
  // The exit code after a failed sensor operation: interrupted, or a link
  // failure (reported here).
  int LinkFailure();

  // What the first interrupt does (default: end the command at once, as
  // every later one does).
  void SetFirstInterrupt(std::function<void()> action) { firstInterrupt_ = std::move(action); }
  void OnInterrupt();
  bool Interrupted() const { return interrupts_ > 0; }
  // An interrupt ended waits: the command must stop with kExitInterrupted.
  bool Aborted() const { return state_.QuitRequested; }
  // Ends every wait at once.
  void Abort();

 private:
  SharedState state_;
  SensorLink link_{state_};
  TcpTransport tcp_{state_};
  SerialTransport serial_{state_};
  SensorIdentity identity_;
  QString where_;
  QStringList failures_;
  std::function<void()> firstInterrupt_;
  int interrupts_ = 0;
};

}  // namespace trivolux::cli
