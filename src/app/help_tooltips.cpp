#include "app/help_tooltips.h"

#include <QEvent>
#include <QTabBar>
#include <QTabWidget>

#include "base/feedback_texts.h"
#include "base/help_catalogue.h"
#include "base/shared_state.h"
#include "link/link_controller.h"
#include "ui/panels.h"

namespace trivolux {

namespace {

// The widget that shows a control's tool tip: a tab control's tab bar.
QWidget* TipWidget(QWidget* control) {
  if (auto* tabs = qobject_cast<QTabWidget*>(control)) return tabs->tabBar();
  return control;
}

QString HelpText(const QWidget* control) {
  const HelpEntry* entry = FindHelp(control->property("cbf").toString());
  return entry ? QString::fromUtf8(entry->text) : QString();
}

}  // namespace

HelpTooltips::HelpTooltips(Panels& panels, const SharedState& state, const LinkController& link,
                           QObject* parent)
    : QObject(parent), panels_(panels), state_(state), link_(link) {
  for (QWidget* root : QWidgetList{&panels_.mainPanel(), &panels_.bigColourPanel(), &panels_.bigGroupPanel(),
                                   &panels_.passwordPanel()})
    Install(root);
  const Ui::ConnectPage& c = panels_.connectPage().ui;
  connectPage_ = {c.ButtonTryToConnect, c.ButtonDisconnect,     c.ButtonAccept,
                  c.RingBaudrate,       c.ButtonChangeBaudrate, c.ButtonGenHwInfoFile};
  for (QWidget* w : panels_.DimmedControls(0, 1)) operations_.insert(w);
  operations_.unite(connectPage_);
  for (QWidget* w : operations_) w->installEventFilter(this);
}

void HelpTooltips::Install(QWidget* root) {
  QList<QWidget*> controls = root->findChildren<QWidget*>();
  controls.prepend(root);
  for (QWidget* control : controls) {
    const QString text = HelpText(control);
    if (!text.isEmpty()) TipWidget(control)->setToolTip(text);
  }
}

QString HelpTooltips::ToolTipFor(QWidget* control) const {
  const QString help = HelpText(control);
  if (control->isEnabled() || !operations_.contains(control)) return help;
  DimFacts facts;
  facts.scanActive = state_.ScanActive != 0;
  facts.runFlag = state_.RunFlag != 0;
  // GO keeps SEND and GET usable; the other loops dim them too.
  facts.transferKept = panels_.mainPanel().ui.ButtonSend->isEnabled();
  facts.sensorConnected = state_.SensorConnected == 1;
  facts.offline = link_.State == LinkState::Offline;
  facts.connectPage = connectPage_.contains(control);
  const QString reason = QStringLiteral("Dimmed: ") + DimReason(facts) + QLatin1Char('.');
  return help.isEmpty() ? reason : help + QStringLiteral("\n\n") + reason;
}

bool HelpTooltips::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::ToolTip) {
    auto* control = static_cast<QWidget*>(watched);
    control->setToolTip(ToolTipFor(control));
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace trivolux
