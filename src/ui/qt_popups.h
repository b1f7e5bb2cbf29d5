#pragma once
#include <QPointer>
#include <QWidget>

#include "ui/popups.h"

namespace trivolux {

// Popups shown as Qt dialogs, parented to the main window when one is set.
class QtPopups : public Popups {
 public:
  void SetParent(QWidget* parent) { parent_ = parent; }
  void Message(const QString& title, const QString& text) override;
  bool Confirm(const QString& title, const QString& text) override;
  std::optional<QString> Prompt(const QString& title, const QString& text, int maxLength) override;
  int Generic(const QString& title, const QString& text, const QStringList& buttons,
              int escapeIndex) override;
  FileSelect SelectFile(const FileRequest& request, QString* path) override;
  bool ChoosePrinter(QPrinter& printer) override;

 private:
  QPointer<QWidget> parent_;
};

}  // namespace trivolux
