#include "ui/parameter_page.h"

#include "ui/mnemonics.h"
#include "ui/panel_setup.h"

namespace trivolux {

ParameterPage::ParameterPage(QWidget* parent) : QWidget(parent) {
  ui.setupUi(this);
  AssignMnemonics(this);
  AssignRingIndexValues(this);
  // The slider has no scale of its own: the display beside it shows POWER.
  connect(ui.SlidePower, &QSlider::valueChanged, ui.DispPower, &QSpinBox::setValue);
  ui.DispPower->setValue(ui.SlidePower->value());
}

}  // namespace trivolux
