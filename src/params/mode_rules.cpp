#include "params/mode_rules.h"

#include <QComboBox>
#include <QSignalBlocker>
#include <QTabWidget>

#include "params/panel_access.h"
#include "params/param_panel_io.h"
#include "params/table_tolerance.h"
#include "ui/panels.h"
#include "ui/popups.h"

namespace trivolux {

namespace {

const QColor kGreen(0x00, 0x80, 0x00);
const QColor kRed(0xFF, 0x00, 0x00);
const QColor kWhite(0xFF, 0xFF, 0xFF);

const char* const kMaxVecNoText =
    "ATTENTION! \n\nMAXCOL-No. is too high. \n\nIf color group is disabled and OUMODE=DIRECT LO or \nDIRECT "
    "HI, "
    "the maximum number is 2. \nIf OUTMODE=BINARY, the maximum number is 3. \n\nIf color group is enabled, "
    "the "
    "maximum number is 64. \n\nMAXCOL-No. will be set to maximum value.";
const char* const kGroupLimitText =
    "ATTENTION! \nIf OUTMODE=DIRECT HI or DIRECT LO: \n2 groups are possible! GROUP 0 and 1. \nIf "
    "OUTMODE=BINARY: \n3 groups are possible. GROUP 0,1,2. \n\n Cell will be set to 0.";

std::uint16_t U16(int v) {
  return static_cast<std::uint16_t>(v);
}

}  // namespace

void ApplyTriggerRingRule(QComboBox* ring, int exteach) {
  const QSignalBlocker blocker(ring);
  if (exteach != mode::kExteachOff) {
    if (RingValue(ring) >= mode::kTrigExt1) SetRingValue(ring, mode::kTrigCont);
    while (ring->count() > 2) ring->removeItem(ring->count() - 1);
  } else if (ring->count() <= 2) {
    static const char* const kItems[] = {"EXT1", "EXT2", "EXT3", "TRANS", "PARA"};
    for (int i = 0; i < 5; ++i) ring->insertItem(2 + i, kItems[i], mode::kTrigExt1 + i);
  }
}

ModeRules::ModeRules(Panels& panels, SharedState& state, Popups& popups, ParameterSet& workingCopy,
                     QObject* parent)
    : QObject(parent), panels_(panels), state_(state), popups_(popups), copy_(workingCopy) {
  Connect();
}

void ModeRules::InitPanelCtrlAttr() {
  InitPowerMode();
  InitEvalMode();
  InitCalcMode();
  InitExteach();
  InitTrigger();
  InitColorGroups();
  InitMaxVecNo();
  InitTeachPanel();
}

void ModeRules::InitPowerMode() {
  auto& p = panels_.parameterPage().ui;
  ParameterBlock& b = copy_.block;
  b[kPowerMode] = U16(RingValue(p.RingPowerMode));
  b[kLedMode] = U16(RingValue(p.RingLedMode));
  b[kExteach] = U16(RingValue(p.RingExteach));

  if (b[kLedMode] == mode::kLedOff) {
    if (b[kExteach] == mode::kExteachDyn1) SetRingValue(p.RingExteach, mode::kExteachOff);
    SetRingValue(p.RingPowerMode, mode::kPowerStat);
    p.RingPowerMode->setEnabled(false);
    p.SlidePower->setValue(0);
    p.SlidePower->setEnabled(false);
    p.NumDynWinLo->setEnabled(false);
    p.NumDynWinHi->setEnabled(false);
  } else if (b[kExteach] == mode::kExteachDyn1) {
    SetRingValue(p.RingPowerMode, mode::kPowerStat);
    p.RingPowerMode->setEnabled(false);
    p.SlidePower->setEnabled(false);
    p.NumDynWinLo->setEnabled(true);
    p.NumDynWinHi->setEnabled(true);
  } else if (b[kExteach] == mode::kExteachStat1) {
    SetRingValue(p.RingPowerMode, mode::kPowerStat);
    p.RingPowerMode->setEnabled(false);
    p.SlidePower->setEnabled(true);
    p.NumDynWinLo->setEnabled(false);
    p.NumDynWinHi->setEnabled(false);
  } else {
    p.RingPowerMode->setEnabled(true);
    p.SlidePower->setEnabled(true);
    b[kPowerMode] = U16(RingValue(p.RingPowerMode));
    const bool dyn = b[kPowerMode] == mode::kPowerDyn;
    p.SlidePower->setEnabled(!dyn);
    p.NumDynWinLo->setEnabled(dyn);
    p.NumDynWinHi->setEnabled(dyn);
  }
}

void ModeRules::InitEvalMode() {
  auto& p = panels_.parameterPage().ui;
  auto& g = panels_.groupHoldPage().ui;
  auto& d = panels_.dataPanel().ui;
  ParameterBlock& b = copy_.block;
  b[kCalcMode] = U16(RingValue(p.RingCalcMode));
  b[kEvalMode] = U16(RingValue(p.RingEvalMode));
  const int eval = b[kEvalMode];

  // MIN DIST has no use for the colour tolerance (2D) or TOL (3D).
  QTableWidget* teach = panels_.teachPage().ui.GridTeach;
  SetColumnEditable(teach, 2, true);
  SetColumnEditable(teach, 3, true);
  if (eval == mode::kEvalMinDist) SetColumnEditable(teach, mode::Is3D(b[kCalcMode]) ? 3 : 2, false);

  if (eval <= mode::kEvalMinDist) {
    d.LedOut0->setVisible(false);
    d.LabelOut0->setVisible(false);
    d.LedOut1->setVisible(false);
    d.LabelOut1->setVisible(false);
    d.DispDeltaC->setVisible(true);
    d.LabelDeltaC->setVisible(true);
    d.DispCOL->setVisible(true);
    d.LabelCOL->setVisible(true);
    for (QWidget* w : QWidgetList{p.NumMaxVecNo, p.NumIntlim, p.RingDigOutmode, p.RingCalcMode, p.RingTrigger,
                                  g.SwitchColorGroup, g.GridGroups, g.ButtonResetGroupTable})
      w->setEnabled(true);
  } else {
    // COL2 and the threshold modes: two fixed outputs, no colour groups.
    d.DispDeltaC->setVisible(false);
    d.LabelDeltaC->setVisible(false);
    d.DispCOL->setVisible(false);
    d.LabelCOL->setVisible(false);
    d.LedOut0->setVisible(true);
    d.LabelOut0->setVisible(true);
    d.LedOut1->setVisible(true);
    d.LabelOut1->setVisible(true);
    g.SwitchColorGroup->setChecked(false);
    g.SwitchColorGroup->setEnabled(false);
    g.GridGroups->setEnabled(false);
    g.ButtonResetGroupTable->setEnabled(false);
    d.DispGroup->setVisible(false);
    d.LabelGroup->setVisible(false);
    panels_.bigGroupPanel().hide();
    p.NumMaxVecNo->setValue(2);
    p.NumMaxVecNo->setEnabled(false);
    p.NumIntlim->setEnabled(true);
    SetRingValue(p.RingDigOutmode, mode::kOutBinary);
    p.RingDigOutmode->setEnabled(false);
    p.RingCalcMode->setEnabled(true);
    p.RingTrigger->setEnabled(true);
    if (mode::IsThreshold(eval)) {
      panels_.bigColourPanel().hide();
      p.NumIntlim->setValue(0);
      p.NumIntlim->setEnabled(false);
      p.RingCalcMode->setEnabled(false);
      SetRingValue(p.RingTrigger, mode::kTrigCont);
      p.RingTrigger->setEnabled(false);
    }
    InitMaxVecNo();
  }
  b[kCalcMode] = U16(RingValue(p.RingCalcMode));
  RelabelDisplays(b[kCalcMode]);
}

void ModeRules::InitExteach() {
  auto& p = panels_.parameterPage().ui;
  copy_.block[kExteach] = U16(RingValue(p.RingExteach));
  ApplyTriggerRingRule(p.RingTrigger, copy_.block[kExteach]);
  copy_.block[kTrigger] = U16(RingValue(p.RingTrigger));
}

void ModeRules::InitTrigger() {
  auto& p = panels_.parameterPage().ui;
  auto& m = panels_.mainPanel().ui;
  ParameterBlock& b = copy_.block;
  b[kTrigger] = U16(RingValue(p.RingTrigger));
  const int trigger = b[kTrigger];
  if (trigger == mode::kTrigCont || trigger == mode::kTrigSelf) {
    p.RingExteach->setEnabled(true);
  } else {
    SetRingValue(p.RingExteach, mode::kExteachOff);
    p.RingExteach->setEnabled(false);
  }
  const bool para = trigger == mode::kTrigPara;
  m.ButtonParaSet0->setEnabled(para);
  m.ButtonParaSet1->setEnabled(para);
  // The parameter set selection follows the ParaSet buttons.
  if (!para) m.ButtonParaSet0->setChecked(true);
  b[kExteach] = U16(RingValue(p.RingExteach));
  const bool show = trigger != 0 || b[kExteach] != 0;
  panels_.dataPanel().ui.LedTrig->setVisible(show);
  panels_.dataPanel().ui.LabelTrig->setVisible(show);
}

void ModeRules::InitColorGroups() {
  auto& g = panels_.groupHoldPage().ui;
  auto& d = panels_.dataPanel().ui;
  copy_.block[kColorGroup] = g.SwitchColorGroup->isChecked() ? 1 : 0;
  if (copy_.block[kColorGroup] == 1) {
    d.DispGroup->setVisible(true);
    d.LabelGroup->setVisible(true);
  } else {
    d.DispGroup->setVisible(false);
    d.LabelGroup->setVisible(false);
    panels_.bigGroupPanel().hide();
  }
}

void ModeRules::InitMaxVecNo() {
  auto& p = panels_.parameterPage().ui;
  auto& g = panels_.groupHoldPage().ui;
  ParameterBlock& b = copy_.block;
  b[kMaxVecNo] = U16(p.NumMaxVecNo->value());
  b[kDigOutmode] = U16(RingValue(p.RingDigOutmode));
  b[kColorGroup] = g.SwitchColorGroup->isChecked() ? 1 : 0;
  const bool binary = b[kDigOutmode] == mode::kOutBinary;

  if (b[kColorGroup] == 0) {
    const int limit = binary ? 3 : 2;
    if (b[kMaxVecNo] > limit) {
      panels_.ShowMainPage(MainPanel::kParameterPage);
      popups_.Message("INFO!", kMaxVecNoText);
      p.NumMaxVecNo->setValue(limit);
    }
  } else if (b[kColorGroup] == 1) {
    const int highest = binary ? 2 : 1;
    bool reset = false;
    const QSignalBlocker blocker(g.GridGroups);
    for (int r = 0; r < kTeachRows; ++r) {
      if (CellValue(g.GridGroups, r, 0) > highest) {
        SetCellValue(g.GridGroups, r, 0, 0);
        SetCellBackground(g.GridGroups, r, 0, kRed);
        reset = true;
      } else {
        SetCellBackground(g.GridGroups, r, 0, kWhite);
      }
    }
    if (reset) {
      panels_.ShowMainPage(MainPanel::kGroupHoldPage);
      popups_.Message("INFO!", kGroupLimitText);
    }
  }
  b[kMaxVecNo] = U16(p.NumMaxVecNo->value());
  ApplyRowLabels(b[kMaxVecNo]);
}

void ModeRules::ApplyRowLabels(int n) {
  QTableWidget* grids[] = {panels_.teachPage().ui.GridTeach, panels_.tableAttrPage().ui.GridTableAttr,
                           panels_.groupHoldPage().ui.GridGroups};
  QTableWidget* hold = panels_.groupHoldPage().ui.GridHold;
  for (int r = 0; r < kTeachRows; ++r)
    for (QTableWidget* grid : grids) SetRowLabelColour(grid, r, r < n ? kGreen : kRed);
  // The hold grid's first row is HOLD FAIL, always checked.
  for (int r = 0; r <= kTeachRows; ++r) SetRowLabelColour(hold, r, r < n + 1 ? kGreen : kRed);
}

void ModeRules::SortTableTolerance() {
  const int oldMode = copy_.block[kCalcMode];
  GetPanelValues(panels_, &copy_);
  trivolux::SortTableTolerance(&copy_.table, oldMode, copy_.block[kCalcMode]);
  QTableWidget* teach = panels_.teachPage().ui.GridTeach;
  const QSignalBlocker blocker(teach);
  for (int r = 0; r < kTeachRows; ++r)
    for (int c = 0; c < kTeachCells; ++c) SetCellValue(teach, r, c, copy_.table[r][kCell0 + c]);
}

}  // namespace trivolux
