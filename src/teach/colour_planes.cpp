#include "teach/colour_planes.h"

#include <QComboBox>
#include <QSpinBox>

#include "live/live_controller.h"
#include "params/panel_access.h"
#include "params/param_controller.h"
#include "qcustomplot.h"
#include "teach/plane_geometry.h"
#include "teach/table_attr_controller.h"
#include "ui/panels.h"

namespace trivolux {

namespace {
enum PlaneIndex { kXY2D = 0, kXY3D, kXINT3D, kYINT3D };

QCPItemEllipse* NewOutline(QCustomPlot* plot) {
  auto* e = new QCPItemEllipse(plot);
  e->setBrush(Qt::NoBrush);
  e->setSelectable(false);
  e->setVisible(false);
  return e;
}

void Place(QCPItemEllipse* e, const EllipseBox& box, const QPen& pen) {
  e->topLeft->setCoords(box.left, box.top);
  e->bottomRight->setCoords(box.right, box.bottom);
  e->setPen(pen);
  e->setVisible(true);
}
}  // namespace

ColourPlanes::ColourPlanes(Panels& panels, ParamController& params, TableAttrController& tableAttr,
                           LiveController& live, QObject* parent)
    : QObject(parent), panels_(panels), params_(params), tableAttr_(tableAttr), live_(live) {
  auto& d = panels_.dataPanel().ui;
  QCustomPlot* plots[4] = {d.GraphXY2D, d.GraphXY3D, d.GraphXINT3D, d.GraphYINT3D};
  for (int p = 0; p < 4; ++p) {
    planes_[p].plot = plots[p];
    for (auto& e : planes_[p].outline) e = NewOutline(plots[p]);
  }
  band_ = new QCPItemRect(d.GraphINT2D);
  const QColor bandColour = QColor::fromRgb(kIntensityBandColour);
  band_->setPen(QPen(bandColour));
  band_->setBrush(bandColour);
  band_->setSelectable(false);
  band_->setVisible(false);
  // The band lies under the live cursor.
  band_->setLayer(QStringLiteral("background"));

  connect(&params_, &ParamController::parametersRead, this, &ColourPlanes::InitGraphs);
  connect(&params_, &ParamController::calculationModeChanged, this, &ColourPlanes::InitGraphs);
  connect(&tableAttr_, &TableAttrController::rowColoursChanged, this, &ColourPlanes::InitGraphs);
  connect(&live_, &LiveController::goStarting, this, &ColourPlanes::InitGraphs);
  connect(panels_.teachPage().ui.NumNo, &QSpinBox::valueChanged, this, &ColourPlanes::InitGraphInt2);
}

void ColourPlanes::Replot(QCustomPlot* plot) {
  live_.graphs().replots().Request(plot);
}

void ColourPlanes::InitGraphs() {
  InitGraphInt2();
  ParameterSet& para = params_.para();
  const int calcMode = RingValue(panels_.parameterPage().ui.RingCalcMode);
  para.block[kCalcMode] = static_cast<std::uint16_t>(calcMode);
  for (int k = 0; k < kTeachRows; ++k) {
    const RowOutlines o = OutlinesOf(RegionOfRow(para.table[k], calcMode));
    const QPen pen(QColor::fromRgb(static_cast<QRgb>(tableAttr_.RowColour(k)) & 0xFFFFFFu), 1);
    Place(planes_[kXY3D].outline[k], o.xy, pen);
    Place(planes_[kXINT3D].outline[k], o.xInt, pen);
    Place(planes_[kYINT3D].outline[k], o.yInt, pen);
    Place(planes_[kXY2D].outline[k], o.xy, pen);
  }
  for (const Plane& p : planes_) Replot(p.plot);
  live_.SetTaughtBounds(BoundsOfTable(para.table, calcMode));
}

void ColourPlanes::InitGraphInt2() {
  const int calcMode = RingValue(panels_.parameterPage().ui.RingCalcMode);
  params_.para().block[kCalcMode] = static_cast<std::uint16_t>(calcMode);
  auto& t = panels_.teachPage().ui;
  const int row = t.NumNo->value();
  const IntensityColumns columns = IntensityColumnsFor(calcMode);
  const IntensityBand band = IntensityBandOf(CellValue(t.GridTeach, row, columns.intensity),
                                             CellValue(t.GridTeach, row, columns.tolerance));
  band_->topLeft->setCoords(band.low, 100);
  band_->bottomRight->setCoords(band.high, 0);
  band_->setVisible(true);
  Replot(panels_.dataPanel().ui.GraphINT2D);
}

void ColourPlanes::ClearPlanes() {
  for (Plane& p : planes_) {
    for (QCPItemEllipse* e : p.outline) e->setVisible(false);
    Replot(p.plot);
  }
  band_->setVisible(false);
  Replot(panels_.dataPanel().ui.GraphINT2D);
}

const QCPItemEllipse* ColourPlanes::Outline(const QCustomPlot* plane, int row) const {
  if (row < 0 || row >= kTeachRows) return nullptr;
  for (const Plane& p : planes_) {
    if (p.plot == plane) return p.outline[static_cast<std::size_t>(row)];
  }
  return nullptr;
}

}  // namespace trivolux
