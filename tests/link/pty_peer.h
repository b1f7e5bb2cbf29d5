#pragma once
// A scripted peer on the master side of a pseudo-terminal, for the serial
// path: the transport opens the slave side as COM 1000 + n. Collects the
// requests, answers each with the next scripted reply and can flood the line
// with a repeated pattern, written as fast as the terminal takes it while the
// test's event loop runs.
#include <QByteArray>
#include <QObject>
#include <deque>
#include <vector>

class QSocketNotifier;

namespace trivolux::test {

class PtyPeer : public QObject {
  Q_OBJECT
 public:
  PtyPeer();
  ~PtyPeer() override;

  // COM number of the slave side; -1 when no pseudo-terminal could be opened.
  int ComPort() const { return comPort_; }
  void Enqueue(const QByteArray& reply) { replies_.push_back(reply); }
  // Writes `total` bytes made of `pattern` repeated (answers queued meanwhile
  // go first). A new call replaces what is left of the previous flood.
  void Flood(const QByteArray& pattern, qint64 total);
  void StopFlood();
  qint64 Flooded() const { return flooded_; }
  // The peer's own descriptor of the slave side: readable exactly when the
  // transport's descriptor is (one terminal, one input queue).
  int SlaveDescriptor() const { return slave_; }

  std::vector<QByteArray> requests;

 private:
  void OnReadable();
  void OnWritable();

  int master_ = -1;
  int slave_ = -1;  // kept open so the master never sees a hang-up
  int comPort_ = -1;
  QSocketNotifier* reader_ = nullptr;
  QSocketNotifier* writer_ = nullptr;
  QByteArray pending_;  // start of a request not yet complete
  QByteArray out_;      // answer bytes not yet taken by the terminal
  std::deque<QByteArray> replies_;
  QByteArray floodChunk_;  // whole patterns, about 64 KiB
  qint64 floodLeft_ = 0;
  qint64 floodOffset_ = 0;  // position within floodChunk_
  qint64 flooded_ = 0;
};

}  // namespace trivolux::test
