#pragma once
// Acts on the next real message popup (MessageDialog) as a user does: once it
// is up, each key goes to the widget that holds the keyboard focus, then an
// optional mouse click lands on one of its buttons. Tests start this before
// the action that opens the popup, since the popup blocks until answered.
#include <QList>
#include <QStringList>
#include <memory>

namespace trivolux::test {

struct PopupVisit {
  bool shown = false;
  // The text of the focused widget when the popup came up and after each key
  // (empty when the focus is not on a button).
  QStringList focus;
};

std::shared_ptr<PopupVisit> ActOnNextPopup(const QList<int>& keys, int clickButton = -1);

}  // namespace trivolux::test
