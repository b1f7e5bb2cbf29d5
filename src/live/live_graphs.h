#pragma once
// The live graphs of the data panel: the strip charts of RED, GREEN, BLUE and
// of X, Y, INT with their zoom clicks, and the axis windows and cursors of
// the 2D and 3D colour planes. Data and axes follow every frame; the
// pictures are redrawn through the replot coalescer.
#include <QObject>
#include <array>

#include "live/axis_window.h"
#include "live/measurement_record.h"
#include "ui/replot_coalescer.h"

class QCustomPlot;
class QMouseEvent;
class QCPGraph;

namespace trivolux {

class Panels;

class LiveGraphs : public QObject {
  Q_OBJECT
 public:
  explicit LiveGraphs(Panels& panels, QObject* parent = nullptr);

  // Redraws the data-panel graphs from the record and the histories; the
  // CALCULATION MODE is read from its control.
  void ShowGraph(const MeasurementRecord& record, const ValueHistories& histories,
                 const TaughtBounds& bounds);
  void ShowGraph2D(const MeasurementRecord& record, const TaughtBounds& bounds, int calcMode);
  void ShowGraph3D(const MeasurementRecord& record, const ValueHistories& histories,
                   const TaughtBounds& bounds);

  // Zoom of the RGB strip chart: autoscaled (left double click) or 0..4096.
  void CBF_GraphRGB(bool autoscale);
  // Zoom of the X, Y, INT strip charts: autoscaled, or fixed for the mode.
  void CBF_GraphINT1(bool autoscale);
  bool Autoscaled(const QCustomPlot* chart) const;

  ReplotCoalescer& replots() { return replots_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void FillStripChart(QCustomPlot* chart, const double* values, int traces, bool autoscale);
  void SetPlane(QCustomPlot* plane, const PlaneWindow& window);

  Panels& panels_;
  ReplotCoalescer replots_;
  bool rgbAutoscale_ = false;
  bool xyIntAutoscale_ = false;
};

}  // namespace trivolux
