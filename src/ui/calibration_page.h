#pragma once
// The calibration page: calibration factors, raw and calibrated values and the
// calibration buttons.
#include <QSpinBox>
#include <QWidget>

#include "ui_calibration_page.h"

namespace trivolux {

class CalibrationPage : public QWidget {
  Q_OBJECT
 public:
  explicit CalibrationPage(QWidget* parent = nullptr);
  Ui::CalibrationPage ui;

  // The sensor takes factors 0 to 4096. A CF control holds any 16-bit value,
  // so that a factor read from the sensor is shown as it came; one beyond
  // 4096 is marked out of range (red field, tool tip) and is not sent.
  static constexpr int kMaxCalFactor = 4096;
  static bool OutOfRange(const QSpinBox* factor) { return factor->value() > kMaxCalFactor; }

 private:
  void MarkRange(QSpinBox* factor);
};

}  // namespace trivolux
