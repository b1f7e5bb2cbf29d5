#include "ui/side_tabs.h"

#include <QApplication>
#include <QKeyEvent>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOptionTab>
#include <QTabBar>
#include <QTabWidget>
#include <QWheelEvent>

namespace trivolux {

namespace {

// The tab bar measures and shapes its tabs as West tabs; this style turns each
// tab's size round and draws the title as on a North tab, so the title lies
// horizontally in a tab as wide as the title.
class SideTabStyle : public QProxyStyle {
 public:
  SideTabStyle(QStyle* base, int minTabWidth) : QProxyStyle(base), minTabWidth_(minTabWidth) {}

  QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                         const QWidget* widget) const override {
    QSize s = QProxyStyle::sizeFromContents(type, option, size, widget);
    if (type == CT_TabBarTab) {
      s.transpose();
      s.setWidth(qMax(s.width(), minTabWidth_));
    }
    return s;
  }

  void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                   const QWidget* widget) const override {
    if (element == CE_TabBarTabLabel) {
      if (const auto* tab = qstyleoption_cast<const QStyleOptionTab*>(option)) {
        QStyleOptionTab north(*tab);
        north.shape = QTabBar::RoundedNorth;
        QProxyStyle::drawControl(element, &north, painter, widget);
        return;
      }
    }
    QProxyStyle::drawControl(element, option, painter, widget);
  }

 private:
  int minTabWidth_;
};

// Index of the next tab in direction step (+1 or -1) from the current one that
// is shown and enabled; -1 when there is none (wrap: going round the end).
int NextTab(const QTabBar* bar, int step, bool wrap) {
  const int count = bar->count();
  int i = bar->currentIndex();
  for (int k = 1; k < count; ++k) {
    i += step;
    if (wrap) i = (i + count) % count;
    if (i < 0 || i >= count) return -1;
    if (bar->isTabVisible(i) && bar->isTabEnabled(i)) return i;
  }
  return -1;
}

// Steps from tab to tab: Left/Right and Up/Down and the wheel on the tab bar,
// Ctrl+Tab and Ctrl+Shift+Tab anywhere in the tab widget. Qt's own steps land
// on hidden tabs, and the service page is hidden until unlocked; QTabBar also
// ignores Up and Down, the keys a user tries first in a column.
class TabSteps : public QObject {
 public:
  explicit TabSteps(QTabWidget* tabs) : QObject(tabs), tabs_(tabs), bar_(tabs->tabBar()) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    // Compared by address only: the filter also sees the events sent while
    // the tab widget is being destroyed, when it must not be called any more.
    const bool onBar = watched == bar_;
    const int step = onBar ? BarStep(event) : WidgetStep(event);
    if (step == 0) return false;
    const int next = NextTab(tabs_->tabBar(), step, !onBar);
    if (next >= 0) tabs_->setCurrentIndex(next);
    return true;
  }

 private:
  int BarStep(QEvent* event) const {
    if (event->type() == QEvent::Wheel) {
      const QPoint delta = static_cast<QWheelEvent*>(event)->angleDelta();
      const int d = qAbs(delta.y()) >= qAbs(delta.x()) ? delta.y() : delta.x();
      return d == 0 ? 0 : (d > 0 ? -1 : 1);
    }
    if (event->type() != QEvent::KeyPress) return 0;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->modifiers() & ~Qt::KeypadModifier) return 0;
    const int forward = tabs_->tabBar()->isRightToLeft() ? Qt::Key_Left : Qt::Key_Right;
    const int back = tabs_->tabBar()->isRightToLeft() ? Qt::Key_Right : Qt::Key_Left;
    if (key->key() == forward || key->key() == Qt::Key_Down) return 1;
    if (key->key() == back || key->key() == Qt::Key_Up) return -1;
    return 0;
  }

  static int WidgetStep(QEvent* event) {
    if (event->type() != QEvent::KeyPress) return 0;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (!(key->modifiers() & Qt::ControlModifier)) return 0;
    if (key->key() == Qt::Key_Backtab ||
        (key->key() == Qt::Key_Tab && (key->modifiers() & Qt::ShiftModifier)))
      return -1;
    return key->key() == Qt::Key_Tab ? 1 : 0;
  }

  QTabWidget* tabs_;
  const QObject* bar_;
};

}  // namespace

void UseSideTabs(QTabWidget* tabs, int minTabWidth) {
  tabs->setTabPosition(QTabWidget::West);
  QTabBar* bar = tabs->tabBar();
  // The proxy owns its base: a private instance of the application's style.
  auto* style = new SideTabStyle(QStyleFactory::create(QApplication::style()->name()), minTabWidth);
  style->setParent(bar);
  bar->setStyle(style);
  auto* steps = new TabSteps(tabs);
  bar->installEventFilter(steps);
  tabs->installEventFilter(steps);
}

}  // namespace trivolux
