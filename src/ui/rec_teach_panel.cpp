#include "ui/rec_teach_panel.h"

#include "qcustomplot.h"
#include "ui/mnemonics.h"
#include "ui/plot_style.h"

namespace trivolux {

RecTeachPanel::RecTeachPanel(QWidget* parent) : QWidget(parent) {
  ui.setupUi(this);
  AssignMnemonics(this);
  graphs_[0] = ui.GraphXYTP2;
  graphs_[1] = ui.GraphXIntTP2;
  graphs_[2] = ui.GraphYIntTP2;
  const char* axes[kGraphs][2] = {{"X", "Y"}, {"X", "INT"}, {"Y", "INT"}};
  for (int g = 0; g < kGraphs; ++g) {
    SetupPlane(graphs_[g], axes[g][0], axes[g][1], 10000, 10000);
    points_[g] = AddPointGraph(graphs_[g], QColor(0xFF, 0x00, 0x00));
    cursors_[g] = AddCursor(graphs_[g], QColor(0x20, 0x20, 0x20));
  }
}

}  // namespace trivolux
