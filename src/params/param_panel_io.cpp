#include "params/param_panel_io.h"

#include <QSignalBlocker>

#include "app/scope_app.h"
#include "params/mode_rules.h"
#include "params/panel_access.h"

namespace trivolux {

namespace {
constexpr int kValueColumn = 0;
constexpr int kHoldFailRow = 0;     // hold grid row 1
constexpr int kHoldFirstTeach = 1;  // hold grid row 2 = teach row 0
}  // namespace

void GetPanelValues(ScopeApp& app, ParameterSet* set) {
  auto& p = app.parameterPage().ui;
  auto& g = app.groupHoldPage().ui;
  auto& t = app.teachPage().ui;
  ParameterBlock& b = set->block;
  b[kPower] = static_cast<std::uint16_t>(p.SlidePower->value());
  b[kPowerMode] = static_cast<std::uint16_t>(RingValue(p.RingPowerMode));
  b[kAverage] = static_cast<std::uint16_t>(p.NumAverage->value());
  b[kEvalMode] = static_cast<std::uint16_t>(RingValue(p.RingEvalMode));
  b[kHoldFail] = static_cast<std::uint16_t>(CellValue(g.GridHold, kHoldFailRow, kValueColumn));
  b[kIntlim] = static_cast<std::uint16_t>(p.NumIntlim->value());
  b[kMaxVecNo] = static_cast<std::uint16_t>(p.NumMaxVecNo->value());
  b[kDigOutmode] = static_cast<std::uint16_t>(RingValue(p.RingDigOutmode));
  b[kTrigger] = static_cast<std::uint16_t>(RingValue(p.RingTrigger));
  b[kExteach] = static_cast<std::uint16_t>(RingValue(p.RingExteach));
  b[kCalcMode] = static_cast<std::uint16_t>(RingValue(p.RingCalcMode));
  b[kDynWinLo] = static_cast<std::uint16_t>(p.NumDynWinLo->value());
  b[kDynWinHi] = static_cast<std::uint16_t>(p.NumDynWinHi->value());
  b[kColorGroup] = g.SwitchColorGroup->isChecked() ? 1 : 0;
  b[kLedMode] = static_cast<std::uint16_t>(RingValue(p.RingLedMode));
  b[kGain] = static_cast<std::uint16_t>(RingValue(p.RingGain));
  b[kIntegral] = static_cast<std::uint16_t>(p.NumIntegral->value());
  for (int r = 0; r < kTeachRows; ++r) {
    TeachVector& row = set->table[r];
    row[kGroup] = static_cast<std::uint16_t>(CellValue(g.GridGroups, r, kValueColumn));
    row[kHold] = static_cast<std::uint16_t>(CellValue(g.GridHold, r + kHoldFirstTeach, kValueColumn));
    for (int c = 0; c < kTeachCells; ++c)
      row[kCell0 + c] = static_cast<std::uint16_t>(CellValue(t.GridTeach, r, c));
  }
}

void SetPanelValues(ScopeApp& app, const ParameterSet& set) {
  auto& p = app.parameterPage().ui;
  auto& g = app.groupHoldPage().ui;
  auto& t = app.teachPage().ui;
  const ParameterBlock& b = set.block;
  const QSignalBlocker blockGroups(g.GridGroups), blockHold(g.GridHold), blockTeach(t.GridTeach);

  SetRingValue(p.RingExteach, b[kExteach]);
  ApplyTriggerRingRule(p.RingTrigger, b[kExteach]);

  p.SlidePower->setValue(b[kPower]);
  SetRingValue(p.RingPowerMode, b[kPowerMode]);
  p.NumAverage->setValue(b[kAverage]);
  SetRingValue(p.RingEvalMode, b[kEvalMode]);
  SetCellValue(g.GridHold, kHoldFailRow, kValueColumn, b[kHoldFail]);
  p.NumIntlim->setValue(b[kIntlim]);
  p.NumMaxVecNo->setValue(b[kMaxVecNo]);
  SetRingValue(p.RingDigOutmode, b[kDigOutmode]);
  SetRingValue(p.RingTrigger, b[kTrigger]);
  SetRingValue(p.RingExteach, b[kExteach]);
  SetRingValue(p.RingCalcMode, b[kCalcMode]);
  p.NumDynWinLo->setValue(b[kDynWinLo]);
  p.NumDynWinHi->setValue(b[kDynWinHi]);
  g.SwitchColorGroup->setChecked(b[kColorGroup] != 0);
  SetRingValue(p.RingLedMode, b[kLedMode]);
  SetRingValue(p.RingGain, b[kGain]);
  p.NumIntegral->setValue(b[kIntegral]);
  for (int r = 0; r < kTeachRows; ++r) {
    const TeachVector& row = set.table[r];
    SetCellValue(g.GridGroups, r, kValueColumn, row[kGroup]);
    SetCellValue(g.GridHold, r + kHoldFirstTeach, kValueColumn, row[kHold]);
    for (int c = 0; c < kTeachCells; ++c) SetCellValue(t.GridTeach, r, c, row[kCell0 + c]);
  }
  // Blocked grids did not tell their views; repaint them once.
  g.GridGroups->viewport()->update();
  g.GridHold->viewport()->update();
  t.GridTeach->viewport()->update();
}

}  // namespace trivolux
