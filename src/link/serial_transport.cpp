#include "link/serial_transport.h"

#include <QRegularExpression>

#include "base/event_wait.h"
#include "base/shared_state.h"

namespace trivolux {

qint32 BaudRateForIndex(int index) {
  static constexpr qint32 kRates[] = {9600, 19200, 38400, 57600, 115200, 230400, 460800, 921600};
  if (index < 0 || index > 7) return 115200;
  return kRates[index];
}

QString ComPortDeviceName(int comPort) {
#ifdef Q_OS_WIN
  return comPort >= 1 ? QStringLiteral("COM%1").arg(comPort) : QString();
#else
  if (comPort >= 1 && comPort <= 99) return QStringLiteral("/dev/ttyS%1").arg(comPort - 1);
  if (comPort >= 101 && comPort <= 199) return QStringLiteral("/dev/ttyUSB%1").arg(comPort - 101);
  if (comPort >= 201 && comPort <= 299) return QStringLiteral("/dev/ttyACM%1").arg(comPort - 201);
  if (comPort >= 1000) return QStringLiteral("/dev/pts/%1").arg(comPort - 1000);
  return QString();
#endif
}

int ComPortNumberForDevice(const QString& deviceName) {
  static const QRegularExpression kPattern(
      QStringLiteral("^(?:/dev/)?(ttyS|ttyUSB|ttyACM|pts/|COM)(\\d{1,6})$"));
  const auto m = kPattern.match(deviceName);
  if (!m.hasMatch()) return -1;
  const int n = m.captured(2).toInt();
  const QString kind = m.captured(1);
  int number = -1;
  if (kind == QLatin1String("ttyS") && n <= 98) number = n + 1;
  if (kind == QLatin1String("ttyUSB") && n <= 98) number = n + 101;
  if (kind == QLatin1String("ttyACM") && n <= 98) number = n + 201;
  if (kind == QLatin1String("pts/")) number = n + 1000;
  if (kind == QLatin1String("COM") && n >= 1) number = n;
  return number;
}

QString SystemPortName(const QSerialPortInfo& info) {
#ifdef Q_OS_WIN
  return info.portName();
#else
  return info.systemLocation();
#endif
}

QString SerialErrorText(int code) {
  switch (code) {
    case -1:
      return QStringLiteral("Unknown system error");
    case -2:
      return QStringLiteral("Invalid port number");
    case -3:
      return QStringLiteral("Port is not open");
    case -4:
      return QStringLiteral("Unknown I/0 error");
    case -6:
      return QStringLiteral("No serial port found");
    case -7:
      return QStringLiteral("Cannot open port");
    case -14:
      return QStringLiteral("Invalid Baudrate");
    case -99:
      return QStringLiteral("Timeout");
    default:
      return QStringLiteral("RS-232 error!");
  }
}

int SerialTransport::OpenErrorCode(QSerialPort::SerialPortError error) {
  switch (error) {
    case QSerialPort::DeviceNotFoundError:
      return serial_error::kNoPort;
    case QSerialPort::PermissionError:  // in use by another program, or no access
    case QSerialPort::OpenError:
      return serial_error::kCannotOpen;
    case QSerialPort::UnsupportedOperationError:
      return serial_error::kInvalidBaudrate;
    case QSerialPort::ResourceError:
    case QSerialPort::ReadError:
    case QSerialPort::WriteError:
      return serial_error::kIo;
    case QSerialPort::TimeoutError:
      return serial_error::kTimeout;
    case QSerialPort::NotOpenError:
      return serial_error::kNotOpen;
    default:
      return serial_error::kUnknownSystem;
  }
}

SerialTransport::SerialTransport(const SharedState& state, QObject* parent)
    : Transport(parent), state_(state) {
  connect(&port_, &QSerialPort::readyRead, this, &Transport::readyRead);
  connect(&port_, &QSerialPort::errorOccurred, this, &SerialTransport::OnError);
}

SerialTransport::~SerialTransport() {
  Close();
}

int SerialTransport::Open() {
  Close();
  lost_ = false;
  status_ = 0;
  const QString name = deviceName_.isEmpty() ? ComPortDeviceName(comPort_) : deviceName_;
  if (name.isEmpty()) return serial_error::kInvalidPort;
  // Every setting is applied again on each open: a reopen after a baud-rate
  // change must not inherit anything from the previous session.
  port_.setPortName(name);
  port_.setBaudRate(BaudRateForIndex(baudIndex_));
  port_.setDataBits(QSerialPort::Data8);
  port_.setParity(QSerialPort::NoParity);
  port_.setStopBits(QSerialPort::OneStop);
  port_.setFlowControl(QSerialPort::NoFlowControl);
  port_.setReadBufferSize(kReadBufferSize);
  if (!port_.open(QIODevice::ReadWrite)) {
    const int code = OpenErrorCode(port_.error());
    port_.clearError();
    return code;
  }
  if (port_.baudRate() != BaudRateForIndex(baudIndex_)) {
    port_.close();
    return serial_error::kInvalidBaudrate;
  }
  port_.clear(QSerialPort::AllDirections);
  port_.clearError();
  status_ = 0;
  return 0;
}

void SerialTransport::Close() {
  if (port_.isOpen()) port_.close();
  port_.clearError();
}

qint64 SerialTransport::Write(const std::uint8_t* data, qint64 count, int timeoutMs) {
  if (!port_.isOpen()) return -1;
  const qint64 queued = port_.write(reinterpret_cast<const char*>(data), count);
  if (queued != count) return -1;
  port_.flush();
  if (port_.bytesToWrite() > 0) {
    const auto r = WaitUntil(
        state_, [this] { return !port_.isOpen() || port_.bytesToWrite() == 0; }, QDeadlineTimer(timeoutMs));
    if (r != WaitResult::Done || !port_.isOpen()) return -1;
  }
  return queued;
}

qint64 SerialTransport::Read(std::uint8_t* into, qint64 max) {
  if (!port_.isOpen() || max <= 0) return 0;
  const qint64 got = port_.read(reinterpret_cast<char*>(into), max);
  ResumeReading();
  return got;
}

void SerialTransport::FlushQueues() {
  if (port_.isOpen()) {
    port_.clear(QSerialPort::AllDirections);
    ResumeReading();
  }
  if (!lost_) status_ = 0;
}

void SerialTransport::DiscardInput() {
  if (!port_.isOpen()) return;
  port_.clear(QSerialPort::Input);
  ResumeReading();
}

void SerialTransport::ResumeReading() {
  // Setting the bound again lets the port read the device again; a read that
  // leaves bytes in the queue does not.
  port_.setReadBufferSize(kReadBufferSize);
}

void SerialTransport::OnError(QSerialPort::SerialPortError error) {
  if (error == QSerialPort::NoError || !port_.isOpen()) return;
  status_ = static_cast<int>(error);
  // ReadError is what a closed peer (end of file on a pseudo-terminal) gives;
  // left open, the port would report it on every notification.
  const bool gone = error == QSerialPort::ResourceError || error == QSerialPort::PermissionError ||
                    error == QSerialPort::ReadError;
  if (!gone || lost_) return;
  // The device went away: close at once so the notifier cannot report the
  // same failure again and again, and tell the link once.
  lost_ = true;
  port_.close();
  emit deviceLost();
}

}  // namespace trivolux
