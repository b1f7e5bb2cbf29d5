// The display side of the mode rules (labels, headers, tab pages, the teach
// panels) and the handlers of the parameter and group/hold pages.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTabWidget>

#include "params/mode_rules.h"
#include "params/panel_access.h"
#include "params/param_panel_io.h"
#include "qcustomplot.h"
#include "ui/panel_setup.h"
#include "ui/panels.h"
#include "ui/popups.h"

namespace trivolux {

namespace {

const char* const kResetQuestion = "Do you really want to reset the table?";

std::uint16_t U16(int v) {
  return static_cast<std::uint16_t>(v);
}

void SetHeader(QTableWidget* grid, int column, const QString& text) {
  QTableWidgetItem* item = grid->horizontalHeaderItem(column);
  if (!item) {
    grid->setHorizontalHeaderItem(column, new QTableWidgetItem(text));
  } else {
    item->setText(text);
  }
}

// A measured-value display painted in its main colour (background) with its
// second colour for the digits.
void SetDisplayColours(QWidget* display, QRgb main, QRgb second) {
  SetPaletteColours(display,
                    {{QPalette::Base, QColor::fromRgb(main)}, {QPalette::Text, QColor::fromRgb(second)}});
  display->setAutoFillBackground(true);
}

void SetRingItemText(QComboBox* ring, int value, const QString& text) {
  const int index = ring->findData(value);
  if (index >= 0) ring->setItemText(index, text);
}

void SetPlotTitle(QCustomPlot* plot, const QString& title) {
  const QStringList axes = title.split('/');
  plot->xAxis->setLabel(axes.value(0));
  plot->yAxis->setLabel(axes.value(1));
  plot->setProperty("title", title);
  plot->replot(QCustomPlot::rpQueuedReplot);
}

// Guards a handler against running again inside itself (a popup it opens can
// make a spin box finish editing).
class Reentry {
 public:
  explicit Reentry(bool& flag) : flag_(flag), entered_(!flag) { flag_ = true; }
  ~Reentry() {
    if (entered_) flag_ = false;
  }
  bool Entered() const { return entered_; }

 private:
  bool& flag_;
  bool entered_;
};

}  // namespace

void ModeRules::RelabelDisplays(int calcMode) {
  const bool sim = mode::IsSiM(calcMode);
  const QString names[3] = {sim ? "s" : "X", sim ? "i" : "Y", sim ? "M" : "INT"};
  auto& d = panels_.dataPanel().ui;
  auto& gp = panels_.graphPanel().ui;
  d.LabelX->setText(names[0]);
  d.LabelY->setText(names[1]);
  d.LabelINT->setText(names[2]);
  gp.LabelGpX->setText(names[0]);
  gp.LabelGpY->setText(names[1]);
  gp.LabelGpINT->setText(names[2]);
  for (int i = 0; i < 3; ++i) SetRingItemText(gp.RingSignal, 3 + i, names[i]);
  if (sim) {
    SetDisplayColours(d.DispX, 0xFF0000, 0x00FF00);
    SetDisplayColours(d.DispY, 0xFFFF00, 0x80FFFF);
  } else {
    SetDisplayColours(d.DispX, 0xFF0000, 0xE0E0E0);
    SetDisplayColours(d.DispY, 0x00FF00, 0xE0E0E0);
  }
}

void ModeRules::InitCalcMode() {
  auto& p = panels_.parameterPage().ui;
  auto& d = panels_.dataPanel().ui;
  ParameterBlock& b = copy_.block;
  b[kCalcMode] = U16(RingValue(p.RingCalcMode));
  b[kEvalMode] = U16(RingValue(p.RingEvalMode));
  const int calc = b[kCalcMode];
  const bool threshold = mode::IsThreshold(b[kEvalMode]);

  static const char* const kHeaders[4][5] = {{"X", "Y", "CTO", "INT", "ITO"},
                                             {"s", "i", "siTO", "M", "MTO"},
                                             {"X", "Y", "INT", "TOL", ""},
                                             {"s", "i", "M", "TOL", ""}};
  QTableWidget* teach = panels_.teachPage().ui.GridTeach;
  for (int c = 0; c < kTeachCells; ++c) {
    if (threshold)
      SetHeader(teach, c, c == 0 ? "THD" : "");
    else if (calc >= 0 && calc <= 3)
      SetHeader(teach, c, kHeaders[calc][c]);
  }

  if (!threshold && mode::Is3D(calc)) {
    const bool sim = mode::IsSiM(calc);
    SetPlotTitle(d.GraphXY3D, sim ? "s/i" : "X/Y");
    SetPlotTitle(d.GraphXINT3D, sim ? "s/M" : "X/INT");
    SetPlotTitle(d.GraphYINT3D, sim ? "i/M" : "Y/INT");
  }

  // The live graphs mark an automatically scaled INT chart with the property
  // autoScaleY; a manually scaled one gets the mode's full ranges.
  if (!d.ChartINT->property("autoScaleY").toBool()) {
    const double maxima[3] = {mode::IsSiM(calc) ? 10000.0 : 4096.0, mode::IsSiM(calc) ? 5000.0 : 4096.0,
                              mode::IsSiM(calc) ? 1200.0 : 4096.0};
    QCustomPlot* charts[3] = {d.ChartX, d.ChartY, d.ChartINT};
    for (int i = 0; i < 3; ++i) {
      charts[i]->yAxis->setRange(0, maxima[i]);
      charts[i]->replot(QCustomPlot::rpQueuedReplot);
    }
  }
  SetTabVis();
}

void ModeRules::SetTabVis() {
  auto& d = panels_.dataPanel().ui;
  const int calc = copy_.block[kCalcMode];
  QTabWidget* tabs = d.TabDataP1;
  QWidget* xyint[] = {d.DispX, d.DispY, d.DispINT, d.LabelX, d.LabelY, d.LabelINT};
  if (mode::IsThreshold(copy_.block[kEvalMode])) {
    for (int page : {DataPanel::kPageXyInt, DataPanel::kPage2D, DataPanel::kPage3D})
      tabs->setTabVisible(page, false);
    for (QWidget* w : xyint) w->setVisible(false);
    return;
  }
  const int current = tabs->currentIndex();
  const int shown = mode::Is3D(calc) ? DataPanel::kPage3D : DataPanel::kPage2D;
  tabs->setTabVisible(shown, true);
  tabs->setTabVisible(shown == DataPanel::kPage2D ? DataPanel::kPage3D : DataPanel::kPage2D, false);
  if (current == DataPanel::kPage2D || current == DataPanel::kPage3D) tabs->setCurrentIndex(shown);
  tabs->setTabVisible(DataPanel::kPageXyInt, true);
  for (QWidget* w : xyint) w->setVisible(true);
}

void ModeRules::InitTeachPanel() {
  auto& t = panels_.teachPage().ui;
  auto& mp = panels_.meanTeachPanel().ui;
  auto& rp = panels_.recTeachPanel().ui;
  const int calc = copy_.block[kCalcMode];
  copy_.block[kEvalMode] = U16(RingValue(panels_.parameterPage().ui.RingEvalMode));
  const int eval = copy_.block[kEvalMode];

  const bool threshold = mode::IsThreshold(eval);
  t.ButtonTeachMeanVal->setEnabled(!threshold);
  t.ButtonTeachRecVal->setEnabled(!threshold);
  t.NumNo->setVisible(!threshold);
  t.LabelNo->setVisible(!threshold);
  t.SwitchAutoInc->setVisible(!threshold);

  const bool sim = mode::IsSiM(calc);
  const bool is3D = mode::Is3D(calc);
  const QString names[3] = {sim ? "s" : "X", sim ? "i" : "Y", sim ? "M" : "INT"};
  for (int i = 0; i < 3; ++i) {
    SetHeader(mp.GridTP1Values, 3 + i, names[i]);
    SetHeader(mp.GridTP1Mean, 3 + i, names[i]);
  }
  QString distance, tol;
  if (!is3D) {
    distance = sim ? "d (s/i)" : "d (X/Y)";
    tol = sim ? "siTO" : "CTO";
  } else {
    distance = sim ? "d (s/i/INT)" : "d (X/Y/INT)";
    tol = "TOL";
  }
  const QString intDistance = sim ? "d M" : "d INT";
  const QString intTol = sim ? "MTO" : "ITO";
  mp.LabelTP1MaxDeltaXY->setText(distance);
  mp.LabelTP1TeachCtoWith->setText("TEACH " + tol + " WITH");
  SetRingItemText(mp.RingTP1TeachCtoWith, 0, "VALUE " + tol);
  SetRingItemText(mp.RingTP1TeachCtoWith, 1, distance);
  SetRingItemText(mp.RingTP1TeachCtoWith, 2, distance + "+VALUE " + tol);
  mp.LabelTP1ValueCto->setText("VALUE " + tol);
  mp.LabelTP1MaxDeltaInt->setText(intDistance);
  mp.LabelTP1TeachItoWith->setText("TEACH " + intTol + " WITH");
  SetRingItemText(mp.RingTP1TeachItoWith, 0, "VALUE " + intTol);
  SetRingItemText(mp.RingTP1TeachItoWith, 1, intDistance);
  SetRingItemText(mp.RingTP1TeachItoWith, 2, intDistance + "+VALUE " + intTol);
  mp.LabelTP1ValueIto->setText("VALUE " + intTol);
  for (QWidget* w : QWidgetList{mp.LabelTP1MaxDeltaInt, mp.DispTP1MaxDeltaInt, mp.LabelTP1TeachItoWith,
                                mp.RingTP1TeachItoWith, mp.LabelTP1ValueIto, mp.NumTP1ValueIto})
    w->setVisible(!is3D);
  const bool minDist = eval == mode::kEvalMinDist;
  mp.RingTP1TeachCtoWith->setEnabled(!minDist);
  mp.NumTP1ValueCto->setEnabled(!minDist);

  const QString titles[3] = {names[0] + "/" + names[1], names[0] + "/" + names[2], names[1] + "/" + names[2]};
  QLabel* titleLabels[3] = {rp.LabelGraphXYTP2, rp.LabelGraphXIntTP2, rp.LabelGraphYIntTP2};
  for (int g = 0; g < 3; ++g) {
    titleLabels[g]->setText(titles[g]);
    SetPlotTitle(panels_.recTeachPanel().Graph(g), titles[g]);  // the axis labels follow the title
  }
  rp.LabelTP2X->setText(names[0]);
  rp.LabelTP2Y->setText(names[1]);
  rp.LabelTP2INT->setText(names[2]);
  if (sim) {
    SetDisplayColours(rp.DispTP2X, 0xFF0000, 0x00FF00);
    SetDisplayColours(rp.DispTP2Y, 0xFFFF00, 0x80FFFF);
  } else {
    SetDisplayColours(rp.DispTP2X, 0xFF0000, 0xE0E0E0);
    SetDisplayColours(rp.DispTP2Y, 0x00FF00, 0xE0E0E0);
  }
}

void ModeRules::Connect() {
  auto& p = panels_.parameterPage().ui;
  auto& g = panels_.groupHoldPage().ui;
  connect(p.RingPowerMode, &QComboBox::activated, this, &ModeRules::CBF_EditPmode);
  connect(p.RingLedMode, &QComboBox::activated, this, &ModeRules::CBF_EditLedMode);
  // MAXCOL-No. counts as changed when a typed number is committed (Return,
  // focus leaving) or a step is taken (arrow keys, wheel, assistive
  // technology setting the value): not at every keystroke.
  p.NumMaxVecNo->setKeyboardTracking(false);
  connect(p.NumMaxVecNo, &QSpinBox::valueChanged, this, &ModeRules::CBF_EditMaxVecNo);
  connect(p.RingDigOutmode, &QComboBox::activated, this, &ModeRules::CBF_EditDigOutmode);
  connect(p.RingEvalMode, &QComboBox::activated, this, &ModeRules::CBF_EditEvalmode);
  connect(p.RingCalcMode, &QComboBox::activated, this, &ModeRules::CBF_EditCalcmode);
  connect(p.RingExteach, &QComboBox::activated, this, &ModeRules::CBF_EditExteach);
  connect(p.RingTrigger, &QComboBox::activated, this, &ModeRules::CBF_EditTrigger);
  connect(g.SwitchColorGroup, &QCheckBox::toggled, this, &ModeRules::CBF_EditColorGroups);
  connect(g.ButtonResetGroupTable, &QPushButton::clicked, this, &ModeRules::CBF_ButtonResetGroupTable);
  connect(g.ButtonResetHoldTable, &QPushButton::clicked, this, &ModeRules::CBF_ButtonResetHoldTable);
  OnUserCellEdit(g.GridGroups, this, &ModeRules::CBF_EditGridGroups);
}

void ModeRules::RunRulesOnce() {
  Reentry guard(busy_);
  if (guard.Entered()) InitPanelCtrlAttr();
}

void ModeRules::CBF_EditPmode() {
  RunRulesOnce();
}
void ModeRules::CBF_EditLedMode() {
  RunRulesOnce();
}
void ModeRules::CBF_EditMaxVecNo() {
  RunRulesOnce();
}
void ModeRules::CBF_EditDigOutmode() {
  RunRulesOnce();
}
void ModeRules::CBF_EditEvalmode() {
  RunRulesOnce();
}
void ModeRules::CBF_EditExteach() {
  RunRulesOnce();
}
void ModeRules::CBF_EditTrigger() {
  RunRulesOnce();
}
void ModeRules::CBF_EditColorGroups() {
  RunRulesOnce();
}

void ModeRules::CBF_EditCalcmode() {
  Reentry guard(busy_);
  if (!guard.Entered()) return;
  SortTableTolerance();
  InitPanelCtrlAttr();
  GetPanelValues(panels_, &copy_);
  emit calculationModeChanged();
}

void ModeRules::CBF_EditGridGroups() {
  Reentry guard(busy_);
  if (!guard.Entered()) return;
  InitPanelCtrlAttr();
  panels_.ShowMainPage(MainPanel::kGroupHoldPage);
}

void ModeRules::CBF_ButtonResetGroupTable() {
  if (!popups_.Confirm("ATTENTION!", kResetQuestion)) return;
  QTableWidget* grid = panels_.groupHoldPage().ui.GridGroups;
  const QSignalBlocker blocker(grid);
  for (int r = 0; r < kTeachRows; ++r) {
    SetCellValue(grid, r, 0, 0);
    SetCellBackground(grid, r, 0, QColor(0xFF, 0xFF, 0xFF));
  }
}

void ModeRules::CBF_ButtonResetHoldTable() {
  if (!popups_.Confirm("ATTENTION!", kResetQuestion)) return;
  auto& g = panels_.groupHoldPage().ui;
  const int value = g.NumResetHold->value();
  const QSignalBlocker blocker(g.GridHold);
  for (int r = 0; r <= kTeachRows; ++r) SetCellValue(g.GridHold, r, 0, value);
}

}  // namespace trivolux
