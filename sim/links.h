#pragma once
// The simulator's two ways to the program: a TCP connection and a
// pseudo-terminal standing in for the RS-232 line.
#include <QByteArray>
#include <QObject>
#include <QString>

class QSocketNotifier;
class QTcpSocket;

namespace trivolux::sim {

class Link : public QObject {
  Q_OBJECT
 public:
  using QObject::QObject;
  virtual void Write(const QByteArray& bytes) = 0;
  // Bytes written but not yet taken by the peer's side (the kernel buffers
  // excluded): what a peer that does not read leaves in our memory.
  virtual qsizetype Pending() const = 0;
  // Ends the connection (TCP). A pseudo-terminal cannot be hung up from the
  // sensor side; it stays open.
  virtual void Close() = 0;
  virtual bool IsTcp() const = 0;

 signals:
  void received(const QByteArray& bytes);
  void closed();
};

class TcpLink : public Link {
  Q_OBJECT
 public:
  explicit TcpLink(QTcpSocket* socket, QObject* parent = nullptr);
  ~TcpLink() override;
  void Write(const QByteArray& bytes) override;
  qsizetype Pending() const override;
  void Close() override;
  bool IsTcp() const override { return true; }

 private:
  QTcpSocket* socket_;
};

// The master side of a pseudo-terminal in raw mode. The simulator keeps a
// slave descriptor open itself, so the master never sees EIO (and never a
// storm of read notifications) while no program has the device open.
class PtyLink : public Link {
  Q_OBJECT
 public:
  explicit PtyLink(QObject* parent = nullptr);
  ~PtyLink() override;
  // The slave device path, empty on failure.
  QString Open();
  QString Path() const { return path_; }
  bool MakeSymlink(const QString& linkPath);
  void Write(const QByteArray& bytes) override;
  qsizetype Pending() const override { return pending_.size(); }
  void Close() override {}
  bool IsTcp() const override { return false; }

 private:
  void OnReadable();
  void Flush();

  int master_ = -1;
  int slave_ = -1;
  QString path_;
  QString symlink_;
  QSocketNotifier* readNotifier_ = nullptr;
  QSocketNotifier* writeNotifier_ = nullptr;
  QByteArray pending_;
};

}  // namespace trivolux::sim
