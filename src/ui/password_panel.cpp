#include "ui/password_panel.h"

namespace trivolux {

PasswordPanel::PasswordPanel(QWidget* parent) : QWidget(parent) {
  ui.setupUi(this);
}

}  // namespace trivolux
