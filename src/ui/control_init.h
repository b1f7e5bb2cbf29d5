#pragma once
// Run-time completion of controls loaded from .ui files: Designer cannot give
// combo-box items their integer values or fill table cells, so the panel
// constructors call these once.
#include <QComboBox>
#include <QTableWidget>

namespace trivolux {

// Item data of every item = its index (rings whose documented values are 0..n-1).
void AssignRingValues(QComboBox* ring);
// Index of the item carrying value, or -1.
int RingIndexOf(const QComboBox* ring, int value);

// Fills every cell with an int 0 under Qt::DisplayRole (right aligned) and
// installs the unsigned 16-bit cell editor. Columns listed in textColumns
// (e.g. a colour column) get empty, non-editable cells instead.
void InitValueGrid(QTableWidget* grid, const QList<int>& textColumns = {});

// Keeps a caption shown exactly while its control is shown: the mode rules
// and the connection code hide and show controls, and their captions follow.
void CaptionFollowsControl(QWidget* caption, QWidget* control);

}  // namespace trivolux
