#pragma once
// Right-click help for every control: one event filter, installed on the
// application, that turns a right mouse press (or a keyboard context-menu
// request) on a control, or on any widget inside it, into the control's help
// popup. The control is the nearest widget, walking up from the one under the
// mouse, that carries the dynamic property "cbf"; its callback name is looked
// up in the help catalogue. The event is swallowed, so the control changes no
// value and starts nothing. Widgets whose callback has no help text (the
// status line, the teach grid with its own context menu) and widgets without
// a callback keep their events.
#include <QObject>
#include <QPoint>

class QWidget;

namespace trivolux {

class Popups;
struct HelpEntry;

class HelpFilter : public QObject {
  Q_OBJECT
 public:
  explicit HelpFilter(Popups& popups, QObject* parent = nullptr);

  // The control whose help a right click at pos (receiver coordinates) on
  // receiver shows, or nullptr. Public for tests.
  static QWidget* HelpTarget(QWidget* receiver, const QPoint& pos);
  static const HelpEntry* HelpFor(QWidget* receiver, const QPoint& pos);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  Popups& popups_;
};

}  // namespace trivolux
