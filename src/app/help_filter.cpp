#include "app/help_filter.h"

#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QStackedWidget>
#include <QTabBar>
#include <QTabWidget>

#include "base/help_catalogue.h"
#include "ui/popups.h"

namespace trivolux {

HelpFilter::HelpFilter(Popups& popups, QObject* parent) : QObject(parent), popups_(popups) {}

QWidget* HelpFilter::HelpTarget(QWidget* receiver, const QPoint& pos) {
  // A tab control explains itself only on its tab bar; a click on the empty
  // area of a page belongs to the page, not to the tab control.
  if (auto* tabs = qobject_cast<QTabWidget*>(receiver)) {
    if (!tabs->tabBar()->geometry().contains(pos)) return nullptr;
  }
  for (QWidget* w = receiver; w; w = w->parentWidget()) {
    if (!w->property("cbf").toString().isEmpty()) return w;
    if (w->isWindow()) return nullptr;
    if (qobject_cast<QStackedWidget*>(w) && qobject_cast<QTabWidget*>(w->parentWidget())) return nullptr;
  }
  return nullptr;
}

const HelpEntry* HelpFilter::HelpFor(QWidget* receiver, const QPoint& pos) {
  QWidget* target = HelpTarget(receiver, pos);
  return target ? FindHelp(target->property("cbf").toString()) : nullptr;
}

bool HelpFilter::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease &&
      type != QEvent::MouseButtonDblClick && type != QEvent::ContextMenu) {
    return false;
  }
  auto* widget = qobject_cast<QWidget*>(watched);
  if (!widget) return false;

  QPoint pos;
  bool show = false;
  if (type == QEvent::ContextMenu) {
    auto* menuEvent = static_cast<QContextMenuEvent*>(event);
    pos = menuEvent->pos();
    // A mouse-made context menu follows the right press that showed the help.
    show = menuEvent->reason() != QContextMenuEvent::Mouse;
  } else {
    auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() != Qt::RightButton) return false;
    pos = mouse->position().toPoint();
    show = type == QEvent::MouseButtonPress;
  }

  const HelpEntry* entry = HelpFor(widget, pos);
  if (!entry) return false;
  if (show) popups_.Message(QString::fromUtf8(entry->title), QString::fromUtf8(entry->text));
  event->accept();
  return true;
}

}  // namespace trivolux
