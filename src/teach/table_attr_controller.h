#pragma once
// Row colours and specifications on the panels: the table-attributes page's
// colour selector and the four grids that show the attributes: the teach
// grid (column 6), the table-attributes grid (specification in column 1,
// colour in column 2), the group grid (column 2) and the hold grid (column 2,
// one row lower: its first row is HOLD FAIL).
#include <QObject>
#include <QString>
#include <cstdint>

#include "teach/table_attributes.h"

namespace trivolux {

class Panels;

class TableAttrController : public QObject {
  Q_OBJECT
 public:
  explicit TableAttrController(Panels& panels, QObject* parent = nullptr);

  void ApplyRowColour(int row, std::int32_t colour);
  // Every row colour and specification onto the grids; the bytes the
  // specifications were read with are kept for the next save.
  void ApplyTableAttributes(const TableAttributes& attrs);
  // The grid is the master copy: colours from the table-attributes grid's
  // colour cells, specifications from its text cells (with the bytes they
  // were read with); rows without a cell keep fallback's values.
  TableAttributes TableAttributesFromGrid(const TableAttributes& fallback) const;
  // The colour of one row as the table-attributes grid shows it (its default
  // colour when the cell has none).
  std::int32_t RowColour(int row) const;

  // The table-attributes file used last (kept in the panel settings).
  QString File() const { return file_; }
  void SetFile(const QString& path) { file_ = path; }

 signals:
  // Row colours were set on the grids: the colour planes redraw.
  void rowColoursChanged();

 private:
  void SetRowColourCells(int row, std::int32_t colour);

  Panels& panels_;
  QString file_;
  IniTextCodec specCodec_;
};

}  // namespace trivolux
