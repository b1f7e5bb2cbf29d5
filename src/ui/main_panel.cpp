#include "ui/main_panel.h"

#include <QCloseEvent>
#include <QMouseEvent>

namespace trivolux {

MainPanel::MainPanel(QWidget* parent) : QWidget(parent) {
  ui.setupUi(this);
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
