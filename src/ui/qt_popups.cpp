#include "ui/qt_popups.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

namespace trivolux {

void QtPopups::Message(const QString& title, const QString& text) {
  QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok, parent_);
  box.exec();
}

bool QtPopups::Confirm(const QString& title, const QString& text) {
  QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Yes | QMessageBox::No, parent_);
  box.setDefaultButton(QMessageBox::Yes);
  return box.exec() == QMessageBox::Yes;
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

int QtPopups::Generic(const QString& title, const QString& text, const QStringList& buttons) {
  QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::NoButton, parent_);
  QList<QPushButton*> pushed;
  for (const QString& label : buttons) pushed.append(box.addButton(label, QMessageBox::AcceptRole));
  if (!pushed.isEmpty()) {
    box.setDefaultButton(pushed.first());
    box.setEscapeButton(pushed.first());
  }
  box.exec();
  const int index = pushed.indexOf(qobject_cast<QPushButton*>(box.clickedButton()));
  return index < 0 ? 0 : index;
}

FileSelect QtPopups::SelectFile(const FileRequest& request, QString* path) {
  const QString start = request.directory.isEmpty() ? request.defaultName
                                                     : request.directory + "/" + request.defaultName;
  const QString chosen = request.save
                             ? QFileDialog::getSaveFileName(parent_, request.title, start, request.filter,
                                                            nullptr, QFileDialog::DontConfirmOverwrite)
                             : QFileDialog::getOpenFileName(parent_, request.title, start, request.filter);
  if (chosen.isEmpty()) return FileSelect::None;
  *path = chosen;
  return QFileInfo::exists(chosen) ? FileSelect::Existing : FileSelect::New;
}

}  // namespace trivolux
