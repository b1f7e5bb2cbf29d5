#include "teach/teach_table_controller.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <algorithm>

#include "base/shared_state.h"
#include "live/live_controller.h"
#include "params/panel_access.h"
#include "params/param_controller.h"
#include "teach/colour_planes.h"
#include "teach/table_attr_controller.h"
#include "teach/teach_grid_menu.h"
#include "teach/teach_rules.h"
#include "ui/panel_setup.h"
#include "ui/panels.h"
#include "ui/popups.h"

namespace trivolux {

namespace {
using W = MeasurementRecord;
constexpr int kValueColumns = 5;
constexpr int kPromptChars = 9;

// Grid columns are 0-based here: CELL 0 is column 0.
void SetCell(QTableWidget* grid, int row, int column, int value) {
  SetCellValue(grid, row, column, static_cast<std::uint16_t>(value));
}
}  // namespace

TeachTableController::TeachTableController(Panels& panels, SharedState& state, Popups& popups,
                                           ParamController& params, LiveController& live,
                                           TableAttrController& tableAttr, ColourPlanes& planes,
                                           TeachGridMenu& menu, QObject* parent)
    : QObject(parent),
      panels_(panels),
      state_(state),
      popups_(popups),
      params_(params),
      live_(live),
      tableAttr_(tableAttr),
      planes_(planes),
      menu_(menu) {
  auto& t = panels_.teachPage().ui;
  connect(t.ButtonTeachDataTo, &QPushButton::clicked, this, &TeachTableController::CBF_ButtonTeachDataTo);
  connect(t.ButtonResetTable, &QPushButton::clicked, this, &TeachTableController::CBF_ButtonResetTable);
  OnUserCellEdit(t.GridTeach, this, &TeachTableController::CBF_GridCtt);
  connect(&menu_, &TeachGridMenu::setSelectionToRequested, this,
          &TeachTableController::CBF_GridCttSetSelectionTo);
  connect(&menu_, &TeachGridMenu::incrementSelectionWithRequested, this,
          &TeachTableController::CBF_GridCttIncrementSelectionWith);
  connect(&menu_, &TeachGridMenu::resetSelectionRequested, this,
          &TeachTableController::CBF_GridCttResetSelection);
  connect(&menu_, &TeachGridMenu::teachToleranceOffRequested, this,
          &TeachTableController::CBF_GridCttTeachTolOff);
  connect(&menu_, &TeachGridMenu::teachToleranceOnRequested, this,
          &TeachTableController::CBF_GridCttTeachTolOn);
}

void TeachTableController::Refresh(bool showGraph) {
  params_.GetPanelValues();
  planes_.InitGraphs();
  if (showGraph) live_.ShowGraph();
}

void TeachTableController::CBF_ButtonTeachDataTo() {
  TeachDataTo();
}

void TeachTableController::TeachDataTo() {
  // The values of the last frame, as the displays show them.
  live_.FlushDisplays();
  TeachDataTo(live_.record());
}

void TeachTableController::TeachDataTo(const MeasurementRecord& r) {
  auto& t = panels_.teachPage().ui;
  auto& p = panels_.parameterPage().ui;
  QTableWidget* grid = t.GridTeach;
  const int n = std::clamp(t.NumNo->value(), 0, kTeachRows - 1);
  ParameterBlock& block = params_.para().block;
  const int calcMode = RingValue(p.RingCalcMode);
  const int evalMode = RingValue(p.RingEvalMode);
  const int powerMode = RingValue(p.RingPowerMode);
  block[kCalcMode] = static_cast<std::uint16_t>(calcMode);
  block[kEvalMode] = static_cast<std::uint16_t>(evalMode);
  block[kPowerMode] = static_cast<std::uint16_t>(powerMode);

  if (evalMode <= mode::kEvalCol2) {
    const bool is3D = mode::Is3D(calcMode);
    SetCell(grid, n, 0, r[W::kX]);
    SetCell(grid, n, 1, r[W::kY]);
    SetCell(grid, n, is3D ? 2 : 3, r[W::kInt]);
    if (state_.TeachToleranceOn) {
      const DefaultTolerance tol = DefaultTolerancesFor(calcMode, evalMode, powerMode);
      SetCell(grid, n, is3D ? 3 : 2, tol.colour);
      SetCell(grid, n, 4, tol.intensity);
    }
    if (t.SwitchAutoInc->isChecked() && n <= kTeachRows - 2) t.NumNo->setValue(n + 1);
  } else {
    // The threshold modes teach two channels into rows 0 and 1.
    const int first = evalMode == mode::kEvalThdGreenBlue ? W::kGreen : W::kRed;
    const int second = evalMode == mode::kEvalThdRedGreen ? W::kGreen : W::kBlue;
    SetCell(grid, 0, 0, r[first]);
    SetCell(grid, 1, 0, r[second]);
  }
  if (panels_.tableAttrPage().ui.RingSetColor->currentIndex() == 1)
    tableAttr_.ApplyRowColour(n, static_cast<std::int32_t>(CurrentMeasuredColour(live_.record())));
  params_.GetPanelValues();
  planes_.InitGraphs();
}

void TeachTableController::CBF_ButtonResetTable() {
  if (popups_.Confirm(QStringLiteral("ATTENTION!"), QStringLiteral("Do you really want to reset the table?")))
    ResetTable();
}

void TeachTableController::ResetTable() {
  auto& t = panels_.teachPage().ui;
  t.NumNo->setValue(0);
  for (int row = 0; row < std::min(kTeachRows, t.GridTeach->rowCount()); ++row)
    for (int column = 0; column < kValueColumns; ++column) SetCell(t.GridTeach, row, column, 1);
  planes_.ClearPlanes();
}

void TeachTableController::CBF_GridCtt() {
  Refresh(true);
}

bool TeachTableController::FillSelection(Fill fill) {
  QTableWidget* grid = panels_.teachPage().ui.GridTeach;
  const QList<QTableWidgetSelectionRange> ranges = grid->selectedRanges();
  if (ranges.isEmpty()) return false;
  const QTableWidgetSelectionRange& sel = ranges.first();
  const int top = sel.topRow(), left = sel.leftColumn();
  if (top < 0 || left < 0) return false;

  std::uint16_t value = 1;
  long long delta = 0;
  if (fill != Fill::Reset) {
    if (fill == Fill::Increment) {
      if (!CellEditable(grid, top, left)) return false;
      value = static_cast<std::uint16_t>(CellValue(grid, top, left));
    }
    const std::optional<QString> answer =
        popups_.Prompt(QStringLiteral("VALUE!"), QStringLiteral("Insert a cell value!"), kPromptChars);
    long long number = 0;
    if (!answer || !ParseCellAnswer(answer->left(kPromptChars).toLatin1().constData(), &number)) return false;
    if (fill == Fill::Set)
      value = static_cast<std::uint16_t>(std::clamp<long long>(number, 0, 65535));
    else
      delta = number;
  }
  for (int row = top; row <= sel.bottomRow(); ++row) {
    for (int column = left; column <= sel.rightColumn(); ++column) {
      if (!CellEditable(grid, row, column)) continue;
      SetCell(grid, row, column, value);
      if (fill == Fill::Increment) value = NextRunningValue(value, delta);
    }
  }
  return true;
}

void TeachTableController::CBF_GridCttSetSelectionTo() {
  if (FillSelection(Fill::Set)) Refresh(true);
}

void TeachTableController::CBF_GridCttIncrementSelectionWith() {
  if (FillSelection(Fill::Increment)) Refresh(true);
}

void TeachTableController::CBF_GridCttResetSelection() {
  if (FillSelection(Fill::Reset)) Refresh(true);
}

void TeachTableController::CBF_GridCttTeachTolOff() {
  state_.TeachToleranceOn = false;
  menu_.teachTolOffAction()->setEnabled(false);
  menu_.teachTolOnAction()->setEnabled(true);
}

void TeachTableController::CBF_GridCttTeachTolOn() {
  state_.TeachToleranceOn = true;
  menu_.teachTolOnAction()->setEnabled(false);
  menu_.teachTolOffAction()->setEnabled(true);
}

}  // namespace trivolux
