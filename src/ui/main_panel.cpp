#include "ui/main_panel.h"

#include <QCloseEvent>
#include <QMouseEvent>
#include <QStyle>
#include <QTabBar>

#include "ui/side_tabs.h"

namespace trivolux {

MainPanel::MainPanel(QWidget* parent) : QWidget(parent) {
  ui.setupUi(this);
  // The tab bar overlaps the page frame by the style's base overlap.
  const int overlap = style()->pixelMetric(QStyle::PM_TabBarBaseOverlap, nullptr, ui.TabMain);
  UseSideTabs(ui.TabMain, kTabColumnWidth + overlap);
  ui.LeftColumn->setFixedWidth(kPageAreaWidth + ui.TabMain->tabBar()->sizeHint().width() - overlap);
  resize(kDefaultWidth, kDefaultHeight);
}

void MainPanel::closeEvent(QCloseEvent* event) {
  emit closeRequested();
  event->accept();
}

void MainPanel::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() == Qt::RightButton) {
    emit rightDoubleClicked();
    event->accept();
    return;
  }
  QWidget::mouseDoubleClickEvent(event);
}

}  // namespace trivolux
