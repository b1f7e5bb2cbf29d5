#include "ui/big_colour_panel.h"

namespace trivolux {

BigColourPanel::BigColourPanel(QWidget* parent) : BigDisplay(parent) {
  ui.setupUi(this);
  InstallRightClickClose();
}

}  // namespace trivolux
