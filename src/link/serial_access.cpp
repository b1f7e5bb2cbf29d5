#include "link/serial_access.h"

#include <QFileInfo>
#include <cerrno>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace trivolux {

namespace {

QString UserName() {
#ifdef Q_OS_UNIX
  if (const passwd* pw = ::getpwuid(::geteuid())) return QString::fromLocal8Bit(pw->pw_name);
#endif
  return qEnvironmentVariable("USER", QStringLiteral("$USER"));
}

}  // namespace

SerialAccess CheckSerialAccess(const QString& device) {
  SerialAccess access;
#ifdef Q_OS_UNIX
  const QByteArray path = QFile::encodeName(device);
  struct stat st {};
  if (::stat(path.constData(), &st) != 0) return access;
  // The effective ids decide what open() may do (a set-uid start or a test
  // that lowered its rights), not the real ones that plain access() checks.
  access.denied = ::faccessat(AT_FDCWD, path.constData(), R_OK | W_OK, AT_EACCESS) != 0 && errno == EACCES;
  const group* gr = ::getgrgid(st.st_gid);
  access.group = gr ? QString::fromLocal8Bit(gr->gr_name) : QString::number(st.st_gid);
  if (access.denied && gr) {
    const QByteArray user = UserName().toLocal8Bit();
    for (char** member = gr->gr_mem; member && *member; ++member)
      if (user == *member) access.joinedNotActive = true;
  }
#else
  Q_UNUSED(device);
#endif
  return access;
}

QString SerialPermissionDetail(const QString& device) {
  if (!QFileInfo::exists(device)) return QString();
  const SerialAccess access = CheckSerialAccess(device);
  QString text = QStringLiteral("DEVICE: %1\n").arg(device);
  if (!access.denied)
    return text + QStringLiteral("The device is in use by another program: close it there and try again.");
  if (access.joinedNotActive)
    return text + QStringLiteral(
                      "The user is a member of the group \"%1\" that owns the device, but this login\n"
                      "started before: log out and in again.")
                      .arg(access.group);
  return text + QStringLiteral(
                    "No access: the user must be a member of the group \"%1\" that owns the device:\n"
                    "sudo adduser %2 %1\n"
                    "then log out and in again.")
                    .arg(access.group, UserName());
}

}  // namespace trivolux
