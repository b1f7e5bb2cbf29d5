#include "app/service_access.h"

#include <QMouseEvent>

#include "ui/panels.h"
#include "ui/popups.h"

namespace trivolux {

ServiceAccess::ServiceAccess(Panels& panels, Popups& popups, QObject* parent)
    : QObject(parent), panels_(panels), popups_(popups) {
  panels_.calibrationPage().ui.DecoCalibrate1->installEventFilter(this);
  // The decoration's title label passes its mouse events on to the decoration.
  panels_.calibrationPage().ui.LabelWhiteCalibration->installEventFilter(this);
  connect(panels_.passwordPanel().ui.StrEnterPW, &QLineEdit::returnPressed, this,
          &ServiceAccess::CBF_StringEnterPW);
  connect(panels_.offsetPage().ui.ButtonCloseOffsetCompensation, &QPushButton::clicked, this,
          &ServiceAccess::CBF_ButtonCloseOffsetCompensation);
  panels_.passwordPanel().setWindowModality(Qt::ApplicationModal);
}

void ServiceAccess::OpenPasswordPopup() {
  PasswordPanel& panel = panels_.passwordPanel();
  panel.ui.StrEnterPW->Clear();
  panel.show();
  panel.raise();
  panel.activateWindow();
  panel.ui.StrEnterPW->setFocus();
}

void ServiceAccess::CBF_StringEnterPW() {
  PasswordPanel& panel = panels_.passwordPanel();
  if (panel.ui.StrEnterPW->Value() == QLatin1String(kPassword)) {
    panels_.mainPanel().ui.TabMain->setTabVisible(MainPanel::kOffsetPage, true);
    panels_.ShowMainPage(MainPanel::kOffsetPage);
    panel.hide();
    return;
  }
  popups_.Message(QStringLiteral("ATTENTION!"), QStringLiteral("Wrong password. \nPlease try again."));
  panel.ui.StrEnterPW->Clear();
}

void ServiceAccess::CBF_ButtonCloseOffsetCompensation() {
  panels_.mainPanel().ui.TabMain->setTabVisible(MainPanel::kOffsetPage, false);
  panels_.ShowMainPage(MainPanel::kParameterPage);
}

bool ServiceAccess::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonDblClick &&
      static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
    OpenPasswordPopup();
    return true;
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace trivolux
