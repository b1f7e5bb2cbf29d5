#include "ui/address_combo_box.h"

#include <QLineEdit>

namespace trivolux {

AddressComboBox::AddressComboBox(QWidget* parent) : QComboBox(parent) {
  setEditable(true);
  setInsertPolicy(QComboBox::NoInsert);
  setMaxVisibleItems(kDefaultMaxRecent);
  setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  setMinimumContentsLength(15);
}

void AddressComboBox::InsertAtTop(const QString& text) {
  const QString edit = currentText();
  insertItem(0, text);
  setEditText(edit);
}

int AddressComboBox::FindText(const QString& text) const {
  return findText(text, Qt::MatchFixedString | Qt::MatchCaseSensitive);
}

void AddressComboBox::DeleteItem(int index) {
  if (index < 0 || index >= count()) return;
  const QString edit = currentText();
  removeItem(index);
  setEditText(edit);
}

void AddressComboBox::DeleteFrom(int index) {
  if (index < 0) index = 0;
  const QString edit = currentText();
  while (count() > index) removeItem(count() - 1);
  setEditText(edit);
}

void AddressComboBox::AddRecent(const QString& text, int maxItems) {
  const QString trimmed = text.trimmed();
  if (trimmed.isEmpty()) return;
  for (int i = FindText(trimmed); i >= 0; i = FindText(trimmed)) removeItem(i);
  insertItem(0, trimmed);
  DeleteFrom(qMax(maxItems, 1));
  setCurrentIndex(0);
}

QStringList AddressComboBox::Items() const {
  QStringList items;
  for (int i = 0; i < count(); ++i) items << itemText(i);
  return items;
}

}  // namespace trivolux
