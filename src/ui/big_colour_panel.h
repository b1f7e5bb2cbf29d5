#pragma once
// Big display of the detected colour number with the sensor identification above it;
// a top-level window opened by a double click on the data panel's display.
#include "ui/big_display.h"
#include "ui_big_colour_panel.h"

namespace trivolux {

class BigColourPanel : public BigDisplay {
  Q_OBJECT
 public:
  explicit BigColourPanel(QWidget* parent = nullptr);
  Ui::BigColourPanel ui;
};

}  // namespace trivolux
