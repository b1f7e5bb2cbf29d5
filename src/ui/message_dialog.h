#pragma once
// The program's message, confirm and custom-button popups. The text is shown
// exactly as given; when it is taller than the screen allows (a list of 64
// defaulted teach rows is about 1000 px), it scrolls inside a popup that fits
// the screen, so the buttons stay reachable. Like a platform message box it
// opens with the keyboard focus on its first (default) button; Tab moves
// along the buttons, and the text takes part only when it scrolls.
#include <QDialog>
#include <QStringList>

class QLabel;
class QPushButton;
class QScrollArea;

namespace trivolux {

class MessageDialog : public QDialog {
  Q_OBJECT
 public:
  // buttons: their texts, left to right; the first is the default button.
  // escapeIndex: the button Escape (and the close box) stands for.
  MessageDialog(const QString& title, const QString& text, const QStringList& buttons, int escapeIndex,
                QWidget* parent = nullptr);

  // The button pressed (or the escape button's index).
  int ClickedIndex() const { return clicked_; }
  QLabel* textLabel() const { return label_; }
  QScrollArea* scroller() const { return scroller_; }
  QList<QPushButton*> buttons() const { return buttons_; }

 protected:
  void reject() override;
  void showEvent(QShowEvent* event) override;

 private:
  // Sizes the popup to its content, at most 90 % of the available screen.
  void FitToScreen();

  QLabel* label_ = nullptr;
  QScrollArea* scroller_ = nullptr;
  QList<QPushButton*> buttons_;
  int escapeIndex_ = 0;
  int clicked_ = 0;
};

}  // namespace trivolux
