#include "ui/connect_page.h"

#include <QRegularExpression>
#include <QScrollBar>

#include "ui/mnemonics.h"
#include "ui/panel_setup.h"

namespace trivolux {

namespace {
// The message box keeps the newest lines of a long session.
constexpr int kMaxMessageLines = 2000;
}  // namespace

ConnectPage::ConnectPage(QWidget* parent) : QWidget(parent) {
  ui.setupUi(this);
  AssignMnemonics(this);
  AssignRingIndexValues(this);
  ui.RingComPort->setInsertPolicy(QComboBox::NoInsert);
  ui.TextMessages->setMaximumBlockCount(kMaxMessageLines);
}

void ConnectPage::AppendMessage(const QString& text) {
  QTextCursor cursor(ui.TextMessages->document());
  cursor.movePosition(QTextCursor::End);
  cursor.insertText(text);
  QScrollBar* bar = ui.TextMessages->verticalScrollBar();
  bar->setValue(bar->maximum());
}

int ConnectPage::SelectedComPort() const {
  const int index = ui.RingComPort->currentIndex();
  if (index >= 0 && ui.RingComPort->itemText(index) == ui.RingComPort->currentText()) {
    const QVariant v = ui.RingComPort->itemData(index);
    if (v.isValid()) return v.toInt();
  }
  static const QRegularExpression kLeadingDigits(QStringLiteral(R"(^\s*(\d{1,6}))"));
  const QRegularExpressionMatch m = kLeadingDigits.match(ui.RingComPort->currentText());
  return m.hasMatch() ? m.captured(1).toInt() : 0;
}

void ConnectPage::SelectComPort(int n) {
  int index = ui.RingComPort->findData(n);
  if (index < 0) {
    ui.RingComPort->addItem(QString::number(n), n);
    index = ui.RingComPort->count() - 1;
  }
  ui.RingComPort->setCurrentIndex(index);
}

}  // namespace trivolux
