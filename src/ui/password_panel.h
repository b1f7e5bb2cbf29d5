#pragma once
// Popup asking for the service password (one masked entry, StrEnterPW).
#include <QWidget>

#include "ui_password_panel.h"

namespace trivolux {

class PasswordPanel : public QWidget {
  Q_OBJECT
 public:
  explicit PasswordPanel(QWidget* parent = nullptr);
  Ui::PasswordPanel ui;
};

}  // namespace trivolux
