#include "ui/big_group_panel.h"

namespace trivolux {

BigGroupPanel::BigGroupPanel(QWidget* parent) : BigDisplay(parent) {
  ui.setupUi(this);
  InstallRightClickClose();
}

}  // namespace trivolux
