#include "ui/big_display.h"

#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>

namespace trivolux {

void BigDisplay::InstallRightClickClose() {
  installEventFilter(this);
  setContextMenuPolicy(Qt::NoContextMenu);
  for (QWidget* child : findChildren<QWidget*>()) {
    child->installEventFilter(this);
    child->setContextMenuPolicy(Qt::NoContextMenu);
  }
}

bool BigDisplay::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
      if (static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
        hide();
        return true;
      }
      break;
    case QEvent::ContextMenu:
      return true;
    case QEvent::KeyPress:
      // The keyboard closes it too.
      if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        hide();
        return true;
      }
      break;
    default:
      break;
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace trivolux
