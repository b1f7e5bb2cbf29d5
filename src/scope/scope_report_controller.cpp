#include "scope/scope_report_controller.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLayout>
#include <QLocale>
#include <QPdfWriter>
#include <QPrinter>
#include <QPushButton>
#include <QSaveFile>
#include <QStandardPaths>

#include "base/version.h"
#include "ui/panels.h"
#include "ui/popups.h"

namespace trivolux {

ScopeReportController::ScopeReportController(Panels& panels, Popups& popups, QObject* parent)
    : QObject(parent), panels_(panels), popups_(popups) {
  pdfDirectory = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  if (pdfDirectory.isEmpty()) pdfDirectory = QDir::homePath();
  const Ui::ScopePage& sp = panels_.scopePage().ui;
  connect(sp.ButtonPrintScopeGraph, &QPushButton::clicked, this,
          &ScopeReportController::CBF_ButtonPrintScopeGraph);
  connect(sp.ButtonSaveScopePdf, &QPushButton::clicked, this, &ScopeReportController::CBF_ButtonSaveScopePdf);
}

void ScopeReportController::CBF_ButtonPrintScopeGraph() {
  PrintScopeGraph();
}

void ScopeReportController::CBF_ButtonSaveScopePdf() {
  SaveScopePdf();
}

ScopeReport ScopeReportController::CollectReport() {
  ScopeReport report;
  report.lines = ScopeReportLines(QString::fromLatin1(kProgramTitle), panels_.connectPage().ui.StrID->text(),
                                  panels_.scopePage().ui.TextScopeComment->toPlainText());
  // The whole panel at its own size, straight into memory. A panel that was
  // never shown gets its layout first.
  QWidget& panel = panels_.scopeGraphPanel();
  panel.ensurePolished();
  if (panel.layout()) panel.layout()->activate();
  report.panel = panel.grab().toImage().convertToFormat(QImage::Format_RGB32);
  report.printedAt = QDateTime::currentDateTime();
  return report;
}

void ScopeReportController::PrintScopeGraph() {
  const ScopeReport report = CollectReport();
  QPrinter printer(QPrinter::HighResolution);
  if (!popups_.ChoosePrinter(printer)) return;  // cancelled: nothing printed, nothing said
  QString error;
  const bool ok = PaintScopeReport(printer, report, &error) && PrintedCompletely(printer);
  popups_.Message(QStringLiteral("Info!"),
                  ok ? QStringLiteral("Print successful!") : QStringLiteral("Print error "));
}

bool ScopeReportController::SaveScopePdf() {
  const ScopeReport report = CollectReport();
  const QString name = report.printedAt.toString(QStringLiteral("'Scope_'yyyy-MM-dd_HH-mm-ss'.pdf'"));
  const FileRequest request{pdfDirectory, name, QStringLiteral("*.pdf"), QStringLiteral("SAVE PDF"), true};
  QString path;
  if (popups_.SelectFile(request, &path) == FileSelect::None || path.isEmpty()) return false;
  if (QFileInfo(path).suffix().compare(QLatin1String("pdf"), Qt::CaseInsensitive) != 0)
    path += QStringLiteral(".pdf");
  if (QFileInfo::exists(path) &&
      !popups_.Confirm(
          QStringLiteral("ATTENTION!"),
          QStringLiteral("The file\n%1\nalready exists. Overwrite it?").arg(QDir::toNativeSeparators(path))))
    return false;
  pdfDirectory = QFileInfo(path).absolutePath();
  QString error;
  if (!WriteScopeReportPdf(report, path, &error)) {
    popups_.Message(QStringLiteral("ATTENTION!"),
                    QStringLiteral("The scope report could not be saved in\n%1\n%2")
                        .arg(QDir::toNativeSeparators(path), error));
    return false;
  }
  popups_.Message(
      QStringLiteral("Info!"),
      QStringLiteral("The scope report has been saved in\n%1").arg(QDir::toNativeSeparators(path)));
  return true;
}

bool CompletePdf(QIODevice& pdf) {
  // A writer that failed on the way (a full disk) leaves the file short of
  // its trailer; only line ends may follow the end-of-file marker.
  constexpr qint64 kTail = 64;
  const qint64 size = pdf.size();
  if (size < kTail || !pdf.seek(0) || pdf.read(5) != "%PDF-" || !pdf.seek(size - kTail)) return false;
  return pdf.read(kTail).trimmed().endsWith("%%EOF");
}

bool PrintedCompletely(QPrinter& printer) {
  if (printer.printerState() == QPrinter::Error) return false;
  const QString path = printer.outputFileName();
  if (path.isEmpty()) return true;  // handed to the print system, which reports on its own
  QFile file(path);
  if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly)) return false;
  return printer.outputFormat() == QPrinter::PdfFormat ? CompletePdf(file) : file.size() > 0;
}

bool WriteScopeReportPdf(const ScopeReport& report, const QString& path, QString* error) {
  // Made in memory first: the file gets one complete PDF or keeps what it held.
  QBuffer pdf;
  pdf.open(QIODevice::ReadWrite);
  {
    QPdfWriter writer(&pdf);
    writer.setTitle(QStringLiteral("Scope Screen Shot"));
    writer.setCreator(QString::fromLatin1(kProgramTitle));
    const bool letter = QLocale().measurementSystem() == QLocale::ImperialUSSystem;
    writer.setPageSize(QPageSize(letter ? QPageSize::Letter : QPageSize::A4));
    writer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
    if (!PaintScopeReport(writer, report, error)) return false;
  }
  if (!CompletePdf(pdf)) {
    *error = QStringLiteral("The PDF could not be finished.");
    return false;
  }
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(pdf.data()) != pdf.size() || !file.commit()) {
    *error = file.errorString();
    return false;
  }
  return true;
}

}  // namespace trivolux
