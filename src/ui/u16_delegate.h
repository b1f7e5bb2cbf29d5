#pragma once
// Item delegate for the value cells of the grids: an unsigned 16-bit editor
// (0..65535). Cells hold their value as an int under Qt::DisplayRole.
#include <QStyledItemDelegate>

namespace trivolux {

class U16Delegate : public QStyledItemDelegate {
  Q_OBJECT
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const override;
  void setEditorData(QWidget* editor, const QModelIndex& index) const override;
  void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;
};

}  // namespace trivolux
