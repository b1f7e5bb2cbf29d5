#include "params/panel_access.h"

#include <QBrush>
#include <QSignalBlocker>

namespace trivolux {

namespace {
QTableWidgetItem* Item(QTableWidget* grid, int row, int column) {
  QTableWidgetItem* item = grid->item(row, column);
  if (!item) {
    item = new QTableWidgetItem;
    grid->setItem(row, column, item);
  }
  return item;
}
}  // namespace

int RingValue(const QComboBox* ring) {
  if (ring->currentIndex() < 0) return 0;
  return ring->currentData().toInt();
}

void SetRingValue(QComboBox* ring, int value) {
  const int index = ring->findData(value);
  if (index >= 0) ring->setCurrentIndex(index);
}

int CellValue(const QTableWidget* grid, int row, int column) {
  const QTableWidgetItem* item = grid->item(row, column);
  return item ? item->data(Qt::DisplayRole).toInt() : 0;
}

void SetCellValue(QTableWidget* grid, int row, int column, int value) {
  Item(grid, row, column)->setData(Qt::DisplayRole, value);
}

void SetCellBackground(QTableWidget* grid, int row, int column, const QColor& colour) {
  Item(grid, row, column)->setBackground(colour);
}

void SetRowLabelColour(QTableWidget* grid, int row, const QColor& colour) {
  QTableWidgetItem* header = grid->verticalHeaderItem(row);
  if (!header) {
    header = new QTableWidgetItem(QString::number(row + 1));
    grid->setVerticalHeaderItem(row, header);
  }
  header->setForeground(colour);
}

QColor RowLabelColour(const QTableWidget* grid, int row) {
  const QTableWidgetItem* header = grid->verticalHeaderItem(row);
  return header ? header->foreground().color() : QColor();
}

void SetColumnEditable(QTableWidget* grid, int column, bool editable) {
  for (int row = 0; row < grid->rowCount(); ++row) {
    QTableWidgetItem* item = Item(grid, row, column);
    const Qt::ItemFlags flags = item->flags();
    item->setFlags(editable ? flags | Qt::ItemIsEditable : flags & ~Qt::ItemIsEditable);
    if (editable)
      item->setData(Qt::ForegroundRole, QVariant());
    else
      item->setForeground(QColor(0x80, 0x80, 0x80));
  }
}

bool CellEditable(const QTableWidget* grid, int row, int column) {
  const QTableWidgetItem* item = grid->item(row, column);
  return !item || (item->flags() & Qt::ItemIsEditable);
}

}  // namespace trivolux
