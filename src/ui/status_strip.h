#pragma once
// The strip along the bottom of the main panel, visible from every page: a
// lamp and one line for the connection state, the frame rate while a loop
// runs, and the confirmation of the last transfer, which clears itself after
// some seconds. Texts too long for their room are shortened in the middle
// (a path keeps its start and its file name); the whole text is the tool tip.
#include <QColor>
#include <QFrame>
#include <QLabel>
#include <QTimer>

namespace trivolux {

class LedIndicator;

// A one-line label that shows as much of its text as fits, eliding the middle.
class ElidedLabel : public QLabel {
  Q_OBJECT
 public:
  explicit ElidedLabel(QWidget* parent = nullptr);
  void SetFullText(const QString& text);
  const QString& FullText() const { return full_; }
  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void Elide();
  QString full_;
};

class StatusStrip : public QFrame {
  Q_OBJECT
 public:
  // How long a transfer confirmation stays, ms.
  static constexpr int kNoticeMs = 12000;

  explicit StatusStrip(QWidget* parent = nullptr);

  // The connection line and its lamp colour (an invalid colour: lamp off).
  void SetLink(const QColor& lamp, const QString& text);
  QString LinkText() const { return link_->FullText(); }
  QColor LampColour() const;
  // The frame rate text; empty hides it.
  void SetFrameRate(const QString& text);
  QString FrameRate() const { return rate_->isVisibleTo(this) ? rate_->text() : QString(); }
  // A transfer confirmation; it replaces the previous one and clears itself
  // after kNoticeMs.
  void ShowNotice(const QString& text);
  QString Notice() const { return notice_->FullText(); }

 private:
  LedIndicator* lamp_;
  ElidedLabel* link_;
  QFrame* rateLine_;
  QLabel* rate_;
  ElidedLabel* notice_;
  QTimer noticeTimer_;
};

}  // namespace trivolux
