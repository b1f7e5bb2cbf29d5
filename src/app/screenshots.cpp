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
#include "ui/panels.h"

namespace trivolux {

bool SaveWidgetPng(QWidget& w, const QString& path) {
  QCoreApplication::processEvents();
  return w.grab().save(path, "PNG");
}

namespace {

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
    written += SaveWidgetPng(main, QDir(dir).filePath(name)) ? 1 : 0;
  }
  tab->setTabVisible(MainPanel::kOffsetPage, false);
  tab->setCurrentIndex(MainPanel::kParameterPage);

  QWidget* children[] = {&panels.dataPanel(), &panels.graphPanel(), &panels.meanTeachPanel(),
                         &panels.recTeachPanel(), &panels.scopeGraphPanel()};
  for (QWidget* child : children) {
    panels.ShowChildPanelDisp(child);
    const QString name = QString("child_%1.png").arg(FileStem(child->objectName()));
    written += SaveWidgetPng(main, QDir(dir).filePath(name)) ? 1 : 0;
  }
  panels.ShowChildPanelDisp(&panels.dataPanel());

  QWidget* popups[] = {&panels.bigColourPanel(), &panels.bigGroupPanel(), &panels.passwordPanel()};
  for (QWidget* popup : popups) {
    popup->show();
    const QString name = QString("popup_%1.png").arg(FileStem(popup->objectName()));
    written += SaveWidgetPng(*popup, QDir(dir).filePath(name)) ? 1 : 0;
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
    written += SaveWidgetPng(w, QDir(dir).filePath(name)) ? 1 : 0;
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

}  // namespace trivolux
