#include "teach/mean_teach_controller.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <algorithm>
#include <array>

#include "base/shared_state.h"
#include "live/live_controller.h"
#include "params/panel_access.h"
#include "params/param_controller.h"
#include "teach/colour_planes.h"
#include "ui/panel_setup.h"
#include "ui/panels.h"
#include "ui/popups.h"

namespace trivolux {

namespace {
using W = MeasurementRecord;
constexpr int kCells = 6;
constexpr int kMinDistTolerance = 40;

}  // namespace

MeanTeachController::MeanTeachController(Panels& panels, SharedState& state, Popups& popups,
                                         ParamController& params, LiveController& live, ColourPlanes& planes,
                                         QObject* parent)
    : QObject(parent),
      panels_(panels),
      state_(state),
      popups_(popups),
      params_(params),
      live_(live),
      planes_(planes) {
  auto& tp = panels_.meanTeachPanel().ui;
  connect(panels_.teachPage().ui.ButtonTeachMeanVal, &QPushButton::clicked, this,
          &MeanTeachController::CBF_ButtonTeachMeanVal);
  connect(tp.ButtonTP1Capture, &QPushButton::clicked, this, &MeanTeachController::CaptureFrame);
  connect(tp.ButtonTP1Undo, &QPushButton::clicked, this, &MeanTeachController::UndoCapture);
  connect(tp.ButtonTP1ResetTable, &QPushButton::clicked, this, &MeanTeachController::CBF_ButtonTP1ResetTable);
  connect(tp.ButtonTP1Teach, &QPushButton::clicked, this, &MeanTeachController::CBF_ButtonTP1Teach);
  connect(tp.ButtonCloseTeachPanel, &QPushButton::clicked, this,
          &MeanTeachController::CBF_ButtonCloseTeachPanel);
  OnUserCellEdit(tp.GridTP1Values, this, &MeanTeachController::CalcMeanValues);
}

int MeanTeachController::Count() const {
  return std::clamp(panels_.meanTeachPanel().ui.DispTP1Counter->value(), 0, kMaxCaptures);
}

void MeanTeachController::ReadCaptures(CaptureRow* rows, int n) const {
  const QTableWidget* grid = panels_.meanTeachPanel().ui.GridTP1Values;
  for (int k = 0; k < n; ++k)
    for (int c = 0; c < kCells; ++c) rows[k][c] = static_cast<std::uint16_t>(CellValue(grid, k, c));
}

void MeanTeachController::SetActiveRow(int row) {
  QTableWidget* grid = panels_.meanTeachPanel().ui.GridTP1Values;
  grid->setCurrentCell(row - 1, 0);
  grid->scrollToItem(grid->item(row - 1, 0));
}

void MeanTeachController::CBF_ButtonTeachMeanVal() {
  panels_.ShowChildPanelDisp(&panels_.meanTeachPanel());
  params_.rules().InitTeachPanel();
  if (state_.RunFlag != 0) return;
  panels_.SetButtonsDimmed(0, 1);
  planes_.InitGraphs();
  live_.GetData();
  live_.FlushDisplays();
  if (!state_.QuitRequested) panels_.SetButtonsDimmed(0, 0);
}

void MeanTeachController::CaptureFrame() {
  auto& tp = panels_.meanTeachPanel().ui;
  const int n = std::min(Count(), kMaxCaptures - 1) + 1;
  tp.DispTP1Counter->setValue(n);
  SetActiveRow(n);
  const MeasurementRecord& r = live_.record();
  const int words[kCells] = {W::kRed, W::kGreen, W::kBlue, W::kX, W::kY, W::kInt};
  for (int c = 0; c < kCells; ++c)
    SetCellValue(tp.GridTP1Values, n - 1, c, static_cast<std::uint16_t>(r[words[c]]));
  CalcMeanValues();
}

void MeanTeachController::UndoCapture() {
  auto& tp = panels_.meanTeachPanel().ui;
  const int n = std::max(Count() - 1, 0);
  tp.DispTP1Counter->setValue(n);
  SetActiveRow(std::max(n - 5, 1));
  for (int c = 0; c < kCells; ++c) SetCellValue(tp.GridTP1Values, n, c, 0);
  CalcMeanValues();
}

void MeanTeachController::CalcMeanValues() {
  std::array<CaptureRow, kMaxCaptures> rows{};
  const int n = Count();
  ReadCaptures(rows.data(), n);
  mean_ = MeanValues(rows.data(), n);
  for (int c = 0; c < kCells; ++c) SetCellValue(panels_.meanTeachPanel().ui.GridTP1Mean, 0, c, mean_[c]);
  CalcMaxDelta();
}

void MeanTeachController::CalcMaxDelta() {
  std::array<CaptureRow, kMaxCaptures> rows{};
  const int n = Count();
  ReadCaptures(rows.data(), n);
  const MaxDelta d = MaxDeltaOf(rows.data(), n, mean_, RingValue(panels_.parameterPage().ui.RingCalcMode));
  auto& tp = panels_.meanTeachPanel().ui;
  tp.DispTP1MaxDeltaXY->setValue(d.colour);
  tp.DispTP1MaxDeltaInt->setValue(d.intensity);
}

void MeanTeachController::CBF_ButtonTP1ResetTable() {
  QPushButton* button = panels_.meanTeachPanel().ui.ButtonTP1ResetTable;
  SetButtonColour(button, QColor(0xFF0000));
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  if (popups_.Confirm(QStringLiteral("ATTENTION!"), QStringLiteral("Do you really want to reset the table?")))
    ResetTeachMeanPanelTable();
  SetButtonColour(button, QColor(0xE0E0E0));
}

void MeanTeachController::ResetTeachMeanPanelTable() {
  auto& tp = panels_.meanTeachPanel().ui;
  tp.DispTP1Counter->setValue(0);
  for (int row = 0; row < std::min(kMaxCaptures, tp.GridTP1Values->rowCount()); ++row)
    for (int c = 0; c < kCells; ++c) SetCellValue(tp.GridTP1Values, row, c, 0);
  SetActiveRow(1);
  mean_ = {};
  for (int c = 0; c < kCells; ++c) SetCellValue(tp.GridTP1Mean, 0, c, 0);
  tp.DispTP1MaxDeltaXY->setValue(0);
  tp.DispTP1MaxDeltaInt->setValue(0);
}

void MeanTeachController::CBF_ButtonTP1Teach() {
  TeachToTable();
  params_.GetPanelValues();
  planes_.InitGraphs();
}

void MeanTeachController::TeachToTable() {
  auto& tp = panels_.meanTeachPanel().ui;
  auto& t = panels_.teachPage().ui;
  QTableWidget* grid = t.GridTeach;
  const int calcMode = RingValue(panels_.parameterPage().ui.RingCalcMode);
  const int evalMode = RingValue(panels_.parameterPage().ui.RingEvalMode);
  const bool is3D = mode::Is3D(calcMode);
  const int n = std::clamp(t.NumNo->value(), 0, kTeachRows - 1);
  CaptureRow mean{};
  for (int c = 0; c < kCells; ++c) mean[c] = static_cast<std::uint16_t>(CellValue(tp.GridTP1Mean, 0, c));
  const int colourColumn = is3D ? 3 : 2, intensityColumn = is3D ? 3 : 4;
  const auto pick = [&](int ring, int distance, int value, int column) -> int {
    switch (ring) {
      case 0:
        return value;
      case 1:
        return distance;
      case 2:
        return (distance + value) % 65536;
      case 3:
        return CellValue(grid, n, column);
      default:
        return 0;
    }
  };
  const int colour = pick(RingValue(tp.RingTP1TeachCtoWith), tp.DispTP1MaxDeltaXY->value(),
                          tp.NumTP1ValueCto->value(), colourColumn);
  const int intensity = pick(RingValue(tp.RingTP1TeachItoWith), tp.DispTP1MaxDeltaInt->value(),
                             tp.NumTP1ValueIto->value(), intensityColumn);
  const int colourTolerance = evalMode == mode::kEvalMinDist ? kMinDistTolerance : colour;
  SetCellValue(grid, n, 0, mean[3]);
  SetCellValue(grid, n, 1, mean[4]);
  if (is3D) {
    SetCellValue(grid, n, 2, mean[5]);
    SetCellValue(grid, n, 3, colourTolerance);
  } else {
    SetCellValue(grid, n, 2, colourTolerance);
    SetCellValue(grid, n, 3, mean[5]);
    SetCellValue(grid, n, 4, intensity);
  }
  if (t.SwitchAutoInc->isChecked() && n <= kTeachRows - 2) t.NumNo->setValue(n + 1);
}

void MeanTeachController::CBF_ButtonCloseTeachPanel() {
  state_.RunFlag = 0;
  panels_.ShowChildPanelDisp(&panels_.dataPanel());
}

}  // namespace trivolux
