#include "ui/side_tabs.h"

#include <QApplication>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOptionTab>
#include <QTabBar>
#include <QTabWidget>

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

// QTabBar answers only Left and Right; in a column Up and Down are the keys a
// user tries first.
class ColumnKeys : public QObject {
 public:
  using QObject::QObject;

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::KeyPress) return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->modifiers() != Qt::NoModifier) return false;
    if (key->key() != Qt::Key_Up && key->key() != Qt::Key_Down) return false;
    auto* bar = static_cast<QTabBar*>(watched);
    const bool back = key->key() == Qt::Key_Up;
    const bool leftIsBack = !bar->isRightToLeft();
    QKeyEvent step(QEvent::KeyPress, back == leftIsBack ? Qt::Key_Left : Qt::Key_Right, Qt::NoModifier);
    QCoreApplication::sendEvent(bar, &step);
    return true;
  }
};

}  // namespace

void UseSideTabs(QTabWidget* tabs, int minTabWidth) {
  tabs->setTabPosition(QTabWidget::West);
  QTabBar* bar = tabs->tabBar();
  // The proxy owns its base: a private instance of the application's style.
  auto* style = new SideTabStyle(QStyleFactory::create(QApplication::style()->name()), minTabWidth);
  style->setParent(bar);
  bar->setStyle(style);
  bar->installEventFilter(new ColumnKeys(bar));
}

}  // namespace trivolux
