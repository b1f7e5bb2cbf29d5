#include "ui/password_panel.h"

#include "ui/mnemonics.h"

namespace trivolux {

PasswordPanel::PasswordPanel(QWidget* parent) : QWidget(parent) {
  ui.setupUi(this);
  AssignMnemonics(this);
}

}  // namespace trivolux
