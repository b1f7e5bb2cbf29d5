#include "ui/group_hold_page.h"

#include "ui/panel_setup.h"

namespace trivolux {

GroupHoldPage::GroupHoldPage(QWidget* parent) : QWidget(parent) {
  ui.setupUi(this);
  AssignRingIndexValues(this);
  SetUpGrid(ui.GridGroups,
            {{"GROUP", ""}, {GridColumn::Value, GridColumn::Colour}, NumberedRowLabels(64), 0});
  // Row 1 of the hold grid is HOLD FAIL; rows 2..65 belong to teach rows 0..63.
  SetUpGrid(ui.GridHold, {{"HOLD", ""},
                          {GridColumn::Value, GridColumn::Colour},
                          QStringList{"FAIL"} + NumberedRowLabels(64),
                          10});
}

}  // namespace trivolux
