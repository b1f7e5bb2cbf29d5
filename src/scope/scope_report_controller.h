#pragma once
// The scope report: PRINT puts the scope graph panel's picture with the
// sensor identification and the user's comment on a printer chosen in the
// print dialog; SAVE PDF writes the same report into a PDF file chosen in a
// file dialog. The picture is taken when the button is pressed.
#include <QObject>
#include <QString>

#include "scope/scope_report.h"

class QIODevice;
class QPrinter;

namespace trivolux {

class Panels;
class Popups;

class ScopeReportController : public QObject {
  Q_OBJECT
 public:
  ScopeReportController(Panels& panels, Popups& popups, QObject* parent = nullptr);

  // The report as the page shows it now.
  ScopeReport CollectReport();
  void PrintScopeGraph();
  // Returns true when the file was written.
  bool SaveScopePdf();

  // Where the next SAVE PDF dialog starts: the directory of the last saved
  // report, at first the user's documents directory.
  QString pdfDirectory;

 public slots:
  void CBF_ButtonPrintScopeGraph();
  void CBF_ButtonSaveScopePdf();

 private:
  Panels& panels_;
  Popups& popups_;
};

// Writes the report into a PDF file; the file appears complete or not at all.
bool WriteScopeReportPdf(const ScopeReport& report, const QString& path, QString* error);
// True when pdf (open for reading) holds a whole PDF: its header first and
// its end-of-file marker last.
bool CompletePdf(QIODevice& pdf);
// True when a printout that painted without error also arrived whole: the
// printer reports no error and a file it printed into is complete.
bool PrintedCompletely(QPrinter& printer);

}  // namespace trivolux
