#include "app/screenshots.h"

#include <QApplication>
#include <QDir>
#include <QTabBar>

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
