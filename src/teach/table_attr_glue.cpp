#include "teach/table_attr_glue.h"

#include <QTableWidget>

#include "app/scope_app.h"

namespace trivolux {

namespace {

void SetCellColour(QTableWidget* grid, int row, int column, std::int32_t colour) {
  if (row >= grid->rowCount() || column >= grid->columnCount()) return;
  QTableWidgetItem* item = grid->item(row, column);
  if (!item) {
    item = new QTableWidgetItem;
    item->setFlags(Qt::ItemIsEnabled);
    grid->setItem(row, column, item);
  }
  item->setBackground(QColor::fromRgb(static_cast<QRgb>(colour) & 0xFFFFFFu));
}

}  // namespace

void ApplyRowColour(ScopeApp& app, int row, std::int32_t colour) {
  if (row < 0 || row >= kTableAttrRows) return;
  SetCellColour(app.teachPage().ui.GridTeach, row, 5, colour);
  SetCellColour(app.tableAttrPage().ui.GridTableAttr, row, 1, colour);
  SetCellColour(app.groupHoldPage().ui.GridGroups, row, 1, colour);
  SetCellColour(app.groupHoldPage().ui.GridHold, row + 1, 1, colour);
}

void ApplyTableAttributes(ScopeApp& app, const TableAttributes& attrs) {
  QTableWidget* grid = app.tableAttrPage().ui.GridTableAttr;
  for (int k = 0; k < kTableAttrRows; ++k) {
    ApplyRowColour(app, k, attrs.rowColours[k]);
    if (k >= grid->rowCount()) continue;
    QTableWidgetItem* item = grid->item(k, 0);
    if (!item) grid->setItem(k, 0, item = new QTableWidgetItem);
    item->setText(attrs.rowSpecs[k]);
  }
}

TableAttributes TableAttributesFromGrid(ScopeApp& app, const TableAttributes& fallback) {
  TableAttributes attrs = fallback;
  QTableWidget* grid = app.tableAttrPage().ui.GridTableAttr;
  for (int k = 0; k < std::min(kTableAttrRows, grid->rowCount()); ++k) {
    if (const QTableWidgetItem* colour = grid->item(k, 1);
        colour && colour->background().style() != Qt::NoBrush)
      attrs.rowColours[k] = static_cast<std::int32_t>(colour->background().color().rgb() & 0xFFFFFFu);
    if (const QTableWidgetItem* spec = grid->item(k, 0))
      attrs.rowSpecs[k] = spec->text().left(kRowSpecMaxChars);
  }
  return attrs;
}

}  // namespace trivolux
