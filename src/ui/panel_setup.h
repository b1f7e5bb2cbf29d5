#pragma once
// Run-time completion of the pages and panels loaded from .ui files: Designer
// cannot give combo-box items their integer values, fill table cells or tie a
// caption's visibility to its control, so the constructors call these once.
#include <QAbstractItemDelegate>
#include <QList>
#include <QPalette>
#include <QStringList>
#include <QStyledItemDelegate>
#include <QValidator>

class QTableWidget;
class QColor;
class QPushButton;
class QWidget;

namespace trivolux {

// Gives every item of every combo box below root that carries no value its
// index as value: the documented ring values are 0, 1, 2... in item order.
// Items that already carry a value (colours, port numbers) keep it.
void AssignRingIndexValues(QWidget* root);

// The face colour of a button (a running operation's red, the idle grey).
void SetButtonColour(QPushButton* button, const QColor& colour);

// source with every role set: such a palette keeps its identity, under which
// the style caches painted faces, through setPalette.
QPalette FullPalette(const QPalette& source);

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
  // Value columns share the width the other columns leave instead of being
  // 42 px wide each.
  bool valuesFillWidth = false;
};

// Sizes the grid, fills every cell and installs the editors.
void SetUpGrid(QTableWidget* grid, const GridLayoutSpec& spec);

// Row labels "1".."count".
QStringList NumberedRowLabels(int count);

// The cell editors of a grid: its default delegate and every column's own.
QList<QAbstractItemDelegate*> CellEditors(const QTableWidget* grid);

// Calls receiver's slot when the user finishes editing a cell of the grid,
// whichever column's editor it was; program writes to cells pass no editor
// and call nothing. Connect after the grid's editors are installed.
template <typename Receiver, typename Slot>
void OnUserCellEdit(const QTableWidget* grid, Receiver* receiver, Slot slot) {
  for (QAbstractItemDelegate* editor : CellEditors(grid))
    QObject::connect(editor, &QAbstractItemDelegate::closeEditor, receiver, slot, Qt::UniqueConnection);
}

// The first maxChars characters of text, counted in code points: a character
// outside the Basic Multilingual Plane (an emoji) is kept or dropped whole.
QString LeftCharacters(const QString& text, qsizetype maxChars);

// Cuts text to maxChars whole characters as an edit field's length limit
// does: the characters just typed or pasted, which end at *cursor, are
// dropped from their end, then the text's end if that is not enough. *cursor
// follows. Returns false when text was short enough.
bool LimitCharacters(QString& text, qsizetype maxChars, int* cursor);

// Keeps a line edit's text at maxChars whole characters (LimitCharacters).
class CharacterLimit : public QValidator {
  Q_OBJECT
 public:
  CharacterLimit(qsizetype maxChars, QObject* parent) : QValidator(parent), maxChars_(maxChars) {}
  State validate(QString& input, int& pos) const override;

 private:
  qsizetype maxChars_;
};

// Cell editor for text cells: a line edit accepting at most maxLength whole
// characters.
class TextLimitDelegate : public QStyledItemDelegate {
  Q_OBJECT
 public:
  TextLimitDelegate(int maxLength, QObject* parent) : QStyledItemDelegate(parent), maxLength_(maxLength) {}
  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const override;

 private:
  int maxLength_;
};

// Keeps a caption shown exactly while its control is shown: the mode rules
// and the connection code hide and show controls, and their captions follow.
void CaptionFollowsControl(QWidget* caption, QWidget* control);

}  // namespace trivolux
