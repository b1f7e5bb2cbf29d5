#include "live/graph_panel_curves.h"

#include <QComboBox>
#include <QPushButton>
#include <QSpinBox>
#include <algorithm>

#include "params/panel_access.h"
#include "qcustomplot.h"
#include "ui/panels.h"
#include "ui/plot_style.h"
#include "ui/replot_coalescer.h"

namespace trivolux {

int GraphSignalOf(int selectorValue) {
  return selectorValue >= 0 && selectorValue < GraphPanel::kSignals ? selectorValue : 0;
}

int SignalWord(int signal) {
  using W = MeasurementRecord;
  constexpr int kWords[GraphPanel::kSignals] = {W::kRed, W::kGreen, W::kBlue, W::kX,
                                                W::kY,   W::kInt,   W::kTemp};
  return kWords[GraphSignalOf(signal)];
}

double SignalValue(const MeasurementRecord& r, int signal) {
  return r[SignalWord(signal)];
}

namespace {
const QString kPointAxis = QStringLiteral("point");
const QString kTimeAxis = QStringLiteral("time [s]");

void SetPointAxis(QCustomPlot* plot) {
  if (plot->xAxis->label() != kPointAxis) plot->xAxis->setLabel(kPointAxis);
}

// A range that shows lo..hi with a little room, and at least `least` wide.
QCPRange PaddedRange(double lo, double hi, double least) {
  const double half = std::max(least, hi - lo) * 0.55;
  const double middle = (lo + hi) / 2;
  return QCPRange(middle - half, middle + half);
}
}  // namespace

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
    SetPointAxis(plot);
    plot->replot(QCustomPlot::rpQueuedReplot);
  }
  x = {0, 0};
  for (int s = 0; s < GraphPanel::kSignals; ++s) previous[s] = current[s] = SignalValue(record, s);
}

void GraphPanelCurves::SetPanelGraphData(const MeasurementRecord& r) {
  GraphPanel& gp = panels_.graphPanel();
  auto& ui = gp.ui;
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
  ShowValues();
  for (int s = 0; s < GraphPanel::kSignals; ++s) {
    QCustomPlot* plot = gp.GraphOf(s);
    QCPGraph* curve = plot->graph(0);
    // The curve already ends at the segment's first point; a new sweep
    // starts empty.
    if (pointCounter == 0) {
      curve->data()->clear();
      SetPointAxis(plot);
    }
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

void GraphPanelCurves::ShowTimeCurves(const std::vector<double>& seconds, bool sorted,
                                      const std::array<const std::int16_t*, GraphPanel::kSignals>& values,
                                      const std::function<void()>& betweenCurves) {
  GraphPanel& gp = panels_.graphPanel();
  const std::size_t n = seconds.size();
  double first = 0, last = 0;
  if (n > 0) {
    const auto [lo, hi] = std::minmax_element(seconds.begin(), seconds.end());
    first = *lo;
    last = *hi;
  }
  for (int s = 0; s < GraphPanel::kSignals; ++s) {
    const std::int16_t* v = values[static_cast<std::size_t>(s)];
    auto curve = QSharedPointer<QCPGraphDataContainer>::create();
    {
      QVector<QCPGraphData> points(static_cast<qsizetype>(n));
      for (std::size_t i = 0; i < n; ++i) points[static_cast<qsizetype>(i)] = QCPGraphData(seconds[i], v[i]);
      curve->set(points, sorted);
    }
    QCustomPlot* plot = gp.GraphOf(s);
    plot->graph(0)->setData(curve);
    plot->xAxis->setLabel(kTimeAxis);
    plot->xAxis->setRange(first, std::max(last, first + 1));
    const auto [lo, hi] = std::minmax_element(v, v + n);
    plot->yAxis->setRange(n > 0 ? PaddedRange(*lo, *hi, 10) : PaddedRange(0, 0, 10));
    replots_.Request(plot);
    previous[s] = current[s] = n > 0 ? v[n - 1] : 0;
    if (betweenCurves) betweenCurves();
  }
  ShowValues();
  gp.ui.DispGpCounter->setValue(static_cast<int>(std::min<std::size_t>(n, 65535)));
  pointCounter = 0;
  x = {0, 0};
}

void GraphPanelCurves::ShowValues() {
  auto& ui = panels_.graphPanel().ui;
  QSpinBox* displays[GraphPanel::kSignals] = {ui.DispGpRed, ui.DispGpGreen, ui.DispGpBlue, ui.DispGpX,
                                              ui.DispGpY,   ui.DispGpINT,   ui.DispGpTemp};
  for (int s = 0; s < GraphPanel::kSignals; ++s) displays[s]->setValue(static_cast<int>(current[s]));
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
