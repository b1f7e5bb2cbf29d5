#include "app/screenshots.h"

#include <QApplication>
#include <QDir>
#include <QTabBar>
#include <QTimer>

#include "app/scope_app.h"
#include "base/shared_state.h"
#include "live/live_controller.h"
#include "params/panel_access.h"
#include "params/param_controller.h"
#include "teach/colour_planes.h"
#include "teach/mean_teach_controller.h"
#include "teach/rec_teach_controller.h"
#include "ui/panels.h"

namespace trivolux {

int OfflinePopups::Generic(const QString&, const QString&, const QStringList& buttons) {
  const int offline = static_cast<int>(buttons.indexOf(QStringLiteral("OFFLINE")));
  return offline >= 0 ? offline : 0;
}

namespace {

bool Save(QWidget& w, const QString& path) {
  QCoreApplication::processEvents();
  return w.grab().save(path, "PNG");
}

QString FileStem(QString text) {
  text = text.toLower();
  QString stem;
  for (const QChar c : text) {
    if (c.isLetterOrNumber())
      stem += c;
    else if (!stem.endsWith(QLatin1Char('_')))
      stem += QLatin1Char('_');
  }
  while (stem.endsWith(QLatin1Char('_'))) stem.chop(1);
  return stem;
}

}  // namespace

int SaveScreenshots(Panels& panels, const QString& dir) {
  if (!QDir().mkpath(dir)) return -1;
  int written = 0;
  MainPanel& main = panels.mainPanel();
  QTabWidget* tab = main.ui.TabMain;
  tab->setTabVisible(MainPanel::kOffsetPage, true);
  for (int i = 0; i < tab->count(); ++i) {
    tab->setCurrentIndex(i);
    tab->tabBar()->ensurePolished();
    const QString name = QString("main_%1_%2.png").arg(i).arg(FileStem(tab->tabText(i)));
    written += Save(main, QDir(dir).filePath(name)) ? 1 : 0;
  }
  tab->setTabVisible(MainPanel::kOffsetPage, false);
  tab->setCurrentIndex(MainPanel::kParameterPage);

  QWidget* children[] = {&panels.dataPanel(), &panels.graphPanel(), &panels.meanTeachPanel(),
                         &panels.recTeachPanel(), &panels.scopeGraphPanel()};
  for (QWidget* child : children) {
    panels.ShowChildPanelDisp(child);
    const QString name = QString("child_%1.png").arg(FileStem(child->objectName()));
    written += Save(main, QDir(dir).filePath(name)) ? 1 : 0;
  }
  panels.ShowChildPanelDisp(&panels.dataPanel());

  QWidget* popups[] = {&panels.bigColourPanel(), &panels.bigGroupPanel(), &panels.passwordPanel()};
  for (QWidget* popup : popups) {
    popup->show();
    const QString name = QString("popup_%1.png").arg(FileStem(popup->objectName()));
    written += Save(*popup, QDir(dir).filePath(name)) ? 1 : 0;
    popup->hide();
  }
  return written;
}

}  // namespace trivolux

namespace trivolux {

namespace {
// Runs GO until `frames` more frames were shown, then stops.
void GoFor(ScopeApp& app, long long frames) {
  LiveController& live = app.live();
  const long long until = live.FrameCount() + frames;
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    if (live.FrameCount() >= until) app.state().RunFlag = 0;
  });
  poll.start(10);
  app.panels().mainPanel().ui.ButtonGo->click();
}
}  // namespace

int SaveLiveScreenshots(ScopeApp& app, const QString& dir) {
  if (app.state().SensorConnected != 1 || !QDir().mkpath(dir)) return 0;
  Panels& panels = app.panels();
  LiveController& live = app.live();
  panels.ShowMainPage(MainPanel::kTeachPage);
  // Teach the colour seen now into row 0, so the planes show a taught region.
  GoFor(app, 50);
  const MeasurementRecord& r = live.record();
  TeachVector& row = app.params().para().table[0];
  row[0] = static_cast<std::uint16_t>(r[MeasurementRecord::kX]);
  row[1] = static_cast<std::uint16_t>(r[MeasurementRecord::kY]);
  row[2] = 150;
  row[3] = static_cast<std::uint16_t>(r[MeasurementRecord::kInt]);
  row[4] = 300;
  app.params().SetPanelValues();

  int written = 0;
  int step = 0;
  QTimer script;
  auto shoot = [&](QWidget& w, const QString& name) {
    live.FlushDisplays();
    live.graphs().replots().Flush();
    written += Save(w, QDir(dir).filePath(name)) ? 1 : 0;
  };
  QObject::connect(&script, &QTimer::timeout, [&] {
    const char* pages[] = {"live_data_rgb.png", "live_data_xyint.png", "live_data_2d.png",
                           "live_data_3d.png"};
    if (step < 4) {
      // Each page is taken after it was shown for one tick.
      shoot(panels.mainPanel(), pages[step]);
      if (step == 2) {
        // The 3D page belongs to the 3D calculation modes: switch, and let GO send the set.
        SetRingValue(panels.parameterPage().ui.RingCalcMode, 2);
        app.params().rules().CBF_EditCalcmode();
        app.state().SendPending = 1;
      }
      if (step < 3) panels.dataPanel().ui.TabDataP1->setCurrentIndex(step + 1);
    } else if (step == 4) {
      panels.ShowChildPanelDisp(&panels.graphPanel());
    } else if (step == 5) {
      shoot(panels.mainPanel(), "live_graph_panel.png");
      panels.ShowChildPanelDisp(&panels.dataPanel());
      live.ShowBigColour();
    } else if (step == 6) {
      shoot(panels.bigColourPanel(), "live_big_colour.png");
      panels.bigColourPanel().hide();
      live.ShowBigGroup();
    } else {
      shoot(panels.bigGroupPanel(), "live_big_group.png");
      panels.bigGroupPanel().hide();
      app.state().RunFlag = 0;
    }
    ++step;
  });
  panels.dataPanel().ui.TabDataP1->setCurrentIndex(DataPanel::kPageRgb);
  script.start(1500);
  panels.mainPanel().ui.ButtonGo->click();
  return written;
}

int SaveTeachScreenshots(ScopeApp& app, const QString& dir) {
  if (app.state().SensorConnected != 1 || !QDir().mkpath(dir)) return 0;
  Panels& panels = app.panels();
  auto& t = panels.teachPage().ui;
  int written = 0;
  auto shoot = [&](const QString& name) {
    app.live().FlushDisplays();
    app.recTeach().replots().Flush();
    written += Save(panels.mainPanel(), QDir(dir).filePath(name)) ? 1 : 0;
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

}  // namespace trivolux
