#pragma once
// The parameter subsystem of the program: owns the working copy, runs SEND
// and GET (sensor or parameter file), keeps the memory and parameter-set
// selection in step with their buttons, and applies the mode rules. One
// instance lives in the application object; higher subsystems call it and
// connect to its signals.
#include <QObject>
#include <QString>

#include "base/shared_state.h"
#include "params/mode_rules.h"
#include "params/param_transfer.h"
#include "params/parameter_set.h"
#include "params/unsent_edits.h"

namespace trivolux {

class LinkController;
class Panels;
class Popups;

class ParamController : public QObject {
  Q_OBJECT
 public:
  ParamController(Panels& panels, SharedState& state, Popups& popups, LinkController& link,
                  QString programDir, QObject* parent = nullptr);

  ParameterSet& para() { return para_; }
  const ParameterSet& para() const { return para_; }
  ModeRules& rules() { return rules_; }
  // Whether the panels hold changes not yet sent to the sensor or saved.
  UnsentEdits& unsent() { return unsent_; }

  // True when a read may replace what the panels show: nothing unsent would
  // be lost, or the user agreed (Yes replaces, No keeps).
  bool MayReplaceEdits();
  // Controls -> working copy, then the set to the sensor (1 or -1).
  int SendPara();
  // Sensor -> working copy -> controls (1 or -1; a failed read changes nothing).
  int GetPara();
  void SendParaToFile();
  void ReadParaFromFile();
  void GetPanelValues();
  void SetPanelValues();
  void InitPanelCtrlAttr() { rules_.InitPanelCtrlAttr(); }
  // SetPanelValues and the eight mode rules after a read, then parametersRead().
  void RefreshAfterRead();

  // The parameter file chosen last (persisted by the panel settings file).
  QString LastParameterFile() const { return lastFile_; }
  void SetLastParameterFile(const QString& path) { lastFile_ = path; }

  // Selects a memory or parameter set as a click on its button would; the
  // shared selection follows the buttons.
  void CBF_SelectMem(trivolux::Memory selection);
  void CBF_SelectParaSet(int set);

 signals:
  // A parameter set was read into the working copy and the panels (from the
  // sensor or a file): the live graphs and the colour planes redraw.
  void parametersRead();
  // CALCULATION MODE changed and the teach table was re-arranged for it.
  void calculationModeChanged();

 public slots:
  void CBF_ButtonSend();
  void CBF_ButtonGet();

 private:
  void ShowEepromNotice(const QString& text);
  QString DialogDirectory() const;
  // The status strip's line for a transfer with the sensor.
  void NoticeSensorTransfer(const char* what, bool towards, qint64 ms, int result);

  Panels& panels_;
  SharedState& state_;
  Popups& popups_;
  QString programDir_;
  ParameterSet para_;
  ParamTransfer transfer_;
  ModeRules rules_;
  UnsentEdits unsent_;
  QString lastFile_;
};

}  // namespace trivolux
