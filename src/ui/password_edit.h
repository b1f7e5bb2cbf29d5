#pragma once
// Masked password entry: shows one "*" per character and holds at most
// 20 characters (the value is read into a 21-byte buffer on the sensor side
// of the original design, so longer entries are refused at typing time).
#include <QLineEdit>

namespace trivolux {

class PasswordEdit : public QLineEdit {
  Q_OBJECT
 public:
  static constexpr int kMaxLength = 20;

  explicit PasswordEdit(QWidget* parent = nullptr);
  QString Value() const { return text(); }
  void Clear() { clear(); }
};

}  // namespace trivolux
