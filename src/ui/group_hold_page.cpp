#include "ui/group_hold_page.h"

#include "ui/mnemonics.h"
#include "ui/panel_setup.h"

namespace trivolux {

GroupHoldPage::GroupHoldPage(QWidget* parent) : QWidget(parent) {
  ui.setupUi(this);
  AssignMnemonics(this);
  AssignRingIndexValues(this);
  GridLayoutSpec groups{{"GROUP", ""}, {GridColumn::Value, GridColumn::Colour}, NumberedRowLabels(64), 0};
  groups.valuesFillWidth = true;
  SetUpGrid(ui.GridGroups, groups);
  // Row 1 of the hold grid is HOLD FAIL; rows 2..65 belong to teach rows 0..63.
  GridLayoutSpec hold{
      {"HOLD", ""}, {GridColumn::Value, GridColumn::Colour}, QStringList{"FAIL"} + NumberedRowLabels(64), 10};
  hold.valuesFillWidth = true;
  SetUpGrid(ui.GridHold, hold);
}

}  // namespace trivolux
