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

  // A dot in SEND's top right corner; the caption stays as it is.
  unsentMarker_ = new QLabel(QStringLiteral("\u25CF"), ui.ButtonSend);
  unsentMarker_->setObjectName(QStringLiteral("MarkUnsent"));
  unsentMarker_->setStyleSheet(QStringLiteral("color: #FF8000; background: transparent;"));
  unsentMarker_->setToolTip(QStringLiteral("Parameter or teach table changes not sent or saved"));
  unsentMarker_->adjustSize();
  unsentMarker_->hide();
  ui.ButtonSend->installEventFilter(this);
}

void MainPanel::ShowUnsentEdits(bool pending) {
  setWindowModified(pending);
  unsentMarker_->setVisible(pending);
  PlaceUnsentMarker();
  ui.ButtonSend->setAccessibleDescription(pending ? unsentMarker_->toolTip() : QString());
}

bool MainPanel::UnsentEditsShown() const {
  return !unsentMarker_->isHidden();
}

void MainPanel::PlaceUnsentMarker() {
  unsentMarker_->move(ui.ButtonSend->width() - unsentMarker_->width() - 3, 1);
}

bool MainPanel::eventFilter(QObject* watched, QEvent* event) {
  if (watched == ui.ButtonSend && event->type() == QEvent::Resize) PlaceUnsentMarker();
  return QWidget::eventFilter(watched, event);
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
