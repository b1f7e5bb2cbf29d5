// The scope report of the assembled program (real panels, offscreen platform)
// after a scan against the simulator as its own process: the time to record
// the panel's picture (drawing commands, graphs included), to print the report on a PDF printer (the PRINT
// path after the dialog) and to write it with SAVE PDF, each 20 times (target: under 1 s for picture plus
// output). Usage: bench_scope_report
#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QPrinter>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include "app/scope_app.h"
#include "app_fixture.h"
#include "params/panel_access.h"
#include "scope/scope_controller.h"
#include "scope/scope_report_controller.h"
#include "sim_process.h"
#include "ui/panels.h"

namespace {

void Time(const char* what, const std::function<void()>& run) {
  std::vector<double> ms;
  for (int i = 0; i < 20; ++i) {
    QElapsedTimer t;
    t.start();
    run();
    ms.push_back(t.nsecsElapsed() / 1e6);
  }
  std::sort(ms.begin(), ms.end());
  std::printf("%-40s min %7.1f ms  median %7.1f ms  max %7.1f ms\n", what, ms.front(), ms[ms.size() / 2],
              ms.back());
}

}  // namespace

int main(int argc, char** argv) {
  using namespace trivolux;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  bench::SimProcess sim({"--tcp", "127.0.0.1:0", "--trigger-period", "20"});
  test::AppFixture f;
  f.StartTcp(sim.port());
  auto& sp = f.panels().scopePage().ui;
  SetRingValue(sp.RingTriggerMode, 1);
  if (f.app().scope().GetScopeData() != 1) {
    std::printf("scan failed\n");
    return 1;
  }
  f.panels().connectPage().ui.StrID->setText("LINE 4 / STATION 2");
  sp.TextScopeComment->setPlainText("Rising edge on blue.\nCursors 32 samples apart.");
  ScopeReportController& reports = f.app().scopeReport();
  QTemporaryDir dir;
  const QString printed = dir.filePath("printed.pdf");
  const QString saved = dir.filePath("saved.pdf");

  ScopeReport report;
  Time("panel picture (CollectReport)", [&] { report = reports.CollectReport(); });
  bool ok = true;
  Time("print on a PDF printer (1200 dpi)", [&] {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(printed);
    QString error;
    ok = PaintScopeReport(printer, report, &error) && ok;
  });
  Time("SAVE PDF (WriteScopeReportPdf)", [&] {
    QString error;
    ok = WriteScopeReportPdf(report, saved, &error) && ok;
  });
  Time("picture + SAVE PDF", [&] {
    QString error;
    ok = WriteScopeReportPdf(reports.CollectReport(), saved, &error) && ok;
  });
  std::printf("panel %dx%d px, printed %lld bytes, saved %lld bytes, all written: %s\n",
              report.panelSize.width(), report.panelSize.height(),
              static_cast<long long>(QFileInfo(printed).size()),
              static_cast<long long>(QFileInfo(saved).size()), ok ? "yes" : "NO");
  return ok ? 0 : 1;
}
