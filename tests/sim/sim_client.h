#pragma once
// A raw-byte client of the simulator for tests: TCP or a pseudo-terminal,
// with frame reading on top of FrameReader. Waits run the Qt event loop
// until their condition or a deadline.
#include <QByteArray>
#include <QTcpSocket>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "link/frame_reader.h"

class QSocketNotifier;

namespace trivolux::sim::test {

using Bytes = std::vector<std::uint8_t>;

// Runs the event loop until done() or the deadline; returns done().
bool WaitUntil(const std::function<bool()>& done, int timeoutMs);

Bytes Request(std::uint8_t order, std::uint16_t param, const Bytes& payload = {});

class SimClient {
 public:
  SimClient();
  ~SimClient();
  bool ConnectTcp(quint16 port, int timeoutMs = 3000);
  bool OpenDevice(const QString& path);
  void Close();
  bool Connected() const;

  void Write(const Bytes& bytes);
  // Off: received bytes stay in the kernel, as with a peer that stopped
  // reading; the simulator's answers back up. On again: they are read.
  void SetReading(bool on);
  // The next frame event (answers may be up to 2040 data bytes).
  std::optional<FrameReader::Event> ReadEvent(int timeoutMs = 3000);
  // The next event, which must be a valid frame.
  std::optional<FrameReader::Event> ReadFrame(int timeoutMs = 3000);
  std::optional<FrameReader::Event> Exchange(std::uint8_t order, std::uint16_t param,
                                             const Bytes& payload = {}, int timeoutMs = 3000);
  // Raw bytes received and not yet turned into events.
  std::size_t PendingBytes() const { return reader_.Pending(); }
  int Chunks() const { return chunks_; }
  bool WasDisconnected() const { return disconnected_; }
  // Every byte received so far.
  const QByteArray& Received() const { return received_; }

 private:
  void OnBytes(const QByteArray& b);
  std::unique_ptr<QTcpSocket> socket_;
  int fd_ = -1;
  std::unique_ptr<QSocketNotifier> notifier_;
  FrameReader reader_;
  std::vector<FrameReader::Event> events_;
  int chunks_ = 0;
  bool reading_ = true;
  bool disconnected_ = false;
  QByteArray received_;
};

}  // namespace trivolux::sim::test
