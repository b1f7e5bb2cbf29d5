#pragma once
// The one small interface both transports offer to the exchange. Serial data
// stay in the port's bounded input queue until the reader takes them (between
// exchanges the link discards them as they arrive); TCP data are taken by the
// link's receive callback on readyRead (see SensorLink).
#include <QObject>
#include <QString>
#include <cstdint>

namespace trivolux {

enum class TransportKind { Serial, Tcp };

class Transport : public QObject {
  Q_OBJECT
 public:
  using QObject::QObject;
  ~Transport() override = default;

  virtual TransportKind Kind() const = 0;
  // Opens (serial) or connects (TCP) with the settings given beforehand.
  // Returns 0 or a negative code of the transport's error table.
  virtual int Open() = 0;
  // Harmless when not open.
  virtual void Close() = 0;
  virtual bool IsOpen() const = 0;
  // Queues count bytes; returns the number queued or -1. Waits at most
  // timeoutMs (on the event loop) for the bytes to leave.
  virtual qint64 Write(const std::uint8_t* data, qint64 count, int timeoutMs) = 0;
  virtual qint64 BytesAvailable() const = 0;
  virtual qint64 Read(std::uint8_t* into, qint64 max) = 0;
  // Error status of the line (ComStatus): 0 when none.
  virtual int ErrorStatus() const = 0;
  // Discards received and not yet sent bytes.
  virtual void FlushQueues() = 0;
  // Discards received bytes only; sending goes on.
  virtual void DiscardInput() = 0;
  // Text of a code returned by Open.
  virtual QString ErrorText(int code) const = 0;

 signals:
  void readyRead();
  // TCP: the server closed the connection.
  void disconnected();
  // Serial: the device went away (adapter removed, peer closed); the port
  // has been closed already and this is emitted once per loss.
  void deviceLost();
};

}  // namespace trivolux
