#pragma once
// Base of the two big displays (top-level windows showing the detected colour
// number or colour group in large characters): a right mouse press anywhere on
// the window, children included, hides it, and no context menu opens.
#include <QWidget>

namespace trivolux {

class BigDisplay : public QWidget {
  Q_OBJECT
 public:
  using QWidget::QWidget;

 protected:
  // Call after setupUi so the children exist.
  void InstallRightClickClose();
  bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace trivolux
