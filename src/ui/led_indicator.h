#pragma once
// A small round indicator lamp: on shows the on-colour, off shows dark grey.
#include <QColor>
#include <QWidget>

namespace trivolux {

class LedIndicator : public QWidget {
  Q_OBJECT
 public:
  explicit LedIndicator(QWidget* parent = nullptr);
  bool isOn() const { return on_; }
  void setOn(bool on);
  QColor onColor() const { return onColor_; }
  void setOnColor(const QColor& c);
  QSize sizeHint() const override { return {18, 18}; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  bool on_ = false;
  QColor onColor_{0x00, 0xC0, 0x00};
};

}  // namespace trivolux
