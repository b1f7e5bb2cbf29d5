#include "ui/teach_page.h"

#include "ui/mnemonics.h"
#include "ui/panel_setup.h"

namespace trivolux {

TeachPage::TeachPage(QWidget* parent) : QWidget(parent) {
  ui.setupUi(this);
  AssignMnemonics(this);
  AssignRingIndexValues(this);
  // Column headers follow the calculation mode; these are the ones of mode 0.
  SetUpGrid(ui.GridTeach, {{"X", "Y", "CTO", "INT", "ITO", ""},
                           {GridColumn::Value, GridColumn::Value, GridColumn::Value, GridColumn::Value,
                            GridColumn::Value, GridColumn::Colour},
                           NumberedRowLabels(64),
                           1});
}

}  // namespace trivolux
