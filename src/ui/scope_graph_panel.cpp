#include "ui/scope_graph_panel.h"

#include "qcustomplot.h"
#include "ui/mnemonics.h"
#include "ui/panel_setup.h"
#include "ui/plot_style.h"

namespace trivolux {

ScopeGraphPanel::ScopeGraphPanel(QWidget* parent) : QWidget(parent) {
  ui.setupUi(this);
  AssignMnemonics(this);
  AssignRingIndexValues(this);

  // Full range: 128 samples across, 0..4100 digits up (0..10000 for s/i/M).
  SetupPlane(ui.GraphScope, "sample", "digit", kSamples, 4100);
  // Binary traces lie one above the other: A at 2..3, B at 0..1.
  SetupPlane(ui.GraphScopeBinary, QString(), "IN", kSamples, 4);
  ui.GraphScopeBinary->yAxis->ticker()->setTickCount(2);

  cursor1 = AddCursor(ui.GraphScope, QColor(0x80, 0x00, 0x80));
  cursor2 = AddCursor(ui.GraphScope, QColor(0x00, 0x80, 0x80));
  binaryCursor1 = AddCursor(ui.GraphScopeBinary, QColor(0x80, 0x00, 0x80));
  binaryCursor2 = AddCursor(ui.GraphScopeBinary, QColor(0x00, 0x80, 0x80));
  cursor2->position->setCoords(kSamples, 0);
  binaryCursor2->position->setCoords(kSamples, 0);

  ui.LedScanActive->setOnColor(QColor(0x00, 0xC0, 0x00));
}

}  // namespace trivolux
