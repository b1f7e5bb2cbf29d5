#pragma once
// The parameter page: the controls of the sensor parameter block.
#include <QWidget>

#include "ui_parameter_page.h"

namespace trivolux {

class ParameterPage : public QWidget {
  Q_OBJECT
 public:
  explicit ParameterPage(QWidget* parent = nullptr);
  Ui::ParameterPage ui;
};

}  // namespace trivolux
