#include "live/graph_panel_curves.h"

#include <QComboBox>
#include <QPushButton>

#include "params/panel_access.h"
#include "qcustomplot.h"
#include "ui/panels.h"
#include "ui/plot_style.h"
#include "ui/replot_coalescer.h"

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

GraphPanelCurves::GraphPanelCurves(Panels& panels, ReplotCoalescer& replots, QObject* parent)
    : QObject(parent), panels_(panels), replots_(replots) {
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

void GraphPanelCurves::SetPanelGraphData(const MeasurementRecord& r) {
  using W = MeasurementRecord;
  GraphPanel& gp = panels_.graphPanel();
  auto& ui = gp.ui;
  ui.DispGpRed->setValue(r[W::kRed]);
  ui.DispGpGreen->setValue(r[W::kGreen]);
  ui.DispGpBlue->setValue(r[W::kBlue]);
  ui.DispGpX->setValue(r[W::kX]);
  ui.DispGpY->setValue(r[W::kY]);
  ui.DispGpINT->setValue(r[W::kInt]);
  ui.DispGpTemp->setValue(r[W::kTemp]);
  x[0] = x[1];
  x[1] = pointCounter;
  for (int s = 0; s < GraphPanel::kSignals; ++s) {
    previous[s] = current[s];
    current[s] = SignalValue(r, s);
  }
  if (pointCounter == 0) {
    x[0] = x[1];
    previous = current;
  }
  for (int s = 0; s < GraphPanel::kSignals; ++s) {
    QCustomPlot* plot = gp.GraphOf(s);
    QCPGraph* curve = plot->graph(0);
    // The curve already ends at the segment's first point; a new sweep
    // starts empty.
    if (pointCounter == 0) curve->data()->clear();
    curve->addData(x[1], current[s]);
    plot->xAxis->setRange(0, std::max(100.0, x[1]));
    const QCPRange y = plot->yAxis->range();
    if (!y.contains(current[s]))
      plot->yAxis->setRange(std::min(y.lower, current[s]), std::max(y.upper, current[s]));
    replots_.Request(plot);
  }
  ++pointCounter;
  ui.DispGpCounter->setValue(pointCounter);
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
