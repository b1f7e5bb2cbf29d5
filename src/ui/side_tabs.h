#pragma once
// Tabs in a column on the left of a tab widget, titles written horizontally:
// a column shows every title of a narrow tab widget at once, where a row of
// tabs would hide most of them behind scroll arrows.
class QTabWidget;

namespace trivolux {

// Moves the tabs of tabs to its left side (QTabWidget::West). Every tab is at
// least minTabWidth px wide and its title reads left to right; Up and Down
// switch tabs as Left and Right do. The tab shapes (selected, hover, focus)
// stay those of the application style.
void UseSideTabs(QTabWidget* tabs, int minTabWidth);

}  // namespace trivolux
