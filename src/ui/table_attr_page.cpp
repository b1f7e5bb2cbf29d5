#include "ui/table_attr_page.h"

#include "ui/mnemonics.h"
#include "ui/panel_setup.h"

namespace trivolux {

TableAttrPage::TableAttrPage(QWidget* parent) : QWidget(parent) {
  ui.setupUi(this);
  AssignMnemonics(this);
  AssignRingIndexValues(this);
  SetUpGrid(
      ui.GridTableAttr,
      {{"ROW SPECIFICATION", ""}, {GridColumn::Text, GridColumn::Colour}, NumberedRowLabels(64), 0, 99});
}

}  // namespace trivolux
