#pragma once
// The calibration page: calibration factors, raw and calibrated values and the
// calibration buttons.
#include <QWidget>

#include "ui_calibration_page.h"

namespace trivolux {

class CalibrationPage : public QWidget {
  Q_OBJECT
 public:
  explicit CalibrationPage(QWidget* parent = nullptr);
  Ui::CalibrationPage ui;
};

}  // namespace trivolux
