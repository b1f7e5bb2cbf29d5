#include "ui/mean_teach_panel.h"

#include <QHeaderView>

#include "ui/control_init.h"

namespace trivolux {

MeanTeachPanel::MeanTeachPanel(QWidget* parent) : QWidget(parent) {
  ui.setupUi(this);
  InitValueGrid(ui.GridTP1Values);
  InitValueGrid(ui.GridTP1Mean);
  // The mean row is computed, never typed.
  ui.GridTP1Mean->setEditTriggers(QAbstractItemView::NoEditTriggers);
  ui.GridTP1Mean->verticalHeader()->setSectionResizeMode(QHeaderView::Stretch);
  AssignRingValues(ui.RingTP1TeachCtoWith);
  AssignRingValues(ui.RingTP1TeachItoWith);
}

}  // namespace trivolux
