#include "ui/graph_panel.h"

#include "qcustomplot.h"
#include "ui/mnemonics.h"
#include "ui/panel_setup.h"
#include "ui/plot_style.h"

namespace trivolux {

namespace {
constexpr unsigned kColours[GraphPanel::kSignals] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFF0000,
                                                     0x00FF00, 0x008080, 0x008080};
}  // namespace

GraphPanel::GraphPanel(QWidget* parent) : QWidget(parent) {
  ui.setupUi(this);
  AssignMnemonics(this);
  AssignRingIndexValues(this);
  const char* labels[kSignals] = {"RED", "GREEN", "BLUE", "X", "Y", "INT", "TEMP"};
  for (int s = 0; s < kSignals; ++s) {
    QCustomPlot* plot = GraphOf(s);
    StyleLivePlot(plot, "point", labels[s]);
    plot->xAxis->setRange(0, 100);
    plot->yAxis->setRange(0, 4096);
    plot->setVisible(s == 0);
  }
}

QCustomPlot* GraphPanel::GraphOf(int signal) const {
  switch (signal) {
    case 1:
      return ui.GraphGreen;
    case 2:
      return ui.GraphBlue;
    case 3:
      return ui.GraphX;
    case 4:
      return ui.GraphY;
    case 5:
      return ui.GraphINT;
    case 6:
      return ui.GraphTEMP;
    default:
      return ui.GraphRed;
  }
}

unsigned GraphPanel::ColourOf(int signal) {
  return signal >= 0 && signal < kSignals ? kColours[signal] : kColours[0];
}

}  // namespace trivolux
