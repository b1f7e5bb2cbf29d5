#include "ui/panel_setup.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QTableWidget>

#include "ui/u16_delegate.h"

namespace trivolux {

void AssignRingIndexValues(QWidget* root) {
  for (QComboBox* ring : root->findChildren<QComboBox*>()) {
    if (!ring->objectName().startsWith(QLatin1String("Ring"))) continue;
    for (int i = 0; i < ring->count(); ++i) {
      if (!ring->itemData(i).isValid()) ring->setItemData(i, i);
    }
  }
}

QStringList NumberedRowLabels(int count) {
  QStringList labels;
  for (int i = 1; i <= count; ++i) labels << QString::number(i);
  return labels;
}

QWidget* TextLimitDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                         const QModelIndex& index) const {
  QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
  if (auto* edit = qobject_cast<QLineEdit*>(editor)) edit->setMaxLength(maxLength_);
  return editor;
}

void SetUpGrid(QTableWidget* grid, const GridLayoutSpec& spec) {
  const int rows = static_cast<int>(spec.rowLabels.size());
  const int cols = static_cast<int>(spec.columns.size());
  grid->setRowCount(rows);
  grid->setColumnCount(cols);
  grid->setHorizontalHeaderLabels(spec.columnHeaders);
  grid->setVerticalHeaderLabels(spec.rowLabels);
  grid->verticalHeader()->setDefaultSectionSize(20);
  grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  grid->horizontalHeader()->setMinimumSectionSize(14);
  grid->horizontalHeader()->setHighlightSections(false);
  grid->setSelectionMode(QAbstractItemView::ContiguousSelection);
  for (int c = 0; c < cols; ++c) {
    switch (spec.columns[c]) {
      case GridColumn::Value:
        grid->setItemDelegateForColumn(c, new U16Delegate(grid));
        grid->setColumnWidth(c, 42);
        break;
      case GridColumn::Text:
        grid->setItemDelegateForColumn(c, new TextLimitDelegate(spec.textMaxLength, grid));
        grid->horizontalHeader()->setSectionResizeMode(c, QHeaderView::Stretch);
        break;
      case GridColumn::Colour:
        grid->setColumnWidth(c, 18);
        grid->horizontalHeader()->setSectionResizeMode(c, QHeaderView::Fixed);
        break;
    }
  }
  // A lone value column takes the width the colour column leaves.
  if (spec.columns.count(GridColumn::Value) == 1 && !spec.columns.contains(GridColumn::Text))
    grid->horizontalHeader()->setSectionResizeMode(static_cast<int>(spec.columns.indexOf(GridColumn::Value)),
                                                   QHeaderView::Stretch);
  grid->horizontalHeader()->setStretchLastSection(false);
  for (int r = 0; r < rows; ++r) {
    for (int c = 0; c < cols; ++c) {
      auto* item = new QTableWidgetItem;
      switch (spec.columns[c]) {
        case GridColumn::Value:
          item->setData(Qt::DisplayRole, spec.initialValue);
          item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
          break;
        case GridColumn::Text:
          item->setText(QString());
          break;
        case GridColumn::Colour:
          item->setFlags(Qt::ItemIsEnabled);
          break;
      }
      grid->setItem(r, c, item);
    }
  }
}

}  // namespace trivolux
