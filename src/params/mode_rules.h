#pragma once
// The rules that keep the panels consistent with the chosen modes: dimming,
// hiding, relabelling, ring items, forced values and the MAX VEC NO and
// group limits. They repair impossible combinations by forcing control
// values, never by refusing input. Each rule reads the controls it needs into
// the working copy first.
#include <QObject>
#include <functional>

#include "params/parameter_set.h"

class QComboBox;

namespace trivolux {

class ScopeApp;

// TRIGGER ring items for an EXTERN TEACH value: with EXTERN TEACH on only
// CONT and SELF remain (a TRIGGER of 2 or more becomes CONT); with it off the
// ring offers CONT, SELF, EXT1, EXT2, EXT3, TRANS, PARA (values 0..6).
void ApplyTriggerRingRule(QComboBox* triggerRing, int exteach);

class ModeRules : public QObject {
  Q_OBJECT
 public:
  ModeRules(ScopeApp& app, ParameterSet& workingCopy, QObject* parent = nullptr);

  // Colour-plane redraw of the taught rows, filled by the teach drawing code.
  std::function<void()> initGraphs;

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

  ScopeApp& app_;
  ParameterSet& copy_;
  bool busy_ = false;
};

}  // namespace trivolux
