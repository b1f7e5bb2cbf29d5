#include "ui/mean_teach_panel.h"

#include <QHeaderView>

#include "ui/mnemonics.h"
#include "ui/panel_setup.h"

namespace trivolux {

MeanTeachPanel::MeanTeachPanel(QWidget* parent) : QWidget(parent) {
  ui.setupUi(this);
  AssignMnemonics(this);
  // Column headers follow the calculation mode; these are the ones of the X/Y/INT modes.
  GridLayoutSpec grid{{"RED", "GREEN", "BLUE", "X", "Y", "INT"},
                      QList<GridColumn>(kColumns, GridColumn::Value),
                      NumberedRowLabels(kCaptureRows)};
  grid.valuesFillWidth = true;
  SetUpGrid(ui.GridTP1Values, grid);
  grid.rowLabels = QStringList{"MEAN"};
  SetUpGrid(ui.GridTP1Mean, grid);
  // The mean row is computed, never typed.
  ui.GridTP1Mean->setEditTriggers(QAbstractItemView::NoEditTriggers);
  ui.GridTP1Mean->verticalHeader()->setSectionResizeMode(QHeaderView::Stretch);
  AssignRingIndexValues(this);
  for (QComboBox* ring : {ui.RingTP1TeachCtoWith, ui.RingTP1TeachItoWith}) {
    // Item texts change with the calculation mode; the ring must not widen the panel.
    ring->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    ring->setMinimumContentsLength(10);
  }
  CaptionFollowsControl(ui.LabelTP1MaxDeltaXY, ui.DispTP1MaxDeltaXY);
  CaptionFollowsControl(ui.LabelTP1MaxDeltaInt, ui.DispTP1MaxDeltaInt);
  CaptionFollowsControl(ui.LabelTP1TeachCtoWith, ui.RingTP1TeachCtoWith);
  CaptionFollowsControl(ui.LabelTP1TeachItoWith, ui.RingTP1TeachItoWith);
  CaptionFollowsControl(ui.LabelTP1ValueCto, ui.NumTP1ValueCto);
  CaptionFollowsControl(ui.LabelTP1ValueIto, ui.NumTP1ValueIto);
}

}  // namespace trivolux
