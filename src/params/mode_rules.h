#pragma once
// The rules that keep the panels consistent with the chosen modes: dimming,
// hiding, relabelling, ring items, forced values and the MAX VEC NO and
// group limits. They repair impossible combinations by forcing control
// values, never by refusing input. Each rule reads the controls it needs into
// the working copy first.
#include <QObject>

#include "params/parameter_set.h"

class QComboBox;

namespace trivolux {

class Panels;
class Popups;
struct SharedState;

// TRIGGER ring items for an EXTERN TEACH value: with EXTERN TEACH on only
// CONT and SELF remain (a TRIGGER of 2 or more becomes CONT); with it off the
// ring offers CONT, SELF, EXT1, EXT2, EXT3, TRANS, PARA (values 0..6).
void ApplyTriggerRingRule(QComboBox* triggerRing, int exteach);

class ModeRules : public QObject {
  Q_OBJECT
 public:
  ModeRules(Panels& panels, SharedState& state, Popups& popups, ParameterSet& workingCopy,
            QObject* parent = nullptr);

  // While a Quiet object lives, control changes made by the program run no
  // rule handler (the handlers follow the controls' values, so they would
  // otherwise also fire for programmatic updates).
  class Quiet {
   public:
    explicit Quiet(ModeRules& rules) : flag_(rules.busy_), wasBusy_(rules.busy_) { flag_ = true; }
    ~Quiet() { flag_ = wasBusy_; }
    Quiet(const Quiet&) = delete;
    Quiet& operator=(const Quiet&) = delete;

   private:
    bool& flag_;
    bool wasBusy_;
  };

  void InitPanelCtrlAttr();
  void InitPowerMode();
  void InitEvalMode();
  void InitCalcMode();
  void SetTabVis();
  void InitExteach();
  void InitTrigger();
  void InitColorGroups();
  void InitMaxVecNo();
  void InitTeachPanel();

  // Grid glue of the 2D/3D column re-arrangement: model and teach grid.
  void SortTableTolerance();

 signals:
  // CALCULATION MODE changed and the teach table was re-arranged for it: the
  // colour planes redraw the taught rows.
  void calculationModeChanged();

 public slots:
  void CBF_EditPmode();
  void CBF_EditLedMode();
  void CBF_EditMaxVecNo();
  void CBF_EditDigOutmode();
  void CBF_EditEvalmode();
  void CBF_EditCalcmode();
  void CBF_EditExteach();
  void CBF_EditTrigger();
  void CBF_EditGridGroups();
  void CBF_EditColorGroups();
  void CBF_ButtonResetGroupTable();
  void CBF_ButtonResetHoldTable();

 private:
  void Connect();
  void RunRulesOnce();
  void RelabelDisplays(int calcMode);
  void ApplyRowLabels(int maxVecNo);

  Panels& panels_;
  SharedState& state_;
  Popups& popups_;
  ParameterSet& copy_;
  // Set while the rules run (they force control values) and while the
  // program updates controls; handlers entered meanwhile do nothing.
  bool busy_ = false;
};

}  // namespace trivolux
