#include "sim/simulator.h"

#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>
#include <algorithm>
#include <cstdio>
#include <cstring>

#include "link/frame.h"
#include "link/frame_reader.h"
#include "sim/links.h"
#include "sim/random_faults.h"
#include "sim/sensor_core.h"
#include "sim/transmit.h"

namespace trivolux::sim {

// A partial request that sees no new byte for this long is dropped, so a
// client that vanished mid-frame cannot poison the next request.
constexpr int kStaleFrameMs = 1000;

struct Port {
  Link* link = nullptr;
  FrameReader reader;
  PacedQueue* in = nullptr;
  PacedQueue* out = nullptr;
  FrameSender* sender = nullptr;
  QTimer* stale = nullptr;
  bool closing = false;  // closed by a fault; later bytes are ignored

  // Bytes only leave this sum when the peer takes them, so checking it where
  // frames enter bounds every stage after it.
  qsizetype OutputBacklog() const { return sender->Pending() + out->Queued() + link->Pending(); }
};

Simulator::Simulator(SimOptions options, QObject* parent)
    : QObject(parent), options_(std::move(options)), core_(std::make_unique<SensorCore>(options_, faults_)) {
  clock_.start();
  if (!options_.eepromFile.isEmpty() && !core_->model.Load(options_.eepromFile, &eepromError_)) {
    std::fprintf(stderr, "trivolux-sensor-sim: %s\n", qPrintable(eepromError_));
  }
  connect(&triggerTimer_, &QTimer::timeout, this, [this] { OnTrigger(); });
  if (options_.randomFaults) randomFaults_ = std::make_unique<RandomFaults>(*options_.randomFaults, NowMs());
}

long long Simulator::RandomFaultsInjected() const {
  return randomFaults_ ? randomFaults_->Injected() : 0;
}

void Simulator::RandomFaultApplied(RandomFault fault) {
  randomFaults_->Applied();
  if (options_.verbose) std::fprintf(stderr, "sim: random fault %s\n", RandomFaultName(fault));
  emit randomFaultInjected(QString::fromLatin1(RandomFaultName(fault)));
}

Simulator::~Simulator() {
  while (!ports_.empty()) RemovePort(ports_.back().get());
}

quint16 Simulator::ListenTcp(const QString& host, quint16 port) {
  QHostAddress address;
  if (host.compare("localhost", Qt::CaseInsensitive) == 0) {
    address = QHostAddress::LocalHost;
  } else if (!address.setAddress(host)) {
    return 0;
  }
  if (!server_) {
    server_ = new QTcpServer(this);
    connect(server_, &QTcpServer::newConnection, this, [this] {
      while (QTcpSocket* socket = server_->nextPendingConnection()) {
        if (tcpPort_) {
          Port* old = tcpPort_;
          old->link->Close();  // one client at a time: the newcomer wins
        }
        tcpPort_ = AddPort(new TcpLink(socket, this));
        emit clientConnected();
      }
    });
  }
  if (server_->isListening()) server_->close();
  if (!server_->listen(address, port)) return 0;
  return server_->serverPort();
}

QString Simulator::OpenPty() {
  if (pty_) return pty_->Path();
  auto* link = new PtyLink(this);
  const QString path = link->Open();
  if (path.isEmpty()) {
    delete link;
    return {};
  }
  pty_ = link;
  ptyPort_ = AddPort(link);
  return path;
}

bool Simulator::LinkPty(const QString& symlinkPath) {
  return pty_ && pty_->MakeSymlink(symlinkPath);
}

Port* Simulator::AddPort(Link* link) {
  auto port = std::make_unique<Port>();
  Port* p = port.get();
  p->link = link;
  const int baud = BaudRateForIndex(options_.baudIndex);
  p->in = new PacedQueue([this, p](const QByteArray& b) { OnBytes(p, b); }, link);
  p->out = new PacedQueue([this, p](const QByteArray& b) { p->link->Write(b); }, link);
  p->in->SetCapacity(kPacedInputCap);
  for (PacedQueue* q : {p->in, p->out}) {
    q->SetEnabled(options_.lineRate);
    q->SetBaud(baud);
  }
  p->sender = new FrameSender(
      faults_,
      [this, p](const QByteArray& b) {
        Log("->", b);
        p->out->Push(b);
      },
      link);
  p->stale = new QTimer(link);
  p->stale->setSingleShot(true);
  connect(p->stale, &QTimer::timeout, link, [p] { p->reader.Reset(); });
  connect(link, &Link::received, link, [this, p](const QByteArray& b) {
    p->in->SetEnabled(options_.lineRate);
    p->out->SetEnabled(options_.lineRate);
    const qsizetype dropped = p->in->Push(b);
    backlog_.inputDropped += dropped;
    backlog_.inputPeak = std::max(backlog_.inputPeak, p->in->Queued());
    if (dropped > 0 && options_.verbose)
      std::fprintf(stderr, "sim <- (%lld bytes lost: input full)\n", qlonglong(dropped));
  });
  connect(
      link, &Link::closed, this, [this, p] { RemovePort(p); }, Qt::QueuedConnection);
  ports_.push_back(std::move(port));
  return p;
}

void Simulator::RemovePort(Port* port) {
  auto it = std::find_if(ports_.begin(), ports_.end(), [port](const auto& p) { return p.get() == port; });
  if (it == ports_.end()) return;
  port->in->Clear();
  port->out->Clear();
  port->sender->Clear();
  port->stale->stop();
  port->link->disconnect();
  const bool tcp = port->link->IsTcp();
  if (port == activePort_) {
    // The conversation that started automatic sending or a scan is gone.
    core_->autoSending = false;
    core_->scopeArmed = false;
    activePort_ = nullptr;
    UpdateTriggerTimer();
  }
  if (port == tcpPort_) tcpPort_ = nullptr;
  if (port == ptyPort_) ptyPort_ = nullptr;
  if (port->link == pty_) pty_ = nullptr;
  port->link->deleteLater();
  ports_.erase(it);
  if (tcp) emit clientDisconnected();
}

void Simulator::OnBytes(Port* port, const QByteArray& bytes) {
  port->reader.Feed(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                    static_cast<std::size_t>(bytes.size()));
  // A handler may close the port; stop reading from it then.
  while (!port->closing) {
    std::optional<FrameReader::Event> e = port->reader.Next();
    if (!e) break;
    if (e->kind == FrameReader::Kind::Frame) {
      HandleFrame(port, e->header.order, e->header.param, e->data);
    } else {
      if (options_.verbose) {
        std::fprintf(stderr, "sim <- bad frame (%s)\n",
                     e->kind == FrameReader::Kind::BadHeader    ? "header"
                     : e->kind == FrameReader::Kind::BadDataCrc ? "data CRC"
                                                                : "length above 512");
      }
      SendFrame(port, 0, kErrCommunication, {}, true);
    }
  }
  if (port->closing) return;
  if (port->reader.Pending() > 0) {
    port->stale->start(kStaleFrameMs);
  } else {
    port->stale->stop();
  }
}

void Simulator::HandleFrame(Port* port, std::uint8_t order, std::uint16_t param,
                            const std::vector<std::uint8_t>& data) {
  if (options_.requestLogLimit > 0 && requests_.size() >= options_.requestLogLimit) {
    requests_.erase(requests_.begin(), requests_.begin() + static_cast<std::ptrdiff_t>(std::max<std::size_t>(
                                                               1, requests_.size() / 10)));
  }
  requests_.push_back({order, param, static_cast<std::uint16_t>(data.size())});
  if (options_.verbose) {
    QByteArray raw(static_cast<int>(kHeaderSize + data.size()), 0);
    BuildFrame(order, param, data.data(), static_cast<std::uint16_t>(data.size()),
               reinterpret_cast<std::uint8_t*>(raw.data()));
    Log("<-", raw);
  }
  // A random fault replaces or shapes the answer to this request.
  RandomFault randomFault = RandomFault::kCount;
  if (randomFaults_ && randomFaults_->Due(NowMs(), &randomFault) &&
      (randomFault == RandomFault::Close || randomFault == RandomFault::Drop))
    RandomFaultApplied(randomFault);
  if (faults_.closeOnNextRequest || randomFault == RandomFault::Close) {
    faults_.closeOnNextRequest = false;
    if (port->link->IsTcp()) port->closing = true;
    emit requestHandled(order, param);
    port->link->Close();  // a pseudo-terminal stays open: the answer is just missing
    return;
  }
  if (randomFault == RandomFault::Drop) {
    // The request was lost on the line: no answer, and nothing it would have
    // started (a single-shot scan's result frames) either.
    emit requestHandled(order, param);
    return;
  }
  bool drop = false;
  if (faults_.dropAnswerNth > 0 && --faults_.dropAnswerNth == 0) drop = true;
  if (faults_.dropEveryNth > 0) {
    if (faults_.dropEveryNth != dropEveryNthSeen_) {
      dropEveryNthSeen_ = faults_.dropEveryNth;
      answerCount_ = 0;
    }
    if (++answerCount_ % faults_.dropEveryNth == 0) drop = true;
  }

  const SensorCore::Result result = core_->Handle(order, param, data.data(), data.size(), NowMs());
  activePort_ = port;
  std::function<void()> switchBaud;
  if (result.baudChanged) {
    // The answer still goes out at the old rate; the line switches after it.
    switchBaud = [this] {
      const int baud = BaudRateForIndex(options_.baudIndex);
      for (const auto& p : ports_) {
        p->out->ChangeBaudAfterQueued(baud);
        p->in->SetBaud(baud);
      }
    };
  }
  if (drop) {
    if (options_.verbose) std::fprintf(stderr, "sim -> (answer dropped)\n");
    if (switchBaud) switchBaud();
  } else {
    // The other random faults shape this one answer only.
    const Faults saved = faults_;
    // A data CRC can only be corrupted in an answer that has data.
    if (randomFault == RandomFault::CorruptDataCrc && result.answer.data.empty())
      randomFault = RandomFault::CorruptHeaderCrc;
    if (randomFault != RandomFault::kCount) RandomFaultApplied(randomFault);
    switch (randomFault) {
      case RandomFault::CorruptSync:
        faults_.corruptSync = 1;
        break;
      case RandomFault::CorruptHeaderCrc:
        faults_.corruptHeaderCrc = 1;
        break;
      case RandomFault::CorruptDataCrc:
        faults_.corruptDataCrc = 1;
        break;
      case RandomFault::Delay:
        faults_.delayMs = randomFaults_->plan().delayMs;
        break;
      case RandomFault::Split:
        faults_.splitPieces = randomFaults_->plan().splitPieces;
        faults_.splitPauseMs = randomFaults_->plan().splitPauseMs;
        break;
      default:
        break;
    }
    SendFrame(port, result.answer.order, result.answer.param, result.answer.data, true, switchBaud);
    if (randomFault != RandomFault::kCount) faults_ = saved;
  }
  if (result.scopeFireNow) SendScope(port);
  UpdateTriggerTimer();
  emit requestHandled(order, param);
}

bool Simulator::SendFrame(Port* port, std::uint8_t order, std::uint16_t param,
                          const std::vector<std::uint8_t>& data, bool isAnswer, std::function<void()> after) {
  QByteArray frame(static_cast<int>(kHeaderSize + data.size()), 0);
  BuildFrame(order, param, data.data(), static_cast<std::uint16_t>(data.size()),
             reinterpret_cast<std::uint8_t*>(frame.data()));
  if (port->OutputBacklog() + frame.size() > kOutputBacklogCap) {
    // The peer does not take what it gets: the frame is lost, as on a stuck
    // line, but what depends on it having gone out (a baud switch) still happens.
    ++backlog_.framesDropped;
    if (options_.verbose) std::fprintf(stderr, "sim -> (frame dropped: output full)\n");
    if (after) after();
    return false;
  }
  port->sender->Send(frame, isAnswer, std::move(after));
  backlog_.outputPeak = std::max(backlog_.outputPeak, port->OutputBacklog());
  return true;
}

void Simulator::SendScope(Port* port) {
  for (const OutFrame& f : core_->FireScope(NowMs())) SendFrame(port, f.order, f.param, f.data, false);
}

void Simulator::OnTrigger() {
  if (!activePort_) return;
  const long long limit = options_.autoFrameLimit;
  if (core_->autoSending && (limit <= 0 || autoFramesSent_ < limit)) {
    const OutFrame f = core_->MeasurementFrame(NowMs());
    if (SendFrame(activePort_, f.order, f.param, f.data, false)) ++autoFramesSent_;
  }
  if (core_->scopeArmed) SendScope(activePort_);
  UpdateTriggerTimer();
}

void Simulator::TriggerNow() {
  OnTrigger();
}

void Simulator::UpdateTriggerTimer() {
  const bool needed = (core_->autoSending || core_->scopeArmed) && options_.triggerPeriodMs > 0;
  if (!needed) {
    triggerTimer_.stop();
  } else if (!triggerTimer_.isActive() || triggerTimer_.interval() != options_.triggerPeriodMs) {
    triggerTimer_.start(options_.triggerPeriodMs);
  }
}

void Simulator::Log(const char* direction, const QByteArray& bytes) const {
  if (!options_.verbose) return;
  std::fprintf(stderr, "sim %s %s\n", direction, bytes.toHex(' ').constData());
}

std::array<std::uint8_t, 34> Simulator::RamParams(int set) const {
  return core_->model.ram[set & 1].params;
}
std::array<std::uint8_t, 1024> Simulator::RamTeach(int set) const {
  return core_->model.ram[set & 1].teach;
}
std::array<std::uint8_t, 34> Simulator::EepromParams(int set) const {
  return core_->model.eeprom[set & 1].params;
}
std::array<std::uint8_t, 1024> Simulator::EepromTeach(int set) const {
  return core_->model.eeprom[set & 1].teach;
}
void Simulator::SetRamParams(int set, const std::array<std::uint8_t, 34>& b) {
  core_->model.ram[set & 1].params = b;
}
void Simulator::SetRamTeach(int set, const std::array<std::uint8_t, 1024>& b) {
  core_->model.ram[set & 1].teach = b;
}

std::uint16_t Simulator::ReservedWord(int set, int row) const {
  const auto& t = core_->model.ram[set & 1].teach;
  const std::size_t o = static_cast<std::size_t>(16 * (row & 63) + 14);
  return static_cast<std::uint16_t>(t[o] | (t[o + 1] << 8));
}

int Simulator::ReservedMismatches() const {
  return core_->model.reservedMismatches;
}
std::array<std::uint16_t, 3> Simulator::CalFactors() const {
  return core_->model.calFactors;
}
std::array<std::uint16_t, 3> Simulator::Offsets() const {
  return core_->model.offsets;
}
bool Simulator::AutoSending() const {
  return core_->autoSending;
}
bool Simulator::ScopeArmed() const {
  return core_->scopeArmed;
}
int Simulator::BaudIndex() const {
  return options_.baudIndex;
}

BacklogStats Simulator::Backlog() const {
  BacklogStats stats = backlog_;
  for (const auto& p : ports_) {
    stats.output += p->OutputBacklog();
    stats.input += p->in->Queued();
  }
  return stats;
}

}  // namespace trivolux::sim
