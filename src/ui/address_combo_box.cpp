#include "ui/address_combo_box.h"

#include <QSignalBlocker>

namespace trivolux {

AddressComboBox::AddressComboBox(QWidget* parent) : QComboBox(parent) {
  setEditable(true);
  setInsertPolicy(QComboBox::NoInsert);
  setMaxVisibleItems(kDefaultMaxRecent);
  setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  setMinimumContentsLength(15);
}

void AddressComboBox::AddRecent(const QString& text, int maxItems) {
  const QString trimmed = text.trimmed();
  if (trimmed.isEmpty()) return;
  // Rearranging the list is not a new choice of the user.
  const QSignalBlocker block(this);
  for (int i = findText(trimmed, Qt::MatchFixedString | Qt::MatchCaseSensitive); i >= 0;
       i = findText(trimmed, Qt::MatchFixedString | Qt::MatchCaseSensitive))
    removeItem(i);
  insertItem(0, trimmed);
  while (count() > qMax(maxItems, 1)) removeItem(count() - 1);
  setCurrentIndex(0);
}

QStringList AddressComboBox::Items() const {
  QStringList items;
  for (int i = 0; i < count(); ++i) items << itemText(i);
  return items;
}

}  // namespace trivolux
