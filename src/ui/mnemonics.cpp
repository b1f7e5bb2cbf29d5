#include "ui/mnemonics.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QKeySequence>
#include <QLabel>
#include <QSet>

namespace trivolux {

namespace {

bool TakesInput(const QWidget* control) {
  return control->focusPolicy() != Qt::NoFocus && !control->property("readOnly").toBool();
}

// Position of the letter to mark in text, or -1: word initials first, then
// any letter, skipping letters in taken (upper case).
int MnemonicPosition(const QString& text, const QSet<QChar>& taken) {
  for (int i = 0; i < text.size(); ++i) {
    const bool initial = i == 0 || !text[i - 1].isLetterOrNumber();
    if (initial && text[i].isLetter() && !taken.contains(text[i].toUpper())) return i;
  }
  for (int i = 0; i < text.size(); ++i) {
    if (text[i].isLetter() && !taken.contains(text[i].toUpper())) return i;
  }
  return -1;
}

void Take(QSet<QChar>& taken, const QString& text) {
  const QString key = QKeySequence::mnemonic(text).toString();
  if (!key.isEmpty()) taken.insert(key.back().toUpper());
}

}  // namespace

void AssignMnemonics(QWidget* root) {
  QSet<QChar> taken;
  for (const QAbstractButton* button : root->findChildren<QAbstractButton*>()) Take(taken, button->text());
  for (const QGroupBox* box : root->findChildren<QGroupBox*>()) Take(taken, box->title());
  const QList<QLabel*> labels = root->findChildren<QLabel*>();
  for (const QLabel* label : labels) {
    if (label->buddy()) Take(taken, label->text());
  }
  for (QLabel* label : labels) {
    const QString text = label->text();
    // A text with an "&" of its own already has its mnemonic or shows the character.
    if (!label->buddy() || !TakesInput(label->buddy()) || text.contains(QLatin1Char('&'))) continue;
    const int at = MnemonicPosition(text, taken);
    if (at < 0) continue;
    taken.insert(text[at].toUpper());
    label->setText(QString(text).insert(at, QLatin1Char('&')));
  }
}

}  // namespace trivolux
