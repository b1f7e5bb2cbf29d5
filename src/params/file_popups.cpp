#include "params/file_popups.h"

#include <QElapsedTimer>
#include <QFileInfo>

#include "base/feedback_texts.h"
#include "ini/ini_text.h"
#include "params/parameter_file.h"
#include "ui/panels.h"
#include "ui/popups.h"

namespace trivolux {

QString SelectFileOrSay(Popups& popups, const FileRequest& request) {
  QString path;
  const FileSelect chosen = popups.SelectFile(request, &path);
  if (chosen == FileSelect::None || (!request.save && chosen != FileSelect::Existing) || path.isEmpty()) {
    popups.Message("ATTENTION!", "No file was selected!");
    return QString();
  }
  return path;
}

bool ConfirmFileHeader(Popups& popups, const IniText& ini, const char* fileType, const char* kind) {
  const ParameterFileHeader header = ReadParameterFileHeader(ini);
  const QString notType = QStringLiteral("Selected file is not a %1 file! \nDo you want to proceed anyway?");
  bool proceed =
      header.fileType == fileType || popups.Confirm("ATTENTION!", notType.arg(QLatin1String(kind)));
  if (proceed && !header.VersionMatches())
    proceed = popups.Confirm(
        "ATTENTION!", "Selected file and scope version do not match! \nDo you want to proceed anyway?");
  if (!proceed) popups.Message("ATTENTION!", "No parameter where read!");
  return proceed;
}

bool SaveFileReported(Panels& panels, Popups& popups, const IniText& ini, const QString& path,
                      const QString& what, const QElapsedTimer& clock, const char* kind) {
  const bool written = ini.WriteToFile(path) >= 0;
  panels.ShowNotice(FileTransferText(what, true, path, clock.elapsed(), written));
  if (!written)
    popups.Message("ATTENTION!",
                   QStringLiteral("The %1 file could not be written:\n").arg(QLatin1String(kind)) +
                       QFileInfo(path).absoluteFilePath() +
                       "\n\nCheck that the directory exists, is writable and has free space.");
  return written;
}

}  // namespace trivolux
