#include "ui/big_group_panel.h"

#include "ui/mnemonics.h"

namespace trivolux {

BigGroupPanel::BigGroupPanel(QWidget* parent) : BigDisplay(parent) {
  ui.setupUi(this);
  AssignMnemonics(this);
  InstallRightClickClose();
}

}  // namespace trivolux
