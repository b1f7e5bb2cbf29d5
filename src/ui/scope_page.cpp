#include "ui/scope_page.h"

#include <QSignalBlocker>

#include "ui/mnemonics.h"
#include "ui/panel_setup.h"

namespace trivolux {

ScopePage::ScopePage(QWidget* parent) : QWidget(parent) {
  ui.setupUi(this);
  AssignMnemonics(this);
  AssignRingIndexValues(this);
  // The printed comment is read into a 1024-byte buffer: at most 1023 characters.
  connect(ui.TextScopeComment, &QPlainTextEdit::textChanged, this, [this] {
    const QString text = ui.TextScopeComment->toPlainText();
    if (text.size() <= kMaxCommentLength) return;
    QSignalBlocker block(ui.TextScopeComment);
    ui.TextScopeComment->setPlainText(text.left(kMaxCommentLength));
    ui.TextScopeComment->moveCursor(QTextCursor::End);
  });
}

}  // namespace trivolux
