#include <QDir>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>

#include "app/scope_app.h"
#include "app/screenshots.h"
#include "base/shared_state.h"
#include "calib/calib_controller.h"
#include "live/live_controller.h"
#include "params/panel_access.h"
#include "params/param_controller.h"
#include "qcustomplot.h"
#include "record/record_controller.h"
#include "scope/scope_controller.h"
#include "scope/scope_report_controller.h"
#include "teach/mean_teach_controller.h"
#include "teach/rec_teach_controller.h"
#include "ui/panels.h"
#include "ui/point_cloud.h"

namespace trivolux {

int SaveTeachScreenshots(ScopeApp& app, const QString& dir) {
  if (app.state().SensorConnected != 1 || !QDir().mkpath(dir)) return 0;
  Panels& panels = app.panels();
  auto& t = panels.teachPage().ui;
  int written = 0;
  auto shoot = [&](const QString& name) {
    app.live().FlushDisplays();
    app.recTeach().replots().Flush();
    written += SaveWidgetPng(panels.mainPanel(), QDir(dir).filePath(name)) ? 1 : 0;
  };
  panels.ShowMainPage(MainPanel::kTeachPage);
  // Back to CALCULATION MODE 0 (the live pictures end in mode 2); the GO
  // of the mean-value teach sends the set.
  SetRingValue(panels.parameterPage().ui.RingCalcMode, 0);
  app.params().rules().CBF_EditCalcmode();
  app.state().SendPending = 1;
  // Row colours follow the measured colour, so the taught rows show it.
  SetRingValue(panels.tableAttrPage().ui.RingSetColor, 1);

  // Mean-value teach: five captures a little apart while GO runs, then TEACH into row 1.
  int step = 0;
  QTimer script;
  QObject::connect(&script, &QTimer::timeout, [&] {
    if (step < 5) {
      app.meanTeach().CaptureFrame();
    } else {
      t.NumNo->setValue(1);
      panels.meanTeachPanel().ui.ButtonTP1Teach->click();
      shoot("teach_mean_values.png");
      panels.meanTeachPanel().ui.ButtonCloseTeachPanel->click();
    }
    ++step;
  });
  script.start(400);
  t.ButtonTeachMeanVal->click();  // runs GO until CLOSE
  script.stop();

  // TEACH DATA TO of the last frame into row 2, shown on the teach page.
  t.NumNo->setValue(2);
  t.ButtonTeachDataTo->click();
  shoot("teach_page.png");

  // Recorded-value teach: two seconds of the simulator's drifting colour,
  // then the cursor on the middle point.
  t.ButtonTeachRecVal->click();
  QTimer::singleShot(2000, [&] { app.state().RunFlag = 0; });
  panels.recTeachPanel().ui.ButtonTP2Start->click();
  const RecordedPoints& points = app.recTeach().points();
  const int middle = points.Count() / 2;
  panels.recTeachPanel().SetCursor(0, middle, QPointF(points[middle].v[0], points[middle].v[1]));
  app.recTeach().SetCursorTP2(0);
  shoot("teach_recorded_values.png");
  panels.recTeachPanel().ui.ButtonCloseTeachPanel->click();

  panels.ShowMainPage(MainPanel::kTableAttrPage);
  shoot("teach_table_attributes.png");
  return written;
}

int SaveRecordScreenshots(ScopeApp& app, const QString& dir) {
  if (app.state().SensorConnected != 1 || !QDir().mkpath(dir)) return 0;
  Panels& panels = app.panels();
  auto& r = panels.recordPage().ui;
  int written = 0;
  panels.ShowMainPage(MainPanel::kRecordPage);
  const char* names[] = {"record_mode_0_fixed_count.png", "record_mode_1_continuous.png",
                         "record_mode_2_manual.png", "record_mode_3_triggered.png"};
  for (int mode : {1, 2, 3, 0}) {
    SetRingValue(r.RingRecordMode, mode);
    written += SaveWidgetPng(panels.mainPanel(), QDir(dir).filePath(names[mode])) ? 1 : 0;
  }
  // The graph panel while 40 values are recorded four a second (into a file
  // that is thrown away); the picture is taken after 30.
  QTemporaryDir files;
  const QString shown = r.DispRecFile->text();
  r.DispRecFile->setText(files.filePath(QStringLiteral("RecordFile.dat")));
  r.NumInterval->setValue(0.25);
  r.NumRecVal->setValue(40);
  panels.ShowChildPanelDisp(&panels.graphPanel());
  app.live().graphPanel().InitPanelGraph(app.live().record());
  QTimer shot;
  shot.setSingleShot(true);
  QObject::connect(&shot, &QTimer::timeout, [&] {
    app.live().FlushDisplays();
    app.live().graphs().replots().Flush();
    written += SaveWidgetPng(panels.mainPanel(), QDir(dir).filePath("record_graph_panel.png")) ? 1 : 0;
  });
  shot.start(30 * 250);
  app.recorder().RecordFrame();
  r.DispRecFile->setText(shown);
  panels.ShowChildPanelDisp(&panels.dataPanel());
  return written;
}

int SaveCalibScreenshots(ScopeApp& app, OfflinePopups& popups, const QString& dir) {
  if (app.state().SensorConnected != 1 || !QDir().mkpath(dir)) return 0;
  Panels& panels = app.panels();
  auto& cal = panels.calibrationPage().ui;
  int written = 0;
  panels.ShowMainPage(MainPanel::kCalibrationPage);
  // A calculation to a set value near what the target gives now, then one
  // second of the GO that follows it.
  app.calib().GetCF();
  const MeasurementRecord& r = app.live().record();
  cal.NumSetValue->setValue(
      std::max({int(r[MeasurementRecord::kRawRed]), int(r[MeasurementRecord::kRawGreen]),
                int(r[MeasurementRecord::kRawBlue]), 1000}));
  cal.NumMaxDelta->setValue(4000);
  popups.answerYes = true;
  QTimer::singleShot(1000, [&] { app.state().RunFlag = 0; });
  cal.ButtonCalcCF->click();
  popups.answerYes = false;
  written += SaveWidgetPng(panels.mainPanel(), QDir(dir).filePath("calib_calibration_page.png")) ? 1 : 0;

  panels.mainPanel().ui.TabMain->setTabVisible(MainPanel::kOffsetPage, true);
  panels.ShowMainPage(MainPanel::kOffsetPage);
  panels.offsetPage().ui.ButtonGetOffset->click();
  written += SaveWidgetPng(panels.mainPanel(), QDir(dir).filePath("calib_offset_page.png")) ? 1 : 0;
  panels.offsetPage().ui.ButtonCloseOffsetCompensation->click();
  return written;
}

int SaveScopeScreenshots(ScopeApp& app, const QString& dir) {
  if (app.state().SensorConnected != 1 || !QDir().mkpath(dir)) return 0;
  Panels& panels = app.panels();
  auto& sp = panels.scopePage().ui;
  panels.ShowMainPage(MainPanel::kScopePage);
  sp.ButtonGetCycleTime->click();
  SetRingValue(sp.RingTriggerMode, 1);
  sp.NumPreTrigVal->setValue(20);
  sp.NumScanRate->setValue(2);
  sp.ButtonScan->click();  // returns when the simulator's four blocks are plotted
  ScopeGraphPanel& graph = panels.scopeGraphPanel();
  graph.cursor1->position->setCoords(20, 2000);
  graph.cursor2->position->setCoords(52, 3100);
  app.scope().calcScopDeltaXY();
  graph.ui.GraphScope->replot();
  sp.TextScopeComment->setPlainText(
      QStringLiteral("Rising edge on blue, pre-trigger 20, scan rate 2.\nCursors 32 samples apart."));
  panels.connectPage().ui.StrID->setText(QStringLiteral("LINE 4 / STATION 2"));
  int saved = SaveWidgetPng(panels.mainPanel(), QDir(dir).filePath("scope_after_scan.png")) ? 1 : 0;
  // The report as SAVE PDF writes it; scripts/screenshot renders its first
  // page to a PNG.
  QString error;
  saved +=
      WriteScopeReportPdf(app.scopeReport().CollectReport(), QDir(dir).filePath("scope_report.pdf"), &error);
  return saved;
}

}  // namespace trivolux
