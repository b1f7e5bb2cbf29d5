#include "link/sensor_link.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "base/event_wait.h"
#include "link/crc8.h"
#include "link/frame_reader.h"
#include "link/link_texts.h"
#include "link/orders.h"
#include "link/transport.h"

namespace trivolux {

namespace {
constexpr int kWriteTimeoutMs = 2000;

// Marks the link busy for the lifetime of one exchange or frame wait.
class BusyScope {
 public:
  explicit BusyScope(bool& busy) : busy_(busy) { busy_ = true; }
  ~BusyScope() { busy_ = false; }
  BusyScope(const BusyScope&) = delete;
  BusyScope& operator=(const BusyScope&) = delete;

 private:
  bool& busy_;
};
}  // namespace

SensorLink::SensorLink(SharedState& state, QObject* parent) : QObject(parent), state_(state) {
  clock_.start();
}

SensorLink::~SensorLink() = default;

void SensorLink::SetTransport(Transport* transport) {
  if (transport_) disconnect(transport_, nullptr, this, nullptr);
  transport_ = transport;
  if (!transport_) return;
  connect(transport_, &Transport::readyRead, this, &SensorLink::OnReadyRead);
  connect(transport_, &Transport::disconnected, this, &SensorLink::OnServerClosed);
  connect(transport_, &Transport::deviceLost, this, &SensorLink::OnDeviceLost);
}

void SensorLink::SetTimeouts(std::chrono::milliseconds header, std::chrono::milliseconds data) {
  headerTimeout_ = std::max(header, std::chrono::milliseconds::zero());
  dataTimeout_ = std::max(data, std::chrono::milliseconds::zero());
}

void SensorLink::Fail(const QString& text) {
  MessageText = text;
  state_.RunFlag = 0;
  state_.SensorConnected = 0;
  emit linkFailed();
}

bool SensorLink::AnswerLengthIs(int bytes) {
  if (AnswerLength == bytes) return true;
  Fail(link_text::kBadData);
  return false;
}

void SensorLink::FillTxBuf(std::uint8_t order, std::uint16_t param, std::uint16_t length) {
  // The largest request is 8 + 512 bytes; a longer length would not fit TxBuf.
  length = static_cast<std::uint16_t>(std::min<std::size_t>(length, kMaxRequestPayload));
  BuildHeader(order, param, FrameStage.data() + kHeaderSize, length, FrameStage.data());
  std::memcpy(TxBuf.data(), FrameStage.data(), length + kHeaderSize);
}

bool SensorLink::RefusedWhileBusy(const char* call) const {
  if (!busy_) return false;
  qWarning("SensorLink::%s refused: an exchange is still waiting for its answer", call);
  return true;
}

int SensorLink::Exchange(std::uint8_t order, std::uint16_t param, const std::uint8_t* payload,
                         std::uint16_t length) {
  if (RefusedWhileBusy("Exchange")) return -1;
  length = static_cast<std::uint16_t>(std::min<std::size_t>(length, kMaxRequestPayload));
  if (payload && length > 0) std::memcpy(Payload(), payload, length);
  FillTxBuf(order, param, length);
  return DataExchange(length + static_cast<int>(kHeaderSize));
}

int SensorLink::DataExchange(int count) {
  if (RefusedWhileBusy("DataExchange")) return -1;
  const BusyScope busy(busy_);
  return RunExchange(count);
}

int SensorLink::RunExchange(int count) {
  RxBuf.fill(0);
  ComStatus = 0;
  lossReported_ = false;
  count = std::clamp(count, 0, static_cast<int>(TxBuf.size()));
  if (!transport_ || !transport_->IsOpen()) {
    Fail(link_text::kTimeout);
    return -1;
  }
  DiscardReceived();
  if (transport_->Write(TxBuf.data(), count, kWriteTimeoutMs) != count) {
    if (state_.QuitRequested || lossReported_) return -1;
    Fail(link_text::kTimeout);
    return -1;
  }
  emit requestWritten();
  consumed_ = static_cast<int>(kRxBufSize);  // a failed exchange leaves nothing to keep
  int result = ReadHeaderFrame();
  if (result == 1 && AnswerLength != 0) result = ReadDataFrame(AnswerLength);
  if (result == 1) consumed_ = static_cast<int>(kHeaderSize) + AnswerLength;
  return result;
}

int SensorLink::GetSensorFrame(const std::uint16_t& running) {
  if (RefusedWhileBusy("GetSensorFrame")) return -1;
  const BusyScope busy(busy_);
  lossReported_ = false;
  ComStatus = 0;
  if (!transport_ || !transport_->IsOpen()) {
    Fail(link_text::kTimeout);
    return -1;
  }
  const bool serial = transport_->Kind() == TransportKind::Serial;
  if (!serial) {
    // What came after the last frame is the start of this one; what did not
    // fit behind it waits in the socket and follows now.
    const int keep = std::max(RxCount - consumed_, 0);
    if (keep > 0) std::memmove(RxBuf.data(), RxBuf.data() + consumed_, static_cast<std::size_t>(keep));
    std::fill(RxBuf.begin() + keep, RxBuf.end(), std::uint8_t{0});
    RxCount = keep;
  }
  consumed_ = static_cast<int>(kRxBufSize);
  const auto have = [&] { return serial ? transport_->BytesAvailable() : PullTcp(); };
  waiting_ = true;
  WaitUntil(
      state_,
      [&] {
        return have() >= static_cast<int>(kHeaderSize) || running == 0 || lossReported_ || ComStatus > 0 ||
               !transport_ || !transport_->IsOpen();
      },
      QDeadlineTimer(QDeadlineTimer::Forever));
  waiting_ = false;
  if (lossReported_) return -1;
  if (!transport_ || !transport_->IsOpen() || ComStatus > 0) {
    Fail(link_text::kTimeout);
    return -1;
  }
  if (have() < static_cast<int>(kHeaderSize)) return 0;  // stopped or quitting
  int result = ReadHeaderFrame();
  if (result == 1 && AnswerLength != 0) result = ReadDataFrame(AnswerLength);
  if (result == 1) consumed_ = static_cast<int>(kHeaderSize) + AnswerLength;
  return result;
}

bool SensorLink::WaitForBytes(int needed, std::chrono::milliseconds timeout) {
  const bool serial = transport_->Kind() == TransportKind::Serial;
  const auto have = [&] { return serial ? transport_->BytesAvailable() : PullTcp(); };
  waiting_ = true;
  WaitUntil(
      state_, [&] { return have() >= needed || lossReported_ || !transport_ || !transport_->IsOpen(); },
      QDeadlineTimer(timeout));
  waiting_ = false;
  if (!transport_) return false;
  if (serial) RxCount = static_cast<int>(std::min<qint64>(transport_->BytesAvailable(), kRxBufSize));
  return have() >= needed;
}

int SensorLink::GetHeaderFrame() {
  if (RefusedWhileBusy("GetHeaderFrame")) return -1;
  const BusyScope busy(busy_);
  return ReadHeaderFrame();
}

int SensorLink::ReadHeaderFrame() {
  lossReported_ = false;
  if (!transport_ || !transport_->IsOpen()) {
    Fail(link_text::kTimeout);
    return -1;
  }
  const bool complete = WaitForBytes(static_cast<int>(kHeaderSize), headerTimeout_);
  if (transport_ && transport_->Kind() == TransportKind::Serial) {
    ComStatus = transport_->ErrorStatus();
    transport_->Read(RxBuf.data(), std::min<qint64>(RxCount, kHeaderSize));
  }
  if (!complete && (state_.QuitRequested || lossReported_)) return -1;
  if (!complete || ComStatus > 0) {
    Fail(link_text::kTimeout);
    return -1;
  }
  if (CheckHeaderCRC() != 1) return -1;
  if (AnswerOrder != order::kError) return 1;
  if (AnswerParam == order::kErrUnknownOrder) {
    Fail(link_text::kUnknownOrder);
    return -1;
  }
  if (AnswerParam == order::kErrCommunication) {
    Fail(link_text::kCommError);
    return -1;
  }
  return 1;
}

int SensorLink::CheckHeaderCRC() {
  const auto header = ParseHeader(RxBuf.data());
  if (!header) {
    Fail(link_text::kBadHeader);
    return -1;
  }
  AnswerOrder = header->order;
  AnswerParam = header->param;
  AnswerLength = header->length;
  AnswerDataCrc = header->dataCrc;
  return 1;
}

int SensorLink::GetDataFrame(std::uint16_t length) {
  if (RefusedWhileBusy("GetDataFrame")) return -1;
  const BusyScope busy(busy_);
  return ReadDataFrame(length);
}

int SensorLink::ReadDataFrame(std::uint16_t length) {
  lossReported_ = false;
  if (length > kMaxAnswerData) {
    // Cannot fit RxBuf: nothing of it is stored, and what already arrived of
    // it is dropped so it cannot pass for the start of the next answer.
    if (transport_) transport_->FlushQueues();
    Fail(link_text::kBadData);
    return -1;
  }
  if (!transport_ || !transport_->IsOpen()) {
    Fail(link_text::kTimeout);
    return -1;
  }
  const bool serial = transport_->Kind() == TransportKind::Serial;
  // TCP counts the header too: the callback stores header and data in a row.
  const int needed = serial ? length : length + static_cast<int>(kHeaderSize);
  const bool complete = WaitForBytes(needed, dataTimeout_);
  if (serial && transport_) {
    ComStatus = transport_->ErrorStatus();
    transport_->Read(RxBuf.data() + kHeaderSize, std::min<qint64>(RxCount, length));
  }
  if (!complete && (state_.QuitRequested || lossReported_)) return -1;
  if (!complete || ComStatus > 0) {
    Fail(link_text::kTimeout);
    return -1;
  }
  if (crc8Update(RxBuf.data(), kHeaderSize, length) != AnswerDataCrc) {
    Fail(link_text::kBadData);
    return -1;
  }
  return 1;
}

void SensorLink::ClientTCPCB() {
  if (!transport_) return;
  const qint64 room = static_cast<qint64>(kRxBufSize) - RxCount;
  if (room > 0) {
    const qint64 n = transport_->Read(RxBuf.data() + RxCount, room);
    if (n > 0) RxCount += static_cast<int>(n);
  }
  // With nobody waiting the rest is stale and goes, as on the serial line.
  // Otherwise it may hold the next frames of a sensor sending on its own:
  // it stays in the socket until the reader has taken those before it.
  if (!busy_ && !listening_ && transport_->BytesAvailable() > 0) transport_->FlushQueues();
}

int SensorLink::PullTcp() {
  if (RxCount < static_cast<int>(kRxBufSize) && transport_ && transport_->BytesAvailable() > 0) ClientTCPCB();
  return RxCount;
}

void SensorLink::DiscardReceived() {
  if (transport_->Kind() == TransportKind::Serial) {
    transport_->FlushQueues();
  } else {
    RxCount = 0;
    transport_->DiscardInput();
  }
}

bool SensorLink::StopAutoSend() {
  if (RefusedWhileBusy("StopAutoSend")) return false;
  const BusyScope busy(busy_);
  if (!transport_ || !transport_->IsOpen()) return false;
  lossReported_ = false;
  DiscardReceived();
  std::array<std::uint8_t, kHeaderSize> request{};
  BuildFrame(order::kAutoSend, 0, nullptr, 0, request.data());
  const auto size = static_cast<qint64>(request.size());
  if (transport_->Write(request.data(), size, kWriteTimeoutMs) != size) return false;
  // Frames sent before the sensor saw the request come first, the first of
  // them possibly cut by the discard above: the reader skips all of them
  // and finds the answer behind.
  FrameReader reader(kMaxAnswerData);
  std::array<std::uint8_t, kRxBufSize> chunk{};
  bool answered = false;
  const auto answerSeen = [&] {
    if (!transport_ || !transport_->IsOpen()) return true;
    if (RxCount > 0) reader.Feed(RxBuf.data(), static_cast<std::size_t>(std::exchange(RxCount, 0)));
    for (qint64 n; (n = transport_->Read(chunk.data(), static_cast<qint64>(chunk.size()))) > 0;)
      reader.Feed(chunk.data(), static_cast<std::size_t>(n));
    while (const auto e = reader.Next()) {
      const std::uint8_t answer = e->header.order;
      if (e->kind == FrameReader::Kind::Frame && (answer == order::kAutoSend || answer == order::kError))
        answered = true;
    }
    return answered || lossReported_;
  };
  WaitUntil(state_, answerSeen, QDeadlineTimer(headerTimeout_));
  if (transport_ && transport_->IsOpen()) DiscardReceived();
  consumed_ = static_cast<int>(kRxBufSize);
  return answered;
}

void SensorLink::OnReadyRead() {
  if (!transport_) return;
  if (transport_->Kind() == TransportKind::Tcp) {
    ClientTCPCB();
  } else if (!busy_ && !listening_) {
    // Nobody waits for these bytes (a sensor left sending on its own, a wrong
    // device, line noise); kept, they would only be flushed by the next
    // request, and until then the port's bounded queue would stop taking any.
    transport_->DiscardInput();
  }
}

void SensorLink::OnServerClosed() {
  ClientTCPCB();  // bytes that came with the close still count
  state_.TcpConnected = 0;
  lossReported_ = true;
  Fail(link_text::kServerClosed);
}

void SensorLink::OnDeviceLost() {
  ComStatus = 1;
  if (waiting_) {
    // The waiting reader wakes up and reports its own timeout text.
    return;
  }
  lossReported_ = true;
  Fail(link_text::kPortError);
}

}  // namespace trivolux
