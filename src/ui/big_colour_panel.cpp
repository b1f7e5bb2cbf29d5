#include "ui/big_colour_panel.h"

#include "ui/mnemonics.h"

namespace trivolux {

BigColourPanel::BigColourPanel(QWidget* parent) : BigDisplay(parent) {
  ui.setupUi(this);
  AssignMnemonics(this);
  InstallRightClickClose();
}

}  // namespace trivolux
