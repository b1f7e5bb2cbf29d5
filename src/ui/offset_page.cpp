#include "ui/offset_page.h"

#include "ui/mnemonics.h"
#include "ui/panel_setup.h"

namespace trivolux {

OffsetPage::OffsetPage(QWidget* parent) : QWidget(parent) {
  ui.setupUi(this);
  AssignMnemonics(this);
  AssignRingIndexValues(this);
}

}  // namespace trivolux
