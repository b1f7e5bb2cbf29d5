#include "live/graph_panel_curves.h"

#include <QComboBox>
#include <QPushButton>

#include "params/panel_access.h"
#include "qcustomplot.h"
#include "ui/panels.h"
#include "ui/plot_style.h"

namespace trivolux {

int GraphSignalOf(int selectorValue) {
  return selectorValue >= 0 && selectorValue < GraphPanel::kSignals ? selectorValue : 0;
}

double SignalValue(const MeasurementRecord& r, int signal) {
  using W = MeasurementRecord;
  constexpr int kWords[GraphPanel::kSignals] = {W::kRed, W::kGreen, W::kBlue, W::kX,
                                                W::kY,   W::kInt,   W::kTemp};
  return r[kWords[GraphSignalOf(signal)]];
}

GraphPanelCurves::GraphPanelCurves(Panels& panels, QObject* parent) : QObject(parent), panels_(panels) {
  GraphPanel& gp = panels_.graphPanel();
  for (int s = 0; s < GraphPanel::kSignals; ++s) {
    QCustomPlot* plot = gp.GraphOf(s);
    if (plot->graphCount() == 0) AddLineGraph(plot, QColor::fromRgb(GraphPanel::ColourOf(s)));
  }
  connect(gp.ui.ButtonGpClose, &QPushButton::clicked, this, &GraphPanelCurves::CBF_ButtonGpClose);
  connect(panels_.dataPanel().ui.ButtonShowGraph, &QPushButton::clicked, this,
          &GraphPanelCurves::CBF_ButtonShowGraph);
  // The visible graph follows the selector however it was changed.
  connect(gp.ui.RingSignal, &QComboBox::currentIndexChanged, this, &GraphPanelCurves::SetGraphVisible);
}

void GraphPanelCurves::InitPanelGraph(const MeasurementRecord& record) {
  pointCounter = 0;
  GraphPanel& gp = panels_.graphPanel();
  for (int s = 0; s < GraphPanel::kSignals; ++s) {
    QCustomPlot* plot = gp.GraphOf(s);
    for (int g = 0; g < plot->graphCount(); ++g) plot->graph(g)->data()->clear();
    plot->replot(QCustomPlot::rpQueuedReplot);
  }
  x = {0, 0};
  for (int s = 0; s < GraphPanel::kSignals; ++s) previous[s] = current[s] = SignalValue(record, s);
}

void GraphPanelCurves::SetGraphVisible() {
  GraphPanel& gp = panels_.graphPanel();
  QCustomPlot* shown = gp.GraphOf(RingValue(gp.ui.RingSignal));
  for (int s = 0; s < GraphPanel::kSignals; ++s) gp.GraphOf(s)->setVisible(false);
  shown->setVisible(true);
}

void GraphPanelCurves::CBF_ButtonShowGraph() {
  panels_.ShowChildPanelDisp(&panels_.graphPanel());
}

void GraphPanelCurves::CBF_ButtonGpClose() {
  panels_.ShowChildPanelDisp(&panels_.dataPanel());
}

}  // namespace trivolux
