// The pseudo-terminal link (Unix only: Windows has no pseudo-terminals; a
// serial port pair stands in for one there).
#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <QFile>
#include <QSocketNotifier>
#include <QTimer>
#include <cerrno>

#include "sim/links.h"

namespace trivolux::sim {

PtyLink::PtyLink(QObject* parent) : Link(parent) {}

PtyLink::~PtyLink() {
  if (!symlink_.isEmpty()) QFile::remove(symlink_);
  delete readNotifier_;
  delete writeNotifier_;
  if (master_ >= 0) ::close(master_);
  if (slave_ >= 0) ::close(slave_);
}

QString PtyLink::Open() {
  if (master_ >= 0) return path_;
  char name[256] = {};
  if (::openpty(&master_, &slave_, name, nullptr, nullptr) != 0) {
    master_ = slave_ = -1;
    return {};
  }
  termios tio{};
  if (::tcgetattr(slave_, &tio) == 0) {
    ::cfmakeraw(&tio);
    ::tcsetattr(slave_, TCSANOW, &tio);
  }
  ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);
  path_ = QString::fromLocal8Bit(name);
  readNotifier_ = new QSocketNotifier(master_, QSocketNotifier::Read);
  connect(readNotifier_, &QSocketNotifier::activated, this, [this] { OnReadable(); });
  writeNotifier_ = new QSocketNotifier(master_, QSocketNotifier::Write);
  writeNotifier_->setEnabled(false);
  connect(writeNotifier_, &QSocketNotifier::activated, this, [this] { Flush(); });
  return path_;
}

bool PtyLink::MakeSymlink(const QString& linkPath) {
  if (path_.isEmpty()) return false;
  QFile::remove(linkPath);  // a stale link from an earlier run
  if (!QFile::link(path_, linkPath)) return false;
  symlink_ = linkPath;
  return true;
}

void PtyLink::OnReadable() {
  char buf[4096];
  for (;;) {
    const ssize_t n = ::read(master_, buf, sizeof buf);
    if (n > 0) {
      emit received(QByteArray(buf, static_cast<int>(n)));
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    // EAGAIN: drained. EIO cannot happen while our own slave descriptor is
    // open; should it anyway, the notifier is paused briefly instead of firing
    // in a tight loop.
    if (n < 0 && errno == EIO) {
      readNotifier_->setEnabled(false);
      QTimer::singleShot(100, this, [this] { readNotifier_->setEnabled(true); });
    }
    return;
  }
}

void PtyLink::Write(const QByteArray& bytes) {
  if (master_ < 0) return;
  pending_.append(bytes);
  Flush();
}

void PtyLink::Flush() {
  while (!pending_.isEmpty()) {
    const ssize_t n = ::write(master_, pending_.constData(), static_cast<std::size_t>(pending_.size()));
    if (n > 0) {
      pending_.remove(0, static_cast<int>(n));
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    break;  // EAGAIN: the terminal's buffer is full; wait until it drains
  }
  writeNotifier_->setEnabled(!pending_.isEmpty());
}

}  // namespace trivolux::sim
