#include "ui/plot_style.h"

#include "qcustomplot.h"

namespace trivolux {

void StyleLivePlot(QCustomPlot* plot, const QString& xLabel, const QString& yLabel) {
  plot->setNotAntialiasedElements(QCP::aeAll);
  plot->setAntialiasedElements(QCP::aeNone);
  plot->setNoAntialiasingOnDrag(true);
  plot->setPlottingHint(QCP::phFastPolylines, true);
  QFont small = plot->font();
  small.setPointSize(7);
  for (QCPAxis* axis : {plot->xAxis, plot->yAxis}) {
    axis->setTickLabelFont(small);
    axis->setLabelFont(small);
    axis->setLabelPadding(1);
    axis->setTickLabelPadding(2);
  }
  plot->xAxis->setLabel(xLabel);
  plot->yAxis->setLabel(yLabel);
  plot->axisRect()->setAutoMargins(QCP::msAll);
  plot->axisRect()->setMinimumMargins(QMargins(2, 2, 2, 2));
}

QCPGraph* AddLineGraph(QCustomPlot* plot, const QColor& colour) {
  QCPGraph* graph = plot->addGraph();
  graph->setPen(QPen(colour, 1));
  graph->setAdaptiveSampling(true);
  return graph;
}

void SetupStripChart(QCustomPlot* plot, const QVector<QColor>& colours, double yMax, const QString& yLabel) {
  StyleLivePlot(plot, QString(), yLabel);
  for (const QColor& c : colours) AddLineGraph(plot, c);
  plot->xAxis->setRange(0, kStripChartPoints - 1);
  plot->yAxis->setRange(0, yMax);
}

void SetupPlane(QCustomPlot* plot, const QString& xLabel, const QString& yLabel, double xMax, double yMax) {
  StyleLivePlot(plot, xLabel, yLabel);
  plot->xAxis->setRange(0, xMax);
  plot->yAxis->setRange(0, yMax);
}

QCPItemTracer* AddCursor(QCustomPlot* plot, const QColor& colour) {
  auto* cursor = new QCPItemTracer(plot);
  cursor->setStyle(QCPItemTracer::tsCrosshair);
  cursor->setPen(QPen(colour, 1, Qt::DashLine));
  cursor->position->setType(QCPItemPosition::ptPlotCoords);
  cursor->position->setCoords(0, 0);
  return cursor;
}

}  // namespace trivolux
