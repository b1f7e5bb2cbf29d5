#pragma once
// RS-232 through QSerialPort: 8N1, no handshake, rate from the baud-rate
// table. Open errors map onto the RS-232 code table (SerialErrorText).
#include <QSerialPort>
#include <QSerialPortInfo>

#include "link/frame.h"
#include "link/transport.h"

namespace trivolux {

struct SharedState;

// Baud-rate index 0..7 -> 9600 .. 921600 bit/s; any other index -> 115200.
qint32 BaudRateForIndex(int index);

// COM port number -> device name. Linux: 1..99 -> /dev/ttyS<n-1>,
// 101..199 -> /dev/ttyUSB<n-101>, 201..299 -> /dev/ttyACM<n-201>,
// from 1000 -> /dev/pts/<n-1000> (pseudo-terminals, e.g. the simulator's).
// Windows: COM<n>. Empty for a number outside these ranges.
QString ComPortDeviceName(int comPort);
// The inverse, for listing the ports the system reports; -1 when the name
// has no COM number (e.g. /dev/ttyS150, beyond the ttyS range).
int ComPortNumberForDevice(const QString& deviceName);
// The name a reported port goes by: "COM3" on Windows, the device path elsewhere.
QString SystemPortName(const QSerialPortInfo& info);

// Text of an RS-232 open error code ("RS-232 error!" for unknown codes).
QString SerialErrorText(int code);

namespace serial_error {
constexpr int kUnknownSystem = -1;
constexpr int kInvalidPort = -2;
constexpr int kNotOpen = -3;
constexpr int kIo = -4;
constexpr int kNoPort = -6;
constexpr int kCannotOpen = -7;
constexpr int kInvalidBaudrate = -14;
constexpr int kTimeout = -99;
}  // namespace serial_error

class SerialTransport : public Transport {
  Q_OBJECT
 public:
  // Bytes the port keeps before it stops reading the device (the rest waits
  // in the driver). One whole answer, 8 header + up to 2040 data bytes, fits,
  // so the header wait never leaves part of an answer to the driver's queue,
  // which overflows unnoticed without handshake, and the data wait (at most
  // 2040 bytes once the header was taken) can always be met. The exchange
  // never needs more than one answer queued: more is only stale input. Frames
  // the sensor sends on its own wait in the driver beyond the bound and come
  // in as the reader takes the ones before them (Read resumes reading).
  static constexpr qint64 kReadBufferSize = static_cast<qint64>(kRxBufSize);

  explicit SerialTransport(const SharedState& state, QObject* parent = nullptr);
  ~SerialTransport() override;

  // Settings used by the next Open. A device name, when set, is opened instead
  // of the COM port number's device (a path without a COM number, such as a
  // symbolic link to a pseudo-terminal).
  void SetPort(int comPort) { comPort_ = comPort; }
  void SetDeviceName(const QString& device) { deviceName_ = device; }
  void SetBaudIndex(int index) { baudIndex_ = index; }
  int Port() const { return comPort_; }
  int BaudIndex() const { return baudIndex_; }
  QString DeviceName() const { return port_.portName(); }
  qint32 CurrentBaudRate() const { return port_.baudRate(); }

  TransportKind Kind() const override { return TransportKind::Serial; }
  int Open() override;
  void Close() override;
  bool IsOpen() const override { return port_.isOpen(); }
  qint64 Write(const std::uint8_t* data, qint64 count, int timeoutMs) override;
  qint64 BytesAvailable() const override { return port_.isOpen() ? port_.bytesAvailable() : 0; }
  qint64 Read(std::uint8_t* into, qint64 max) override;
  int ErrorStatus() const override { return status_; }
  void FlushQueues() override;
  void DiscardInput() override;
  QString ErrorText(int code) const override { return SerialErrorText(code); }

  // Maps a QSerialPort open failure onto the RS-232 code table.
  static int OpenErrorCode(QSerialPort::SerialPortError error);

 private:
  void OnError(QSerialPort::SerialPortError error);
  // A port that stopped reading at the read-buffer bound starts again only
  // when told to: after a clear() and after a read that took part of the
  // queue. Without this, bytes the driver still holds would never come in.
  void ResumeReading();

  const SharedState& state_;
  QSerialPort port_;
  int comPort_ = 1;
  QString deviceName_;
  int baudIndex_ = 4;
  int status_ = 0;     // accumulated line errors since the last flush
  bool lost_ = false;  // the device went away; cleared by the next Open
};

}  // namespace trivolux
