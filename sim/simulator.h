#pragma once
// Simulator: a protocol-exact software sensor. It serves one TCP client at a
// time (a new client replaces the old one) and optionally a pseudo-terminal,
// answers every order of the sensor protocol from SensorCore, and injects
// faults on request. Runs on the caller's Qt event loop; no threads.
#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "sim/sim_options.h"

class QTcpServer;

namespace trivolux::sim {

class SensorCore;
class RandomFaults;
enum class RandomFault;
class Link;
class PtyLink;
struct Port;

// What the connections hold now for their peers and what they had to drop,
// in bytes unless named otherwise. Peaks and drops count from the start.
struct BacklogStats {
  qsizetype output = 0;            // frame bytes the kernel has not taken yet, all connections
  qsizetype outputPeak = 0;        // the most one connection held (at most kOutputBacklogCap)
  std::int64_t framesDropped = 0;  // frames that did not fit the output cap
  qsizetype input = 0;             // received bytes waiting in the paced input queues
  qsizetype inputPeak = 0;         // the most one paced input queue held (at most kPacedInputCap)
  std::int64_t inputDropped = 0;   // received bytes that did not fit the paced input queue
};

class Simulator : public QObject {
  Q_OBJECT
 public:
  explicit Simulator(SimOptions options = {}, QObject* parent = nullptr);
  ~Simulator() override;

  quint16 ListenTcp(const QString& host = "127.0.0.1", quint16 port = 0);  // 0 on failure
  QString OpenPty();  // slave device path, empty on failure
  bool LinkPty(const QString& symlinkPath);

  Faults& faults() { return faults_; }
  SimOptions& options() { return options_; }
  const std::vector<RequestRecord>& Requests() const { return requests_; }
  void ClearRequests() { requests_.clear(); }

  // Sensor state, for tests.
  std::array<std::uint8_t, 34> RamParams(int set) const;
  std::array<std::uint8_t, 1024> RamTeach(int set) const;
  std::array<std::uint8_t, 34> EepromParams(int set) const;
  std::array<std::uint8_t, 1024> EepromTeach(int set) const;
  void SetRamParams(int set, const std::array<std::uint8_t, 34>& bytes);
  void SetRamTeach(int set, const std::array<std::uint8_t, 1024>& bytes);
  std::uint16_t ReservedWord(int set, int row) const;  // word 7 of a teach row (sensor-owned)
  int ReservedMismatches() const;                      // writes that tried to change word 7
  std::array<std::uint16_t, 3> CalFactors() const;
  std::array<std::uint16_t, 3> Offsets() const;
  bool AutoSending() const;
  bool ScopeArmed() const;
  void TriggerNow();  // a simulated trigger event at once (automatic frame / scope)
  // Measurement frames sent on its own (automatic sending) since start; a
  // frame dropped at the output limit was not sent and does not count.
  long long AutoFramesSent() const { return autoFramesSent_; }
  int BaudIndex() const;
  BacklogStats Backlog() const;
  // Faults injected by the random plan (options().randomFaults), all kinds.
  long long RandomFaultsInjected() const;
  // Message of the last EEPROM file problem, empty when none.
  QString EepromError() const { return eepromError_; }

 signals:
  void requestHandled(quint8 order, quint16 param);
  void clientConnected();
  void clientDisconnected();
  // A fault of the random plan was applied (its name, see RandomFaultName).
  void randomFaultInjected(const QString& name);

 private:
  Port* AddPort(Link* link);
  void RemovePort(Port* port);
  void OnBytes(Port* port, const QByteArray& bytes);
  void HandleFrame(Port* port, std::uint8_t order, std::uint16_t param,
                   const std::vector<std::uint8_t>& data);
  // False when the frame was dropped at the output limit.
  bool SendFrame(Port* port, std::uint8_t order, std::uint16_t param, const std::vector<std::uint8_t>& data,
                 bool isAnswer, std::function<void()> after = {});
  void SendScope(Port* port);
  void RandomFaultApplied(RandomFault fault);
  void OnTrigger();
  void UpdateTriggerTimer();
  void Log(const char* direction, const QByteArray& bytes) const;
  std::int64_t NowMs() const { return clock_.elapsed(); }

  SimOptions options_;
  Faults faults_;
  std::unique_ptr<SensorCore> core_;
  std::unique_ptr<RandomFaults> randomFaults_;
  std::vector<RequestRecord> requests_;
  std::vector<std::unique_ptr<Port>> ports_;
  Port* tcpPort_ = nullptr;
  Port* ptyPort_ = nullptr;
  Port* activePort_ = nullptr;  // where unsolicited frames go: the port of the last request
  QTcpServer* server_ = nullptr;
  PtyLink* pty_ = nullptr;
  QTimer triggerTimer_;
  long long autoFramesSent_ = 0;
  QElapsedTimer clock_;
  int answerCount_ = 0;
  int dropEveryNthSeen_ = 0;
  BacklogStats backlog_;  // peaks and drops; the present levels are read from the ports
  QString eepromError_;
};

}  // namespace trivolux::sim
