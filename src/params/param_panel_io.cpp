#include "params/param_panel_io.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QComboBox>
#include <QSignalBlocker>
#include <QSpinBox>

#include "params/mode_rules.h"
#include "params/panel_access.h"
#include "ui/panels.h"

namespace trivolux {

namespace {
constexpr int kValueColumn = 0;
constexpr int kHoldFailRow = 0;     // hold grid row 1
constexpr int kHoldFirstTeach = 1;  // hold grid row 2 = teach row 0

int ControlValue(const QWidget* control) {
  if (const auto* ring = qobject_cast<const QComboBox*>(control)) return RingValue(ring);
  if (const auto* spin = qobject_cast<const QSpinBox*>(control)) return spin->value();
  if (const auto* slider = qobject_cast<const QAbstractSlider*>(control)) return slider->value();
  if (const auto* check = qobject_cast<const QAbstractButton*>(control)) return check->isChecked() ? 1 : 0;
  return 0;
}

void SetControlValue(QWidget* control, int value) {
  if (auto* ring = qobject_cast<QComboBox*>(control)) {
    SetRingValue(ring, value);
  } else if (auto* spin = qobject_cast<QSpinBox*>(control)) {
    spin->setValue(value);
  } else if (auto* slider = qobject_cast<QAbstractSlider*>(control)) {
    slider->setValue(value);
  } else if (auto* check = qobject_cast<QAbstractButton*>(control)) {
    check->setChecked(value != 0);
  }
}
}  // namespace

std::array<WordControl, kParamWordCount - 1> ParameterControls(Panels& panels) {
  auto& p = panels.parameterPage().ui;
  auto& g = panels.groupHoldPage().ui;
  return {{{kPower, p.SlidePower},
           {kPowerMode, p.RingPowerMode},
           {kAverage, p.NumAverage},
           {kEvalMode, p.RingEvalMode},
           {kIntlim, p.NumIntlim},
           {kMaxVecNo, p.NumMaxVecNo},
           {kDigOutmode, p.RingDigOutmode},
           {kTrigger, p.RingTrigger},
           {kExteach, p.RingExteach},
           {kCalcMode, p.RingCalcMode},
           {kDynWinLo, p.NumDynWinLo},
           {kDynWinHi, p.NumDynWinHi},
           {kColorGroup, g.SwitchColorGroup},
           {kLedMode, p.RingLedMode},
           {kGain, p.RingGain},
           {kIntegral, p.NumIntegral}}};
}

void GetPanelValues(Panels& panels, ParameterSet* set) {
  auto& g = panels.groupHoldPage().ui;
  auto& t = panels.teachPage().ui;
  ParameterBlock& b = set->block;
  for (const WordControl& wc : ParameterControls(panels))
    b[wc.word] = static_cast<std::uint16_t>(ControlValue(wc.control));
  b[kHoldFail] = static_cast<std::uint16_t>(CellValue(g.GridHold, kHoldFailRow, kValueColumn));
  for (int r = 0; r < kTeachRows; ++r) {
    TeachVector& row = set->table[r];
    row[kGroup] = static_cast<std::uint16_t>(CellValue(g.GridGroups, r, kValueColumn));
    row[kHold] = static_cast<std::uint16_t>(CellValue(g.GridHold, r + kHoldFirstTeach, kValueColumn));
    for (int c = 0; c < kTeachCells; ++c)
      row[kCell0 + c] = static_cast<std::uint16_t>(CellValue(t.GridTeach, r, c));
  }
}

void SetPanelValues(Panels& panels, const ParameterSet& set) {
  auto& p = panels.parameterPage().ui;
  auto& g = panels.groupHoldPage().ui;
  auto& t = panels.teachPage().ui;
  const ParameterBlock& b = set.block;
  const QSignalBlocker blockGroups(g.GridGroups), blockHold(g.GridHold), blockTeach(t.GridTeach);

  SetRingValue(p.RingExteach, b[kExteach]);
  ApplyTriggerRingRule(p.RingTrigger, b[kExteach]);
  for (const WordControl& wc : ParameterControls(panels)) SetControlValue(wc.control, b[wc.word]);
  SetCellValue(g.GridHold, kHoldFailRow, kValueColumn, b[kHoldFail]);
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
