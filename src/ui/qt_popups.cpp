#include "ui/qt_popups.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>

#include "ui/message_dialog.h"

namespace trivolux {

void QtPopups::Message(const QString& title, const QString& text) {
  // Escape acknowledges, as OK does.
  MessageDialog box(title, text, {QStringLiteral("OK")}, 0, parent_);
  box.exec();
}

bool QtPopups::Confirm(const QString& title, const QString& text) {
  // Yes is the default button; Escape answers No.
  MessageDialog box(title, text, {QStringLiteral("Yes"), QStringLiteral("No")}, 1, parent_);
  box.exec();
  return box.ClickedIndex() == 0;
}

std::optional<QString> QtPopups::Prompt(const QString& title, const QString& text, int maxLength) {
  QInputDialog dialog(parent_);
  dialog.setWindowTitle(title);
  dialog.setLabelText(text);
  dialog.setInputMode(QInputDialog::TextInput);
  if (auto* edit = dialog.findChild<QLineEdit*>()) edit->setMaxLength(maxLength);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.textValue().left(maxLength);
}

int QtPopups::Generic(const QString& title, const QString& text, const QStringList& buttons,
                      int escapeIndex) {
  MessageDialog box(title, text, buttons, escapeIndex, parent_);
  box.exec();
  return box.ClickedIndex();
}

FileSelect QtPopups::SelectFile(const FileRequest& request, QString* path) {
  const QString start =
      request.directory.isEmpty() ? request.defaultName : request.directory + "/" + request.defaultName;
  const QString chosen = request.save
                             ? QFileDialog::getSaveFileName(parent_, request.title, start, request.filter,
                                                            nullptr, QFileDialog::DontConfirmOverwrite)
                             : QFileDialog::getOpenFileName(parent_, request.title, start, request.filter);
  if (chosen.isEmpty()) return FileSelect::None;
  *path = chosen;
  return QFileInfo::exists(chosen) ? FileSelect::Existing : FileSelect::New;
}

bool QtPopups::ChoosePrinter(QPrinter& printer) {
  QPrintDialog dialog(&printer, parent_);
  return dialog.exec() == QDialog::Accepted;
}

}  // namespace trivolux
