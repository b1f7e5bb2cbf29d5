#include "live/live_graphs.h"

#include <QKeyEvent>

#include "params/panel_access.h"
#include "params/parameter_set.h"
#include "qcustomplot.h"
#include "ui/panels.h"
#include "ui/plot_style.h"

namespace trivolux {

namespace {
constexpr double kChannelMax = 4096;
// Fixed ranges of the X, Y, INT charts in the s/i/M modes: s, i, M.
constexpr double kSiMRanges[3] = {10000, 5000, 1200};
constexpr int kHistory = ValueHistories::kLength;

int CalcModeOf(Panels& panels) {
  return RingValue(panels.parameterPage().ui.RingCalcMode);
}
}  // namespace

LiveGraphs::LiveGraphs(Panels& panels, QObject* parent) : QObject(parent), panels_(panels) {
  auto& d = panels_.dataPanel().ui;
  // The strip charts hold exactly one history each (keys 1..100, points per
  // screen 101); redraws change the values in place.
  for (QCustomPlot* chart : {d.ChartRGB, d.ChartX, d.ChartY, d.ChartINT, d.ChartRGB3D}) {
    for (int g = 0; g < chart->graphCount(); ++g) {
      QVector<double> keys(kHistory), values(kHistory, 0.0);
      for (int k = 0; k < kHistory; ++k) keys[k] = k + 1;
      chart->graph(g)->setData(keys, values, true);
    }
  }
  // Zoom by mouse, and by keyboard for the same charts: + or Enter zooms
  // (autoscale), - or Escape returns to the fixed range.
  for (QCustomPlot* chart : {d.ChartRGB, d.ChartX, d.ChartY, d.ChartINT}) {
    const bool rgb = chart == d.ChartRGB;
    connect(chart, &QCustomPlot::mousePress, this, [this, rgb](QMouseEvent* e) {
      if (e->button() == Qt::LeftButton) rgb ? CBF_GraphRGB(false) : CBF_GraphINT1(false);
    });
    connect(chart, &QCustomPlot::mouseDoubleClick, this, [this, rgb](QMouseEvent* e) {
      if (e->button() == Qt::LeftButton) rgb ? CBF_GraphRGB(true) : CBF_GraphINT1(true);
    });
    chart->setFocusPolicy(Qt::StrongFocus);
    chart->installEventFilter(this);
  }
}

bool LiveGraphs::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
  const int key = static_cast<QKeyEvent*>(event)->key();
  bool zoom;
  if (key == Qt::Key_Plus || key == Qt::Key_Return || key == Qt::Key_Enter)
    zoom = true;
  else if (key == Qt::Key_Minus || key == Qt::Key_Escape)
    zoom = false;
  else
    return QObject::eventFilter(watched, event);
  watched == panels_.dataPanel().ui.ChartRGB ? CBF_GraphRGB(zoom) : CBF_GraphINT1(zoom);
  return true;
}

void LiveGraphs::FillStripChart(QCustomPlot* chart, const double* values, int traces, bool autoscale) {
  for (int g = 0; g < traces && g < chart->graphCount(); ++g) {
    int k = 0;
    for (auto it = chart->graph(g)->data()->begin(); it != chart->graph(g)->data()->end(); ++it, ++k)
      it->value = values[k * traces + g];
  }
  if (autoscale) chart->yAxis->rescale();
  replots_.Request(chart);
}

void LiveGraphs::SetPlane(QCustomPlot* plane, const PlaneWindow& w) {
  plane->xAxis->setRange(w.xLow, w.xHigh);
  plane->yAxis->setRange(w.yLow, w.yHigh);
}

void LiveGraphs::ShowGraph(const MeasurementRecord& record, const ValueHistories& histories,
                           const TaughtBounds& bounds) {
  auto& d = panels_.dataPanel().ui;
  FillStripChart(d.ChartRGB, histories.Rgb().data(), 3, rgbAutoscale_);
  FillStripChart(d.ChartX, histories.X().data(), 1, xyIntAutoscale_);
  FillStripChart(d.ChartY, histories.Y().data(), 1, xyIntAutoscale_);
  FillStripChart(d.ChartINT, histories.Int().data(), 1, xyIntAutoscale_);
  const int calcMode = CalcModeOf(panels_);
  if (calcMode == 0 || calcMode == 1)
    ShowGraph2D(record, bounds, calcMode);
  else
    ShowGraph3D(record, histories, bounds);
}

void LiveGraphs::ShowGraph2D(const MeasurementRecord& r, const TaughtBounds& b, int calcMode) {
  DataPanel& panel = panels_.dataPanel();
  const int x = r[MeasurementRecord::kX], y = r[MeasurementRecord::kY], i = r[MeasurementRecord::kInt];
  SetPlane(panel.ui.GraphXY2D,
           PlaneWindowFor(AxisSpanFor(x, b.xMin, b.xMax), AxisSpanFor(y, b.yMin, b.yMax)));
  panel.cursorXY2D->position->setCoords(x, y);
  panel.cursorINT2D->position->setCoords(IntensityCursor(calcMode, i), 50.0);
  replots_.Request(panel.ui.GraphXY2D);
  replots_.Request(panel.ui.GraphINT2D);
}

void LiveGraphs::ShowGraph3D(const MeasurementRecord& r, const ValueHistories& histories,
                             const TaughtBounds& b) {
  DataPanel& panel = panels_.dataPanel();
  const int x = r[MeasurementRecord::kX], y = r[MeasurementRecord::kY], i = r[MeasurementRecord::kInt];
  const AxisSpan sx = AxisSpanFor(x, b.xMin, b.xMax);
  const AxisSpan sy = AxisSpanFor(y, b.yMin, b.yMax);
  const AxisSpan si = AxisSpanFor(i, b.iMin, b.iMax);
  SetPlane(panel.ui.GraphXY3D, PlaneWindowFor(sx, sy));
  SetPlane(panel.ui.GraphXINT3D, PlaneWindowFor(sx, si));
  SetPlane(panel.ui.GraphYINT3D, PlaneWindowFor(sy, si));
  panel.cursorXY3D->position->setCoords(x, y);
  panel.cursorXINT3D->position->setCoords(x, i);
  panel.cursorYINT3D->position->setCoords(y, i);
  for (QCustomPlot* plane : {panel.ui.GraphXY3D, panel.ui.GraphXINT3D, panel.ui.GraphYINT3D})
    replots_.Request(plane);
  FillStripChart(panel.ui.ChartRGB3D, histories.Rgb().data(), 3, false);
}

void LiveGraphs::CBF_GraphRGB(bool autoscale) {
  QCustomPlot* chart = panels_.dataPanel().ui.ChartRGB;
  rgbAutoscale_ = autoscale;
  if (autoscale)
    chart->yAxis->rescale();
  else
    chart->yAxis->setRange(0, kChannelMax);
  replots_.Request(chart);
}

void LiveGraphs::CBF_GraphINT1(bool autoscale) {
  auto& d = panels_.dataPanel().ui;
  xyIntAutoscale_ = autoscale;
  // The CALCULATION MODE rule rescales manually scaled charts only.
  d.ChartINT->setProperty("autoScaleY", autoscale);
  const bool sim = mode::IsSiM(CalcModeOf(panels_));
  QCustomPlot* charts[3] = {d.ChartX, d.ChartY, d.ChartINT};
  for (int k = 0; k < 3; ++k) {
    if (autoscale)
      charts[k]->yAxis->rescale();
    else
      charts[k]->yAxis->setRange(0, sim ? kSiMRanges[k] : kChannelMax);
    replots_.Request(charts[k]);
  }
}

bool LiveGraphs::Autoscaled(const QCustomPlot* chart) const {
  auto& d = panels_.dataPanel().ui;
  if (chart == d.ChartRGB) return rgbAutoscale_;
  if (chart == d.ChartX || chart == d.ChartY || chart == d.ChartINT) return xyIntAutoscale_;
  return false;
}

}  // namespace trivolux
