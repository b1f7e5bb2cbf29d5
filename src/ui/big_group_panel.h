#pragma once
// Big display of the detected colour group with the sensor identification above it;
// a top-level window opened by a double click on the data panel's display.
#include "ui/big_display.h"
#include "ui_big_group_panel.h"

namespace trivolux {

class BigGroupPanel : public BigDisplay {
  Q_OBJECT
 public:
  explicit BigGroupPanel(QWidget* parent = nullptr);
  Ui::BigGroupPanel ui;
};

}  // namespace trivolux
