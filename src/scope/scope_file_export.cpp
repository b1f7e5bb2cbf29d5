#include "scope/scope_file_export.h"

#include <QDir>
#include <QFileInfo>

#include "base/atomic_file.h"
#include "ui/popups.h"

namespace trivolux {

QString ChooseFileToWrite(Popups& popups, const QString& directory, const QString& defaultName,
                          const QString& suffix, const QString& title) {
  const FileRequest request{directory, defaultName, QStringLiteral("*.") + suffix, title, true};
  QString path;
  if (popups.SelectFile(request, &path) == FileSelect::None || path.isEmpty()) return QString();
  if (QFileInfo(path).suffix().compare(suffix, Qt::CaseInsensitive) != 0) path += QLatin1Char('.') + suffix;
  if (QFileInfo::exists(path) &&
      !popups.Confirm(
          QStringLiteral("ATTENTION!"),
          QStringLiteral("The file\n%1\nalready exists. Overwrite it?").arg(QDir::toNativeSeparators(path))))
    return QString();
  return path;
}

bool ExportScopeCsv(Popups& popups, const QByteArray& csv, const QString& defaultName, QString* directory) {
  const QString path =
      ChooseFileToWrite(popups, *directory, defaultName, QStringLiteral("csv"), QStringLiteral("EXPORT CSV"));
  if (path.isEmpty()) return false;
  *directory = QFileInfo(path).absolutePath();
  AtomicFile file(path, QStringLiteral(".scope_csv_"));
  if (!file.Open() || !file.Write(csv) || !file.Commit()) {
    popups.Message(QStringLiteral("ATTENTION!"),
                   QStringLiteral("The scan could not be exported to\n%1\n%2")
                       .arg(QDir::toNativeSeparators(path), file.errorString()));
    return false;
  }
  popups.Message(QStringLiteral("Info!"),
                 QStringLiteral("The scan has been exported to\n%1").arg(QDir::toNativeSeparators(path)));
  return true;
}

}  // namespace trivolux
