#include "ui/scope_page.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QSignalBlocker>

#include "ui/mnemonics.h"
#include "ui/panel_setup.h"

namespace trivolux {

ScopePage::ScopePage(QWidget* parent) : QWidget(parent) {
  ui.setupUi(this);
  AssignMnemonics(this);
  AssignRingIndexValues(this);
  // The printed comment is read into a 1024-byte buffer: at most 1023
  // characters, counted whole (an emoji is not cut in half).
  connect(ui.TextScopeComment, &QPlainTextEdit::textChanged, this, [this] {
    QString text = ui.TextScopeComment->toPlainText();
    int cursor = ui.TextScopeComment->textCursor().position();
    if (!LimitCharacters(text, kMaxCommentLength, &cursor)) return;
    QSignalBlocker block(ui.TextScopeComment);
    ui.TextScopeComment->setPlainText(text);
    QTextCursor at = ui.TextScopeComment->textCursor();
    at.setPosition(cursor);
    ui.TextScopeComment->setTextCursor(at);
  });
  ui.TextScopeComment->installEventFilter(this);
  ui.TextScopeComment->viewport()->installEventFilter(this);
  menuDelay_.setSingleShot(true);
  menuDelay_.setInterval(QApplication::doubleClickInterval());
  connect(&menuDelay_, &QTimer::timeout, this, [this] { ShowCommentMenu(menuPos_); });
}

void ScopePage::CBF_EditScopeComment() {
  ui.TextScopeComment->clear();
}

bool ScopePage::eventFilter(QObject* watched, QEvent* event) {
  if (watched != ui.TextScopeComment && watched != ui.TextScopeComment->viewport())
    return QWidget::eventFilter(watched, event);
  if (event->type() == QEvent::MouseButtonDblClick &&
      static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
    menuDelay_.stop();
    CBF_EditScopeComment();
    return true;
  }
  if (event->type() == QEvent::ContextMenu) {
    auto* menuEvent = static_cast<QContextMenuEvent*>(event);
    if (menuEvent->reason() == QContextMenuEvent::Mouse) {
      menuPos_ = menuEvent->globalPos();
      menuDelay_.start();
    } else {
      ShowCommentMenu(menuEvent->globalPos());
    }
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

void ScopePage::ShowCommentMenu(const QPoint& globalPos) {
  // The editor's own menu, plus the clearing that the right double click
  // does, for keyboard users.
  QMenu* menu = ui.TextScopeComment->createStandardContextMenu(globalPos);
  menu->addSeparator();
  menu->addAction(tr("Clear comment"), this, &ScopePage::CBF_EditScopeComment);
  menu->exec(globalPos);
  delete menu;
}

}  // namespace trivolux
