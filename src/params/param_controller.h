#pragma once
// The parameter subsystem of the program: owns the working copy, runs SEND
// and GET (sensor or parameter file), and applies the mode rules. One
// instance lives in ScopeApp; other subsystems reach the working copy and the
// documented operations through it (app.params().GetPara()).
#include <QObject>
#include <QString>
#include <functional>

#include "base/shared_state.h"
#include "params/mode_rules.h"
#include "params/param_transfer.h"
#include "params/parameter_set.h"

namespace trivolux {

class ScopeApp;
class SensorLink;

class ParamController : public QObject {
  Q_OBJECT
 public:
  ParamController(ScopeApp& app, SensorLink& link, QObject* parent = nullptr);

  ParameterSet& para() { return para_; }
  const ParameterSet& para() const { return para_; }
  ModeRules& rules() { return rules_; }

  // Live-graph hooks run at the end of every parameter read; filled by the
  // colour-plane drawing (InitGraphs) and the live graphs (ShowGraph).
  std::function<void()> initGraphs;
  std::function<void()> showGraph;

  int SendPara() { return transfer_.SendPara(); }
  int GetPara() { return transfer_.GetPara(); }
  void SendParaToFile();
  void ReadParaFromFile();
  void GetPanelValues();
  void SetPanelValues();
  void InitPanelCtrlAttr() { rules_.InitPanelCtrlAttr(); }
  // SetPanelValues, the eight mode rules, InitGraphs, ShowGraph.
  void RefreshAfterRead();

  // The parameter file chosen last (persisted by the panel settings file).
  QString LastParameterFile() const { return lastFile_; }
  void SetLastParameterFile(const QString& path) { lastFile_ = path; }

 public slots:
  void CBF_ButtonSend();
  void CBF_ButtonGet();
  void CBF_SelectMem(trivolux::Memory selection);
  void CBF_SelectParaSet(int set);

 private:
  void ShowEepromNotice(const QString& text);
  QString DialogDirectory() const;

  ScopeApp& app_;
  ParameterSet para_;
  ParamTransfer transfer_;
  ModeRules rules_;
  QString lastFile_;
};

}  // namespace trivolux
