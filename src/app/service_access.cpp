#include "app/service_access.h"

#include <QMouseEvent>

#include "app/scope_app.h"

namespace trivolux {

ServiceAccess::ServiceAccess(ScopeApp& app) : QObject(&app), app_(app) {
  app_.calibrationPage().ui.DecoCalibrate1->installEventFilter(this);
  // The decoration's title label passes its mouse events on to the decoration.
  app_.calibrationPage().ui.LabelWhiteCalibration->installEventFilter(this);
  connect(app_.passwordPanel().ui.StrEnterPW, &QLineEdit::returnPressed, this,
          &ServiceAccess::CBF_StringEnterPW);
  connect(app_.offsetPage().ui.ButtonCloseOffsetCompensation, &QPushButton::clicked, this,
          &ServiceAccess::CBF_ButtonCloseOffsetCompensation);
  app_.passwordPanel().setWindowModality(Qt::ApplicationModal);
}

void ServiceAccess::OpenPasswordPopup() {
  PasswordPanel& panel = app_.passwordPanel();
  panel.ui.StrEnterPW->Clear();
  panel.show();
  panel.raise();
  panel.activateWindow();
  panel.ui.StrEnterPW->setFocus();
}

void ServiceAccess::CBF_StringEnterPW() {
  PasswordPanel& panel = app_.passwordPanel();
  if (panel.ui.StrEnterPW->Value() == QLatin1String(kPassword)) {
    QTabWidget* tab = app_.mainPanel().ui.TabMain;
    tab->setTabVisible(MainPanel::kOffsetPage, true);
    tab->setCurrentIndex(MainPanel::kOffsetPage);
    panel.hide();
    return;
  }
  app_.popups().Message(QStringLiteral("ATTENTION!"), QStringLiteral("Wrong password. \nPlease try again."));
  panel.ui.StrEnterPW->Clear();
}

void ServiceAccess::CBF_ButtonCloseOffsetCompensation() {
  QTabWidget* tab = app_.mainPanel().ui.TabMain;
  tab->setTabVisible(MainPanel::kOffsetPage, false);
  tab->setCurrentIndex(MainPanel::kParameterPage);
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
