#include "scope/scope_controller.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>

#include "base/shared_state.h"
#include "link/link_controller.h"
#include "link/orders.h"
#include "link/sensor_link.h"
#include "params/panel_access.h"
#include "params/param_controller.h"
#include "qcustomplot.h"
#include "ui/led_indicator.h"
#include "ui/panels.h"

namespace trivolux {

namespace {
constexpr unsigned kTraceColours[3] = {0xFF0000, 0x00FF00, 0x0000FF};
}  // namespace

ScopeController::ScopeController(Panels& panels, SharedState& state, LinkController& link,
                                 ParamController& params, QObject* parent)
    : QObject(parent),
      panels_(panels),
      state_(state),
      link_(link),
      params_(params),
      scan_(state, link.link()) {
  auto& sp = panels_.scopePage().ui;
  auto& gp = panels_.scopeGraphPanel().ui;
  connect(&panels_, &Panels::mainTabChanged, this, &ScopeController::OnMainTabChanged);
  connect(gp.ButtonCloseSP, &QPushButton::clicked, this, &ScopeController::CBF_ButtonCloseSP);
  connect(gp.ButtonZoom11, &QPushButton::clicked, this, &ScopeController::CBF_ButtonZoom11);
  connect(gp.RingScopeSignal, &QComboBox::currentIndexChanged, this, &ScopeController::CBF_EditScopeSignal);
  connect(sp.ButtonGetCycleTime, &QPushButton::clicked, this, &ScopeController::CBF_ButtonGetCycleTime);
  connect(sp.ButtonScan, &QPushButton::clicked, this, &ScopeController::CBF_ButtonScan);
  connect(sp.ButtonBreakScan, &QPushButton::clicked, this, &ScopeController::CBF_ButtonBreakScan);
  connect(sp.RingTriggerMode, &QComboBox::currentIndexChanged, this, &ScopeController::CBF_EditTriggerMode);
  sp.NumScanRate->setKeyboardTracking(false);
  connect(sp.NumScanRate, &QSpinBox::valueChanged, this, &ScopeController::calcScopDeltaXY);
  connect(&panels_.scopeGraphPanel(), &ScopeGraphPanel::cursorMoved, this, &ScopeController::calcScopDeltaXY);
  // A zoom changes what the cursors' positions are read against.
  connect(gp.GraphScope->xAxis, qOverload<const QCPRange&>(&QCPAxis::rangeChanged), this,
          &ScopeController::calcScopDeltaXY);
  for (int c = 0; c < 3; ++c) {
    QCPGraph* line = gp.GraphScope->addGraph();
    line->setPen(QPen(QColor::fromRgb(kTraceColours[c]), 1));
  }
  for (int t = 0; t < 2; ++t) gp.GraphScopeBinary->addGraph()->setPen(QPen(QColor::fromRgb(0x808080), 1));
  CBF_EditTriggerMode();
}

void ScopeController::OnMainTabChanged(int index) {
  if (index != MainPanel::kScopePage) return;
  state_.RunFlag = 0;
  panels_.ShowChildPanelDisp(&panels_.scopeGraphPanel());
}

void ScopeController::CBF_ButtonCloseSP() {
  panels_.ShowChildPanelDisp(&panels_.dataPanel());
}

void ScopeController::CBF_EditTriggerMode() {
  auto& sp = panels_.scopePage().ui;
  const int mode = RingValue(sp.RingTriggerMode);
  const bool edge = mode == 1 || mode == 2;
  sp.NumTriggerLevel->setEnabled(edge);
  sp.NumPreTrigVal->setEnabled(mode != 0);
}

int ScopeController::GetCycleTime() {
  SensorLink& link = link_.link();
  ScanFrequency = 0;
  if (link.Exchange(order::kCycleTime, 0) == 1 && link.AnswerLengthIs(8))
    ScanFrequency = ScanFrequencyOf(ReadI32(link.AnswerData()), ReadI32(link.AnswerData() + 4));
  auto& sp = panels_.scopePage().ui;
  sp.DispScanFreq->setDecimals(FrequencyDecimals(ScanFrequency));
  sp.DispScanFreq->setValue(ScanFrequency);
  sp.DispCycleTime->setDecimals(CycleTimeDecimals(ScanFrequency));
  CycleTimeMs = ScanFrequency > 0 ? 1000 / ScanFrequency : 0;
  sp.DispCycleTime->setValue(CycleTimeMs);
  return ScanFrequency > 0 ? 1 : -1;
}

void ScopeController::initScopeGraph() {
  QCustomPlot* plot = panels_.scopeGraphPanel().ui.GraphScope;
  const int signal = RingValue(panels_.scopePage().ui.RingScopeRecSignal);
  const int calcMode = params_.para().block[kCalcMode];
  {
    const QSignalBlocker block(plot->xAxis);
    plot->xAxis->setRange(0, kScopeSamples);
  }
  plot->yAxis->setRange(0, ScopeYMax(signal, calcMode));
  plot->replot(QCustomPlot::rpQueuedReplot);
  calcScopDeltaXY();
}

void ScopeController::calcScopDeltaXY() {
  ScopeGraphPanel& panel = panels_.scopeGraphPanel();
  const int scanRate = panels_.scopePage().ui.NumScanRate->value();
  const QPointF a = panel.cursor1->position->coords();
  const QPointF b = panel.cursor2->position->coords();
  panel.binaryCursor1->position->setCoords(a.x(), 0);
  panel.binaryCursor2->position->setCoords(b.x(), 0);
  panel.ui.GraphScopeBinary->replot(QCustomPlot::rpQueuedReplot);
  const ScopeDelta d = ScopeDeltaOf(a.x(), a.y(), b.x(), b.y(), CycleTimeMs, scanRate);
  panel.ui.DispDeltaX->setDecimals(DeltaXDecimals(d.ms));
  panel.ui.DispDeltaX->setValue(d.ms);
  panel.ui.DispDeltaY->setValue(d.dy);
}

void ScopeController::ShowScanSettings() {
  auto& sp = panels_.scopePage().ui;
  auto& gp = panels_.scopeGraphPanel().ui;
  gp.DispSpTriggerMode->setText(sp.RingTriggerMode->currentText());
  gp.DispSpRecSignal->setText(sp.RingScopeRecSignal->currentText());
  gp.DispSpPreTrigger->setValue(sp.NumPreTrigVal->value());
  gp.DispSpTriggerLevel->setValue(sp.NumTriggerLevel->value());
  gp.DispSpScanRate->setValue(sp.NumScanRate->value());
  gp.DispSpCycleTime->setDecimals(sp.DispCycleTime->decimals());
  gp.DispSpCycleTime->setValue(CycleTimeMs);
}

int ScopeController::GetScopeData() {
  auto& sp = panels_.scopePage().ui;
  ScopeSettings settings;
  settings.triggerLevel = static_cast<std::uint16_t>(sp.NumTriggerLevel->value());
  settings.triggerMode = static_cast<std::uint16_t>(RingValue(sp.RingTriggerMode));
  settings.preTrigger = static_cast<std::int16_t>(sp.NumPreTrigVal->value());
  settings.scanRate = static_cast<std::int16_t>(sp.NumScanRate->value());
  settings.signal = static_cast<std::uint16_t>(RingValue(sp.RingScopeRecSignal));
  if (scan_.Start(settings) != 1) return -1;
  ShowScanSettings();
  sp.ButtonBreakScan->setEnabled(true);
  ScopeResult scanned;
  const int result = scan_.Collect(&scanned);
  // Nothing is plotted unless all four blocks came.
  if (result != 1) return result;
  ScopeTrace = scanned.blocks;
  ScopeTriggerPos = scanned.triggerPos;
  hasTrace_ = true;
  PlotTraces();
  return 1;
}

void ScopeController::PlotTraces() {
  auto& gp = panels_.scopeGraphPanel().ui;
  QVector<double> x(kScopeSamples);
  for (int i = 0; i < kScopeSamples; ++i) x[i] = i;
  const int shown = RingValue(gp.RingScopeSignal);
  for (int c = 0; c < 3; ++c) {
    QVector<double> y(kScopeSamples);
    for (int i = 0; i < kScopeSamples; ++i)
      y[i] = ScopeTrace[static_cast<std::size_t>(c)][static_cast<std::size_t>(i)];
    QCPGraph* line = gp.GraphScope->graph(c);
    line->setData(x, y, true);
    line->setVisible(shown <= 0 || shown > 3 || shown == c + 1);
  }
  std::array<double, kScopeSamples> a{}, b{};
  BinaryTraces(ScopeTrace[3], &a, &b);
  gp.GraphScopeBinary->graph(0)->setData(x, QVector<double>(a.begin(), a.end()), true);
  gp.GraphScopeBinary->graph(1)->setData(x, QVector<double>(b.begin(), b.end()), true);
  gp.GraphScope->replot(QCustomPlot::rpQueuedReplot);
  gp.GraphScopeBinary->replot(QCustomPlot::rpQueuedReplot);
}

void ScopeController::CBF_EditScopeSignal() {
  // Redrawn from the traces of the last scan (all three lines for ALL).
  if (hasTrace_) PlotTraces();
}

void ScopeController::BreakDataScan() {
  scan_.Break();
}

void ScopeController::CBF_ButtonGetCycleTime() {
  panels_.SetButtonsDimmed(0, 1);
  GetCycleTime();
  calcScopDeltaXY();
  panels_.SetButtonsDimmed(0, 0);
}

void ScopeController::CBF_ButtonScan() {
  panels_.SetButtonsDimmed(0, 1);
  initScopeGraph();
  auto& gp = panels_.scopeGraphPanel().ui;
  gp.LedScanActive->setOn(true);
  panels_.ShowChildPanelDisp(&panels_.scopeGraphPanel());
  GetScopeData();
  gp.LedScanActive->setOn(false);
  if (!state_.QuitRequested) panels_.SetButtonsDimmed(0, 0);
}

void ScopeController::CBF_ButtonBreakScan() {
  // No dimming around it: the scan it ends undims the buttons when it returns.
  BreakDataScan();
}

void ScopeController::CBF_ButtonZoom11() {
  initScopeGraph();
}

}  // namespace trivolux
