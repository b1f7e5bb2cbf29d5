#pragma once
// Why a serial device cannot be opened, in words a user can act on. A
// refused open (QSerialPort's PermissionError) has two causes: the user has
// no read/write access to the device (on Linux: not in the group that owns
// it, usually "dialout"), or another program holds it. The device's owner
// group is read from the device itself.
#include <QString>

namespace trivolux {

struct SerialAccess {
  bool denied = false;           // this process may not read and write the device
  QString group;                 // the device's owner group (name, or number when unnamed)
  bool joinedNotActive = false;  // the user is listed in that group, but this login predates it
};

// The device's access for this process (effective user and groups).
// Outside Unix: never denied.
SerialAccess CheckSerialAccess(const QString& device);

// The lines the connection failure adds after a refused open of device:
// which device and what to do. Empty when the device does not exist.
QString SerialPermissionDetail(const QString& device);

}  // namespace trivolux
