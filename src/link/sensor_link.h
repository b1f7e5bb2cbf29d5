#pragma once
// SensorLink: the checked request/answer exchange over the active transport.
// Callers write the payload into FrameStage (from byte 8), call FillTxBuf,
// then DataExchange(length + 8); on 1 they decode RxBuf from byte 8.
// Every failure sets MessageText and emits linkFailed exactly once (the
// connect-page glue answers with SetTimeout), then returns -1.
// Waits run the Qt event loop (no spinning) and end early when the shared
// QuitRequested flag is set. While an exchange or a frame wait runs, a second
// one (from a timer or a handler served by that wait) is refused at once with
// -1: it sends nothing, changes nothing and reports no failure.
#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <array>
#include <chrono>
#include <cstdint>

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

  static constexpr std::chrono::milliseconds kDefaultHeaderTimeout{3000};
  static constexpr std::chrono::milliseconds kDefaultDataTimeout{3000};
  // Longest wait for the 8 header bytes of an answer and, after them, for its
  // data bytes. Negative values count as 0 (only what is already there).
  void SetTimeouts(std::chrono::milliseconds header, std::chrono::milliseconds data);
  std::chrono::milliseconds HeaderTimeout() const { return headerTimeout_; }
  std::chrono::milliseconds DataTimeout() const { return dataTimeout_; }

  std::uint8_t* Payload() { return FrameStage.data() + kHeaderSize; }
  const std::uint8_t* AnswerData() const { return RxBuf.data() + kHeaderSize; }

  // Stages a request in TxBuf. A running exchange has handed its request to
  // the transport before it first waits, so staging the next one is harmless.
  void FillTxBuf(std::uint8_t order, std::uint16_t param, std::uint16_t length);
  // Sends count bytes of TxBuf and reads the answer into RxBuf: 1 or -1.
  int DataExchange(int count);
  // The two halves of reading an answer, also used on their own for frames
  // the sensor sends unasked: 1 or -1. On a serial line call them back to
  // back: serial bytes arriving while neither runs are discarded.
  int GetHeaderFrame();
  int GetDataFrame(std::uint16_t length);
  int CheckHeaderCRC();
  // Waits, with no time limit, for a frame the sensor sends on its own
  // (automatic sending, scope results) and reads it as an answer: header
  // check, then the data within the data wait. 1: the frame is in RxBuf
  // (AnswerOrder/Param/Length set); 0: RunFlag was cleared or the program is
  // quitting before a frame began; -1: a failure was reported (a port error,
  // a lost connection, a bad frame). Frames that arrive back to back are
  // kept: the next call takes the one after.
  int GetSensorFrame() { return GetSensorFrame(state_.RunFlag); }
  // The same wait, ended by another flag (the scope's ScanActive).
  int GetSensorFrame(const std::uint16_t& running);
  // While listening, serial bytes that arrive between two frame waits are
  // kept for the next one instead of being discarded.
  void SetListening(bool on) { listening_ = on; }
  // MessageText = text, RunFlag and SensorConnected cleared, linkFailed.
  void Fail(const QString& text);
  // Switches the sensor's automatic sending off (order 30, param 0) and
  // leaves nothing of what it sent behind. The frames still under way when
  // the request goes out, cut or whole, are skipped while the answer is
  // awaited (at most the header wait); then the input is discarded. Nothing
  // is reported: true when the answer came.
  bool StopAutoSend();
  // True when the last answer carries exactly `bytes` data bytes; otherwise
  // fails with the data-frame text: a well-framed answer of another length
  // would decode whatever lies behind it in RxBuf.
  bool AnswerLengthIs(int bytes);

  // Convenience: payload copy + FillTxBuf + DataExchange (nothing is copied
  // when refused).
  int Exchange(std::uint8_t order, std::uint16_t param, const std::uint8_t* payload = nullptr,
               std::uint16_t length = 0);

  // The TCP receive callback: stores arriving bytes in RxBuf at RxCount, never
  // more than 2048 bytes in all. Runs on every readyRead of a TCP transport.
  // While an exchange or frame wait runs, or a loop listens, the bytes that do
  // not fit stay in the socket and follow as frames are taken; otherwise they
  // are dropped. An exchange discards what it did not ask for before it sends.
  void ClientTCPCB();

  // Seconds since the link was created (the platform timer).
  double Now() const { return clock_.nsecsElapsed() / 1e9; }

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

 signals:
  // Once per failure, after MessageText was set. For a failed exchange the
  // handlers run before it returns, so an exchange started from one is refused.
  void linkFailed();
  // A request went out and its answer is awaited: a good moment for work
  // that would otherwise delay the next request (the screen update of GO).
  void requestWritten();

 private:
  // True (with a warning naming `call`) when an exchange or frame wait runs.
  bool RefusedWhileBusy(const char* call) const;
  int RunExchange(int count);
  int ReadHeaderFrame();
  int ReadDataFrame(std::uint16_t length);
  void OnReadyRead();
  void OnServerClosed();
  void OnDeviceLost();
  // Waits until enough bytes are there (serial queue or TCP RxCount), the
  // link is lost, the deadline passes or the program quits.
  bool WaitForBytes(int needed, std::chrono::milliseconds timeout);
  // TCP: moves bytes waiting in the socket into the room left in RxBuf (they
  // do not announce themselves again); returns RxCount.
  int PullTcp();
  // Drops what was received and not taken (both lines) and, on the serial
  // line, what was not yet sent.
  void DiscardReceived();

  SharedState& state_;
  Transport* transport_ = nullptr;
  QElapsedTimer clock_;
  std::chrono::milliseconds headerTimeout_ = kDefaultHeaderTimeout;
  std::chrono::milliseconds dataTimeout_ = kDefaultDataTimeout;
  // From the first to the last step of an exchange or frame wait. An answer
  // may start arriving while its request is still being written, so this
  // covers the whole DataExchange; serial input outside it is discarded.
  bool busy_ = false;
  bool waiting_ = false;       // a read wait runs (a lost device is then its timeout)
  bool lossReported_ = false;  // the loss of the link was reported by its own handler
  bool listening_ = false;
  // TCP: bytes at the start of RxBuf that the last answer or sensor frame
  // took; the next sensor-frame wait moves what follows them to the front.
  int consumed_ = 0;
};

}  // namespace trivolux
