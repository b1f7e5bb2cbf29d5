#include "popup_keys.h"

#include <QAbstractButton>
#include <QApplication>
#include <QTimer>
#include <QtTest>

#include "ui/message_dialog.h"

namespace trivolux::test {

namespace {
constexpr int kPollMs = 10;
constexpr int kGiveUpMs = 20000;

QString FocusText(const QWidget* window) {
  const auto* button = qobject_cast<const QAbstractButton*>(window->focusWidget());
  return button ? button->text() : QString();
}
}  // namespace

std::shared_ptr<PopupVisit> ActOnNextPopup(const QList<int>& keys, int clickButton) {
  auto visit = std::make_shared<PopupVisit>();
  auto* timer = new QTimer;
  timer->setInterval(kPollMs);
  auto* deadline = new QElapsedTimer;
  deadline->start();
  QObject::connect(timer, &QTimer::timeout, [=] {
    auto* box = qobject_cast<MessageDialog*>(QApplication::activeModalWidget());
    const bool expired = deadline->hasExpired(kGiveUpMs);
    if ((!box || !box->isVisible()) && !expired) return;
    timer->stop();
    timer->deleteLater();
    delete deadline;
    if (!box) return;
    visit->shown = true;
    visit->focus << FocusText(box);
    for (const int key : keys) {
      QWidget* target = box->focusWidget() ? box->focusWidget() : box;
      QTest::keyClick(target, static_cast<Qt::Key>(key));
      if (!box->isVisible()) return;  // the key answered the popup
      visit->focus << FocusText(box);
    }
    if (clickButton >= 0) QTest::mouseClick(box->buttons().at(clickButton), Qt::LeftButton);
  });
  timer->start();
  return visit;
}

}  // namespace trivolux::test
