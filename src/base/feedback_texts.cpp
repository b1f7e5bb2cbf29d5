#include "base/feedback_texts.h"

#include <QDir>
#include <QFileInfo>

namespace trivolux {

QString FileTransferText(const QString& what, bool towards, const QString& path, qint64 ms, bool ok) {
  TransferNotice n;
  n.what = what;
  n.towards = towards;
  n.where = QStringLiteral("file ") + QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
  n.ms = ms;
  n.ok = ok;
  return TransferNoticeText(n);
}

QString TransferNoticeText(const TransferNotice& notice) {
  QString text = notice.what;
  if (notice.paraSet >= 0) text += QStringLiteral(" ParaSet %1").arg(notice.paraSet);
  if (!notice.values.isEmpty()) text += QLatin1Char(' ') + notice.values;
  if (!notice.where.isEmpty())
    text += (notice.towards ? QStringLiteral(" to ") : QStringLiteral(" from ")) + notice.where;
  text += notice.ok ? QStringLiteral(": done in %1 ms").arg(notice.ms)
                    : QStringLiteral(": FAILED after %1 ms").arg(notice.ms);
  if (notice.defaulted == 0) {
    text += QStringLiteral(", sensor: all values plausible");
  } else if (notice.defaulted > 0) {
    text += QStringLiteral(", sensor: %1 %2 failed the plausibility check and set to default")
                .arg(notice.defaulted)
                .arg(notice.defaulted == 1 ? QStringLiteral("value") : QStringLiteral("values"));
  }
  return text;
}

QString DimReason(const DimFacts& facts) {
  // The running operation explains itself first: it is what the user waits for.
  if (facts.scanActive) return QStringLiteral("a scan is running");
  if (facts.runFlag)
    return facts.transferKept ? QStringLiteral("GO is running") : QStringLiteral("a recording is running");
  if (facts.offline) return QStringLiteral("offline, no sensor");
  if (!facts.sensorConnected) return QStringLiteral("not connected");
  if (facts.connectPage) return QStringLiteral("the connection settings need a new TRY TO CONNECT");
  return QStringLiteral("a sensor operation is running");
}

}  // namespace trivolux
