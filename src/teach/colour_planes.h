#pragma once
// The taught rows in the colour planes of the data panel: every row's
// tolerance region as an outline in the row's colour (2D X/Y; 3D X/Y, X/INT,
// Y/INT), the intensity band of the row in "No.:", and the bounds of all
// taught regions, which the live graphs scale to.
#include <QObject>
#include <array>

#include "params/parameter_set.h"

class QCPItemEllipse;
class QCPItemRect;
class QCustomPlot;

namespace trivolux {

class LiveController;
class Panels;
class ParamController;
class TableAttrController;

class ColourPlanes : public QObject {
  Q_OBJECT
 public:
  ColourPlanes(Panels& panels, ParamController& params, TableAttrController& tableAttr, LiveController& live,
               QObject* parent = nullptr);

  // Redraws every taught region and the band from the working copy (callers
  // bring it up to date first) and hands the new bounds to the live graphs.
  void InitGraphs();
  // Redraws the band of the row in "No.:" from the teach grid's cells.
  void InitGraphInt2();
  // Removes the outlines and the band (RESET TABLE).
  void ClearPlanes();

  // The outline of a row in a plane (tests and screenshots look at them).
  const QCPItemEllipse* Outline(const QCustomPlot* plane, int row) const;
  const QCPItemRect* Band() const { return band_; }

 private:
  struct Plane {
    QCustomPlot* plot;
    std::array<QCPItemEllipse*, kTeachRows> outline;
  };
  void Replot(QCustomPlot* plot);

  Panels& panels_;
  ParamController& params_;
  TableAttrController& tableAttr_;
  LiveController& live_;
  // 2D X/Y, 3D X/Y, 3D X/INT, 3D Y/INT.
  std::array<Plane, 4> planes_{};
  QCPItemRect* band_ = nullptr;
};

}  // namespace trivolux
