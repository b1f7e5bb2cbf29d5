#include "ui/password_edit.h"

namespace trivolux {

PasswordEdit::PasswordEdit(QWidget* parent) : QLineEdit(parent) {
  setEchoMode(QLineEdit::Password);
  setMaxLength(kMaxLength);
  // The mask character is a style hint; the style sheet pins it to '*' (42)
  // whatever the platform style would choose.
  setStyleSheet(QStringLiteral("lineedit-password-character: 42;"));
  setContextMenuPolicy(Qt::NoContextMenu);  // no copy/paste of the secret
}

}  // namespace trivolux
