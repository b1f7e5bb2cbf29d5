#include "ui/message_dialog.h"

#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

namespace trivolux {

namespace {
constexpr double kScreenShare = 0.9;
}  // namespace

MessageDialog::MessageDialog(const QString& title, const QString& text, const QStringList& buttons,
                             int escapeIndex, QWidget* parent)
    : QDialog(parent), escapeIndex_(escapeIndex), clicked_(escapeIndex) {
  setWindowTitle(title);
  label_ = new QLabel(text);
  label_->setTextFormat(Qt::PlainText);
  label_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  label_->setMargin(8);
  scroller_ = new QScrollArea;
  scroller_->setWidget(label_);
  scroller_->setWidgetResizable(true);
  scroller_->setFrameShape(QFrame::NoFrame);
  scroller_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);

  auto* box = new QDialogButtonBox;
  for (int i = 0; i < buttons.size(); ++i) {
    QPushButton* button = box->addButton(buttons[i], QDialogButtonBox::AcceptRole);
    buttons_ << button;
    connect(button, &QPushButton::clicked, this, [this, i] {
      clicked_ = i;
      accept();
    });
  }
  if (!buttons_.isEmpty()) buttons_.first()->setDefault(true);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(scroller_, 1);
  layout->addWidget(box);
  FitToScreen();
}

void MessageDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  // Set here, not at construction: showing the dialog hands the focus to the
  // first widget of the chain (the scrolling text) otherwise.
  if (!buttons_.isEmpty()) buttons_.first()->setFocus(Qt::ActiveWindowFocusReason);
}

void MessageDialog::reject() {
  clicked_ = escapeIndex_;
  QDialog::reject();
}

void MessageDialog::FitToScreen() {
  const QScreen* screen = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
  const QSize room = screen ? screen->availableGeometry().size() * kScreenShare : QSize(800, 600);
  // What the text needs, with room for a scroll bar should it need one.
  const QSize text = label_->sizeHint();
  const int bar = scroller_->verticalScrollBar()->sizeHint().width();
  const int chrome = sizeHint().height() - scroller_->sizeHint().height();
  const int textRoom = room.height() - chrome;
  scroller_->setMinimumSize(qMin(text.width() + bar, room.width()), qMin(text.height(), textRoom));
  // A text that fits is no stop for Tab; one that scrolls takes the arrow keys.
  const bool scrolls = text.height() > textRoom || text.width() + bar > room.width();
  scroller_->setFocusPolicy(scrolls ? Qt::StrongFocus : Qt::NoFocus);
  resize(qMin(sizeHint().width(), room.width()), qMin(sizeHint().height(), room.height()));
  setMaximumSize(room);
}

}  // namespace trivolux
