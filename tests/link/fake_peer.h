#pragma once
// A scripted TCP peer for link tests: accepts one client, collects its
// requests (header + announced payload) and answers each with the next
// scripted reply, optionally in pieces. Runs on the test's event loop.
#include <QByteArray>
#include <QTcpServer>
#include <QTcpSocket>
#include <deque>
#include <vector>

namespace trivolux::test {

struct Reply {
  QByteArray bytes;
  int pieces = 1;       // sent in this many parts
  int pauseMs = 0;      // between the parts
  bool close = false;   // close the connection instead of answering
  bool silent = false;  // do not answer at all
};

class FakePeer : public QObject {
  Q_OBJECT
 public:
  FakePeer();
  quint16 Port() const { return server_.serverPort(); }
  void Enqueue(Reply reply) { replies_.push_back(std::move(reply)); }
  // Sends raw bytes to the client now.
  void Push(const QByteArray& bytes);
  void CloseClient();
  bool HasClient() const { return client_ != nullptr; }

  std::vector<QByteArray> requests;

 private:
  void OnData();
  void Send(const Reply& reply);

  QTcpServer server_;
  QTcpSocket* client_ = nullptr;
  QByteArray pending_;
  std::deque<Reply> replies_;
};

// Moves the first complete request (header + announced payload) out of
// pending into *request; false while pending holds no complete one.
bool TakeRequest(QByteArray& pending, QByteArray* request);

// An answer frame: header for (order, param, data) followed by the data.
QByteArray AnswerFrame(std::uint8_t order, std::uint16_t param, const QByteArray& data = {});

// A QCoreApplication for GoogleTest suites that need an event loop.
void EnsureCoreApp();

}  // namespace trivolux::test
