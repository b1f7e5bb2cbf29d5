#include "ui/u16_delegate.h"

#include <QSpinBox>

namespace trivolux {

QWidget* U16Delegate::createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex&) const {
  auto* spin = new QSpinBox(parent);
  spin->setRange(0, 65535);
  spin->setFrame(false);
  spin->setButtonSymbols(QAbstractSpinBox::NoButtons);
  return spin;
}

void U16Delegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
  static_cast<QSpinBox*>(editor)->setValue(index.data(Qt::DisplayRole).toInt());
}

void U16Delegate::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const {
  auto* spin = static_cast<QSpinBox*>(editor);
  spin->interpretText();
  model->setData(index, spin->value(), Qt::DisplayRole);
}

}  // namespace trivolux
