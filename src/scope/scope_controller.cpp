#include "scope/scope_controller.h"

#include <QPushButton>

#include "base/shared_state.h"
#include "ui/panels.h"

namespace trivolux {

ScopeController::ScopeController(Panels& panels, SharedState& state, QObject* parent)
    : QObject(parent), panels_(panels), state_(state) {
  connect(&panels_, &Panels::mainTabChanged, this, &ScopeController::OnMainTabChanged);
  connect(panels_.scopeGraphPanel().ui.ButtonCloseSP, &QPushButton::clicked, this,
          &ScopeController::CBF_ButtonCloseSP);
}

void ScopeController::OnMainTabChanged(int index) {
  if (index != MainPanel::kScopePage) return;
  state_.RunFlag = 0;
  panels_.ShowChildPanelDisp(&panels_.scopeGraphPanel());
}

void ScopeController::CBF_ButtonCloseSP() {
  panels_.ShowChildPanelDisp(&panels_.dataPanel());
}

}  // namespace trivolux
