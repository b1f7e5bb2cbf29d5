#include "teach/table_attr_controller.h"

#include <QPixmap>
#include <QTableWidget>
#include <algorithm>

#include "ui/panel_setup.h"
#include "ui/panels.h"

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

void AddColour(QComboBox* ring, const char* name, std::int32_t rgb) {
  QPixmap swatch(12, 12);
  swatch.fill(QColor::fromRgb(static_cast<QRgb>(rgb)));
  ring->addItem(QIcon(swatch), QLatin1String(name), rgb);
}

}  // namespace

TableAttrController::TableAttrController(Panels& panels, QObject* parent) : QObject(parent), panels_(panels) {
  // The colour selector offers the row colours, then white and grey.
  QComboBox* ring = panels_.tableAttrPage().ui.RingRowColor;
  ring->clear();
  for (const NamedColour& c : RowColours()) AddColour(ring, c.name, c.rgb);
  AddColour(ring, "WHITE", 0xFFFFFF);
  AddColour(ring, "GREY", 0x808080);
}

void TableAttrController::ApplyRowColour(int row, std::int32_t colour) {
  SetRowColourCells(row, colour);
  emit rowColoursChanged();
}

void TableAttrController::SetRowColourCells(int row, std::int32_t colour) {
  if (row < 0 || row >= kTableAttrRows) return;
  SetCellColour(panels_.teachPage().ui.GridTeach, row, 5, colour);
  SetCellColour(panels_.tableAttrPage().ui.GridTableAttr, row, 1, colour);
  SetCellColour(panels_.groupHoldPage().ui.GridGroups, row, 1, colour);
  SetCellColour(panels_.groupHoldPage().ui.GridHold, row + 1, 1, colour);
}

void TableAttrController::ApplyTableAttributes(const TableAttributes& attrs) {
  QTableWidget* grid = panels_.tableAttrPage().ui.GridTableAttr;
  for (int k = 0; k < kTableAttrRows; ++k) {
    SetRowColourCells(k, attrs.rowColours[k]);
    if (k >= grid->rowCount()) continue;
    QTableWidgetItem* item = grid->item(k, 0);
    if (!item) grid->setItem(k, 0, item = new QTableWidgetItem);
    item->setText(attrs.rowSpecs[k]);
  }
  specCodec_ = attrs.specCodec;
  emit rowColoursChanged();
}

std::int32_t TableAttrController::RowColour(int row) const {
  const QTableWidget* grid = panels_.tableAttrPage().ui.GridTableAttr;
  if (const QTableWidgetItem* cell = row < grid->rowCount() ? grid->item(row, 1) : nullptr;
      cell && cell->background().style() != Qt::NoBrush)
    return static_cast<std::int32_t>(cell->background().color().rgb() & 0xFFFFFFu);
  return DefaultRowColours()[static_cast<std::size_t>(std::clamp(row, 0, kTableAttrRows - 1))];
}

TableAttributes TableAttrController::TableAttributesFromGrid(const TableAttributes& fallback) const {
  TableAttributes attrs = fallback;
  attrs.specCodec = specCodec_;
  QTableWidget* grid = panels_.tableAttrPage().ui.GridTableAttr;
  for (int k = 0; k < std::min(kTableAttrRows, grid->rowCount()); ++k) {
    if (const QTableWidgetItem* colour = grid->item(k, 1);
        colour && colour->background().style() != Qt::NoBrush)
      attrs.rowColours[k] = static_cast<std::int32_t>(colour->background().color().rgb() & 0xFFFFFFu);
    if (const QTableWidgetItem* spec = grid->item(k, 0))
      attrs.rowSpecs[k] = LeftCharacters(spec->text(), kRowSpecMaxChars);
  }
  return attrs;
}

}  // namespace trivolux
