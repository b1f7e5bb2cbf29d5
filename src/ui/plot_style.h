#pragma once
// Shared QCustomPlot set-up for the live graphs: cheap to redraw (no
// antialiasing, 1 px pens), small tick labels, labelled axes.
#include <QColor>
#include <QVector>

class QCustomPlot;
class QCPGraph;
class QCPItemTracer;

namespace trivolux {

// Samples shown by a strip chart: the histories hold the last 100 values and
// the charts show 101 points per screen.
inline constexpr int kStripChartPoints = 101;

void StyleLivePlot(QCustomPlot* plot, const QString& xLabel, const QString& yLabel);
// Adds one line graph with a 1 px pen of the given colour.
QCPGraph* AddLineGraph(QCustomPlot* plot, const QColor& colour);
// Strip chart: one line per colour, x 0..kStripChartPoints-1, y 0..yMax.
void SetupStripChart(QCustomPlot* plot, const QVector<QColor>& colours, double yMax, const QString& yLabel);
// Colour plane / bar graph with fixed ranges.
void SetupPlane(QCustomPlot* plot, const QString& xLabel, const QString& yLabel, double xMax, double yMax);
// A crosshair cursor at a free position (plot coordinates).
QCPItemTracer* AddCursor(QCustomPlot* plot, const QColor& colour);

}  // namespace trivolux
