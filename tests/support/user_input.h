#pragma once
// What a user does with the keyboard, for widget tests: the real editor of a
// grid cell, opened, typed into and committed with the keys a user presses.
#include <QAbstractSpinBox>
#include <QLineEdit>
#include <QTableWidget>
#include <QtTest>

namespace trivolux::test {

// Opens the editor of the cell with F2, replaces its text with text and
// presses Enter. Returns false when no editor opened (the grid hidden or the
// cell read-only). The view writes the value from a queued call: wait for
// its effect with QTRY_*.
inline bool TypeIntoCell(QTableWidget* grid, int row, int column, const QString& text) {
  if (!grid->isVisible()) return false;
  grid->setFocus();
  grid->setCurrentCell(row, column);
  QTest::keyClick(grid, Qt::Key_F2);
  QWidget* editor = nullptr;
  for (QWidget* w : grid->viewport()->findChildren<QWidget*>())
    if (w->isVisible() && (qobject_cast<QAbstractSpinBox*>(w) || qobject_cast<QLineEdit*>(w))) editor = w;
  if (!editor) return false;
  QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClicks(editor, text);
  QTest::keyClick(editor, Qt::Key_Return);
  return true;
}

}  // namespace trivolux::test
