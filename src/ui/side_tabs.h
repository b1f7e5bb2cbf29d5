#pragma once
// Tabs in a column on the left of a tab widget, titles written horizontally:
// a column shows every title of a narrow tab widget at once, where a row of
// tabs would hide most of them behind scroll arrows.
class QTabWidget;

namespace trivolux {

// Moves the tabs of tabs to its left side (QTabWidget::West). Every tab is at
// least minTabWidth px wide and its title reads left to right; the tab shapes
// (selected, hover, focus) stay those of the application style. Up and Down
// switch tabs as Left and Right do; these keys, the wheel and Ctrl+Tab pass
// over hidden and disabled tabs.
void UseSideTabs(QTabWidget* tabs, int minTabWidth);

}  // namespace trivolux
