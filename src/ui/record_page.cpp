#include "ui/record_page.h"

#include "ui/panel_setup.h"

namespace trivolux {

RecordPage::RecordPage(QWidget* parent) : QWidget(parent) {
  ui.setupUi(this);
  AssignRingIndexValues(this);
}

}  // namespace trivolux
