#include "record/record_viewer.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "base/shared_state.h"
#include "live/graph_panel_curves.h"
#include "ui/graph_panel.h"
#include "ui/panels.h"
#include "ui/popups.h"

namespace trivolux {

namespace {
// Between two steps of a long read, curve or write the window repaints and
// the link is served; user input waits until the step's operation is done,
// so nothing else starts meanwhile.
void KeepPainting() {
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}
}  // namespace

RecordViewer::RecordViewer(Panels& panels, SharedState& state, Popups& popups, GraphPanelCurves& curves,
                           QObject* parent)
    : QObject(parent), panels_(panels), state_(state), popups_(popups), curves_(curves) {
  auto& r = panels_.recordPage().ui;
  connect(r.ButtonOpenRecFile, &QPushButton::clicked, this, &RecordViewer::OpenRecordFile);
  connect(r.ButtonExportCsv, &QPushButton::clicked, this, &RecordViewer::ExportCsv);
}

void RecordViewer::OpenRecordFile() {
  auto& r = panels_.recordPage().ui;
  const QString start = shown_.isEmpty() ? r.DispRecFile->text() : shown_;
  const FileRequest request{QFileInfo(start).absolutePath(), QStringLiteral("RecordFile.dat"),
                            QStringLiteral("*.dat"), QStringLiteral("OPEN RECORD FILE"), false};
  QString path;
  if (popups_.SelectFile(request, &path) == FileSelect::None || path.isEmpty()) return;
  r.ButtonOpenRecFile->setEnabled(false);
  r.ButtonExportCsv->setEnabled(false);
  RecordData data;
  const bool read = Read(path, &data);
  if (state_.QuitRequested) return;
  r.ButtonOpenRecFile->setEnabled(true);
  if (read) Show(path, std::move(data));
  r.DispViewInfo->setText(Summary());
  r.ButtonExportCsv->setEnabled(data_.lines() > 0);
  if (read && data_.truncated)
    popups_.Message(QStringLiteral("ATTENTION!"), QStringLiteral("Only the first %1 lines of\n%2\nare shown.")
                                                      .arg(data_.lines())
                                                      .arg(QDir::toNativeSeparators(path)));
}

bool RecordViewer::Read(const QString& path, RecordData* data) {
  QLabel* info = panels_.recordPage().ui.DispViewInfo;
  RecordReader reader;
  QString error;
  RecordReader::Step step = reader.Open(path, &error) ? RecordReader::Step::More : RecordReader::Step::Failed;
  while (step == RecordReader::Step::More) {
    step = reader.ReadBlock(&error);
    info->setText(QStringLiteral("Reading %1 %").arg(qRound(reader.Progress() * 100)));
    KeepPainting();
    if (state_.QuitRequested) return false;
  }
  if (step == RecordReader::Step::Failed) {
    popups_.Message(QStringLiteral("ATTENTION!"), QStringLiteral("The record file could not be read:\n%1\n%2")
                                                      .arg(QDir::toNativeSeparators(path), error));
    return false;
  }
  *data = reader.TakeData();
  return true;
}

void RecordViewer::Show(const QString& path, RecordData data) {
  data_ = std::move(data);
  shown_ = path;
  panels_.recordPage().ui.DispViewFile->setText(QDir::toNativeSeparators(path));
  std::array<const std::int16_t*, GraphPanel::kSignals> columns{};
  for (int s = 0; s < GraphPanel::kSignals; ++s)
    columns[static_cast<std::size_t>(s)] = data_.values[static_cast<std::size_t>(SignalWord(s))].data();
  curves_.ShowTimeCurves(data_.seconds, data_.sorted, columns, [] { KeepPainting(); });
  panels_.ShowChildPanelDisp(&panels_.graphPanel());
}

QString RecordViewer::Summary() const {
  if (shown_.isEmpty()) return {};
  if (data_.lines() == 0) return QStringLiteral("No data lines.");
  const auto [first, last] = std::minmax_element(data_.seconds.begin(), data_.seconds.end());
  // Line breaks of its own: the page does not widen for a long summary.
  QString text = QStringLiteral("%1 lines over %2 s\nfrom %3")
                     .arg(data_.lines())
                     .arg(static_cast<qint64>(*last - *first))
                     .arg(QString::fromLatin1(IsoDateTime(data_.startSeconds)));
  if (data_.skipped > 0)
    text +=
        QStringLiteral("\n%1 lines skipped, the first is line %2").arg(data_.skipped).arg(data_.firstSkipped);
  return text;
}

void RecordViewer::ExportCsv() {
  if (data_.lines() == 0) return;
  const QFileInfo shown(shown_);
  const FileRequest request{shown.absolutePath(), shown.completeBaseName() + QStringLiteral(".csv"),
                            QStringLiteral("*.csv"), QStringLiteral("EXPORT CSV"), true};
  QString path;
  const FileSelect result = popups_.SelectFile(request, &path);
  if (result == FileSelect::None || path.isEmpty()) return;
  if ((result == FileSelect::Existing || QFileInfo::exists(path)) &&
      !popups_.Confirm(QStringLiteral("ATTENTION!"),
                       QStringLiteral("File already exist! \nDo you want to replace it?")))
    return;
  QString error;
  QLabel* info = panels_.recordPage().ui.DispViewInfo;
  if (!WriteRecordCsv(data_, path, &error, [] { KeepPainting(); })) {
    popups_.Message(QStringLiteral("ATTENTION!"), QStringLiteral("The CSV file could not be written:\n%1\n%2")
                                                      .arg(QDir::toNativeSeparators(path), error));
    return;
  }
  info->setText(Summary() +
                QStringLiteral("\nSaved as %1 (%2 rows)").arg(QFileInfo(path).fileName()).arg(data_.lines()));
}

}  // namespace trivolux
