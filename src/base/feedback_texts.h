#pragma once
// Texts of the program's running feedback: the one-line confirmation a
// finished transfer leaves in the status strip, and the reason a dimmed
// operation button gives in its tool tip. Widget-free, so the wording is
// tested without panels.
#include <QString>
#include <QtGlobal>

namespace trivolux {

// A finished (or failed) transfer between the panels and the sensor or a file.
struct TransferNotice {
  QString what;         // "SEND", "GET", "SEND CF", "SAVE table attributes", ...
  int paraSet = -1;     // 0 or 1; -1 when the transfer carries no parameter set
  bool towards = true;  // true: "to" where; false: "from" where
  QString where;        // "RAM", "EEPROM", "sensor" or a file path
  QString values;       // what was written, when short ("1024 1024 1024"); may be empty
  qint64 ms = 0;        // duration, from the button to the last answer or the closed file
  bool ok = true;
  // The sensor's plausibility answer: how many values it reset to their
  // defaults; -1 when the transfer brings no such answer.
  int defaulted = -1;
};

// "SEND ParaSet 0 to EEPROM: done in 84 ms, sensor: all values plausible".
QString TransferNoticeText(const TransferNotice& notice);
// The line of a transfer with a file: "SEND to file /home/u/Parameter.ini:
// done in 3 ms" (the absolute path as the system writes it).
QString FileTransferText(const QString& what, bool towards, const QString& path, qint64 ms, bool ok);

// What the program is doing while the operation buttons are dimmed.
struct DimFacts {
  bool scanActive = false;    // the scope waits for its scan
  bool runFlag = false;       // GO, a recording or a capture loop runs
  bool transferKept = false;  // SEND and GET stayed usable: the loop is GO
  bool sensorConnected = false;
  bool offline = false;      // DISCONNECT or the OFFLINE answer, no TRY TO CONNECT since
  bool connectPage = false;  // the button is one of the connect page's own
};

// Why a dimmed operation button is dimmed, for its tool tip ("GO is running").
QString DimReason(const DimFacts& facts);

}  // namespace trivolux
