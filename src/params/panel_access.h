#pragma once
// Small helpers for reading and writing the controls that carry parameter
// words. Programmatic writes never emit the user signals the handlers listen
// to (rings: activated; grids: the editor closing), so they fire no handler.
#include <QColor>
#include <QComboBox>
#include <QTableWidget>

namespace trivolux {

// The item data of the current ring item; 0 when the ring is empty.
int RingValue(const QComboBox* ring);
// Selects the item carrying `value`; leaves the ring as it is when no item carries it.
void SetRingValue(QComboBox* ring, int value);

// Grid value cells hold ints under Qt::DisplayRole; rows and columns 0-based.
int CellValue(const QTableWidget* grid, int row, int column);
void SetCellValue(QTableWidget* grid, int row, int column, int value);
void SetCellBackground(QTableWidget* grid, int row, int column, const QColor& colour);
void SetRowLabelColour(QTableWidget* grid, int row, const QColor& colour);
QColor RowLabelColour(const QTableWidget* grid, int row);
// Locks (or unlocks) every cell of a column against editing; locked cells show grey text.
void SetColumnEditable(QTableWidget* grid, int column, bool editable);
bool CellEditable(const QTableWidget* grid, int row, int column);

}  // namespace trivolux
