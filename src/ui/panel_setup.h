#pragma once
// Set-up shared by the main tab pages: ring item values and the value grids.
#include <QStringList>
#include <QStyledItemDelegate>

class QComboBox;
class QTableWidget;
class QWidget;

namespace trivolux {

// Gives every item of every "Ring*" combo box below root that carries no
// value its index as value: the documented ring values are 0, 1, 2... in
// item order.
void AssignRingIndexValues(QWidget* root);

// Columns of a grid: value columns hold unsigned 16-bit ints (DisplayRole),
// a text column holds free text, a colour column shows a row colour as its
// background and is never edited.
enum class GridColumn { Value, Text, Colour };

struct GridLayoutSpec {
  QStringList columnHeaders;
  QList<GridColumn> columns;
  QStringList rowLabels;
  int initialValue = 0;    // value of every value cell
  int textMaxLength = 99;  // characters a text cell accepts
};

// Sizes the grid, fills every cell and installs the editors.
void SetUpGrid(QTableWidget* grid, const GridLayoutSpec& spec);

// Row labels "1".."count".
QStringList NumberedRowLabels(int count);

// Cell editor for text cells: a line edit accepting at most maxLength characters.
class TextLimitDelegate : public QStyledItemDelegate {
  Q_OBJECT
 public:
  TextLimitDelegate(int maxLength, QObject* parent) : QStyledItemDelegate(parent), maxLength_(maxLength) {}
  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const override;

 private:
  int maxLength_;
};

}  // namespace trivolux
