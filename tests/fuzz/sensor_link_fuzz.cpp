// The program's own receive path: SensorLink exchanges and sensor-frame
// waits over a transport that delivers arbitrary bytes as the answers. The
// first byte picks the line (bit 0: serial or TCP); then each record is an
// operation byte (bit 0: a frame the sensor sent on its own instead of an
// exchange; bit 1: the request cannot be written; bit 2: the line is closed),
// a 16-bit length and that many answer bytes. Every call
// either succeeds with a frame that passed its checks, or reports exactly one
// failure with a text; a sensor-frame wait that finds no frame reports none.
#include <QCoreApplication>
#include <QString>
#include <algorithm>
#include <vector>

#include "base/shared_state.h"
#include "fuzz_targets.h"
#include "link/crc8.h"
#include "link/frame.h"
#include "link/sensor_link.h"
#include "link/transport.h"

namespace trivolux::fuzz {

namespace {

// Answers arrive when a request is written (TCP: at once through readyRead,
// as the socket would hand them; serial: into the port's queue).
class ScriptedTransport : public Transport {
 public:
  explicit ScriptedTransport(TransportKind kind) : kind_(kind) {}
  TransportKind Kind() const override { return kind_; }
  int Open() override {
    open_ = true;
    return 0;
  }
  void Close() override { open_ = false; }
  bool IsOpen() const override { return open_; }
  qint64 Write(const std::uint8_t*, qint64 count, int) override {
    if (failWrites_) return -1;
    Arrive();
    return count;
  }
  qint64 BytesAvailable() const override { return static_cast<qint64>(input_.size()); }
  qint64 Read(std::uint8_t* into, qint64 max) override {
    const auto n = static_cast<std::size_t>(std::clamp<qint64>(max, 0, BytesAvailable()));
    std::copy(input_.begin(), input_.begin() + static_cast<std::ptrdiff_t>(n), into);
    input_.erase(input_.begin(), input_.begin() + static_cast<std::ptrdiff_t>(n));
    return static_cast<qint64>(n);
  }
  int ErrorStatus() const override { return 0; }
  void FlushQueues() override { input_.clear(); }
  void DiscardInput() override { input_.clear(); }
  QString ErrorText(int) const override { return {}; }

  // The bytes of the next answer; they arrive with the next request, or at
  // once for a frame the sensor sends on its own.
  void Next(std::vector<std::uint8_t> bytes) { next_ = std::move(bytes); }
  void FailWrites(bool on) { failWrites_ = on; }
  void Arrive() {
    input_.insert(input_.end(), next_.begin(), next_.end());
    next_.clear();
    if (kind_ == TransportKind::Tcp) emit readyRead();
  }

 private:
  TransportKind kind_;
  bool open_ = false;
  bool failWrites_ = false;
  std::vector<std::uint8_t> input_, next_;
};

}  // namespace

void SensorLinkInput(const std::uint8_t* data, std::size_t size) {
  static int argc = 1;
  static char name[] = "sensor_link_fuzz";
  static char* argv[] = {name, nullptr};
  static QCoreApplication* app = QCoreApplication::instance() ? nullptr : new QCoreApplication(argc, argv);
  (void)app;
  if (size == 0) return;
  SharedState state;
  ScriptedTransport transport((data[0] & 1) ? TransportKind::Serial : TransportKind::Tcp);
  transport.Open();
  SensorLink link(state);
  link.SetTransport(&transport);
  link.SetTimeouts(std::chrono::milliseconds(0), std::chrono::milliseconds(0));
  int failures = 0;
  QObject::connect(&link, &SensorLink::linkFailed, [&] { ++failures; });
  const std::uint16_t stopped = 0;
  std::size_t at = 1;
  while (at + 3 <= size) {
    const std::uint8_t op = data[at];
    const std::size_t length = std::min<std::size_t>(ReadU16(data + at + 1), size - at - 3);
    transport.Next(std::vector<std::uint8_t>(data + at + 3, data + at + 3 + length));
    at += 3 + length;
    const int before = failures;
    state.RunFlag = 1;
    transport.FailWrites(op & 2);
    if (op & 4) transport.Close();
    int result = 0;
    if (op & 1) {
      // A frame the sensor sent on its own, already there (the wait ends at once).
      transport.Arrive();
      result = link.GetSensorFrame(stopped);
    } else {
      result = link.Exchange(8, 0);
    }
    Require(link.RxCount >= 0 && link.RxCount <= static_cast<int>(kRxBufSize), "RxCount outside RxBuf");
    if (result == 1) {
      Require(failures == before, "a failure reported for a good frame");
      Require(ParseHeader(link.RxBuf.data()).has_value(), "frame taken with a bad header");
      Require(link.AnswerLength <= kMaxAnswerData, "frame longer than RxBuf taken");
      Require(link.AnswerLength == 0 || Crc8(link.AnswerData(), link.AnswerLength) == link.AnswerDataCrc,
              "frame taken with a bad data CRC");
    } else if (result == 0) {
      Require(failures == before, "a failure reported while no frame had begun");
    } else {
      Require(failures == before + 1, "a failure reported not exactly once");
      Require(!link.MessageText.isEmpty(), "a failure without a text");
      Require(state.RunFlag == 0 && state.SensorConnected == 0, "a failure left the loop running");
    }
    transport.Open();
  }
}

}  // namespace trivolux::fuzz
