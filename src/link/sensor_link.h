#pragma once
// SensorLink: the checked request/answer exchange over the active transport.
// Callers write the payload into FrameStage (from byte 8), call FillTxBuf,
// then DataExchange(length + 8); on 1 they decode RxBuf from byte 8.
// Every failure sets MessageText and calls the failure report (SetTimeout,
// installed by the connect-page glue) exactly once, then returns -1.
// Waits run the Qt event loop (no spinning) and end early when the shared
// QuitRequested flag is set.
#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <array>
#include <cstdint>
#include <functional>

#include "base/shared_state.h"
#include "link/frame.h"

namespace trivolux {

class Transport;

class SensorLink : public QObject {
  Q_OBJECT
 public:
  explicit SensorLink(SharedState& state, QObject* parent = nullptr);
  ~SensorLink() override;

  // The active transport (serial or TCP); may be null (exchange then times out).
  void SetTransport(Transport* transport);
  Transport* ActiveTransport() const { return transport_; }
  // Called on every failure, after MessageText was set.
  void SetFailureReport(std::function<void()> report) { report_ = std::move(report); }

  std::uint8_t* Payload() { return FrameStage.data() + kHeaderSize; }
  const std::uint8_t* AnswerData() const { return RxBuf.data() + kHeaderSize; }

  void FillTxBuf(std::uint8_t order, std::uint16_t param, std::uint16_t length);
  int DataExchange(int count);
  int GetHeaderFrame();
  int GetDataFrame(std::uint16_t length);
  int CheckHeaderCRC();
  // Reports `text` through the failure report (MessageText = text).
  void Fail(const QString& text);

  // Convenience: payload copy + FillTxBuf + DataExchange.
  int Exchange(std::uint8_t order, std::uint16_t param, const std::uint8_t* payload = nullptr,
               std::uint16_t length = 0);

  // The TCP receive callback: stores arriving bytes in RxBuf at RxCount, never
  // more than 2048 bytes in all (the excess is dropped, so stale bytes cannot
  // slip into a later answer). Runs on every readyRead of a TCP transport.
  void ClientTCPCB();

  // True while a reader waits for an answer.
  bool Waiting() const { return waiting_; }
  // Seconds since the link was created (the platform timer).
  double Now() const { return clock_.nsecsElapsed() / 1e9; }
  double ExchangeStart = 0.0;

  std::array<std::uint8_t, kHeaderSize + kMaxRequestPayload> FrameStage{};
  std::array<std::uint8_t, kHeaderSize + kMaxRequestPayload> TxBuf{};
  std::array<std::uint8_t, kRxBufSize> RxBuf{};
  int RxCount = 0;
  int ComStatus = 0;
  std::uint8_t AnswerOrder = 0;
  std::uint16_t AnswerParam = 0;
  std::uint16_t AnswerLength = 0;
  std::uint8_t AnswerDataCrc = 0;
  QString MessageText;

  static constexpr double kHeaderTimeout = 3.0;  // seconds
  static constexpr double kDataTimeout = 3.0;

 private:
  void OnServerClosed();
  void OnDeviceLost();
  // Waits until enough bytes are there (serial queue or TCP RxCount), the
  // link is lost, the deadline passes or the program quits.
  bool WaitForBytes(int needed, double timeoutSeconds);

  SharedState& state_;
  Transport* transport_ = nullptr;
  std::function<void()> report_;
  QElapsedTimer clock_;
  bool waiting_ = false;
  bool lossReported_ = false;  // the loss of the link was reported by its own handler
};

}  // namespace trivolux
