#pragma once
// The application object: creates the shared state, the panels and every
// subsystem controller in dependency order (each controller connects itself
// to the panels and to the lower subsystems it is given), runs the start-up
// steps, and ends the program when the main window closes. main() creates
// exactly one; every widget test its own.
#include <QObject>
#include <QString>
#include <memory>

#include "base/shared_state.h"

namespace trivolux {

class ColourPlanes;
class HelpFilter;
class HelpTooltips;
class LinkController;
class LinkIndicator;
class LiveController;
class MeanTeachController;
class RecTeachController;
class RecordController;
class CalibController;
class PanelSettingsStore;
class Panels;
class ParamController;
class Popups;
class ScopeController;
class ScopeReportController;
class ServiceAccess;
class TableAttrController;
class TableAttrPageController;
class TeachGridMenu;
class TeachTableController;
class UserGuide;

class ScopeApp : public QObject {
  Q_OBJECT
 public:
  ScopeApp(Popups& popups, QString programDir, QObject* parent = nullptr);
  ~ScopeApp() override;

  SharedState& state() { return state_; }
  Popups& popups() { return popups_; }
  const QString& programDir() const { return programDir_; }
  const QString& panelSettingsPath() const { return panelSettingsPath_; }

  Panels& panels() { return *panels_; }
  LinkController& linkController() { return *link_; }
  ParamController& params() { return *params_; }
  TeachGridMenu& teachGridMenu() { return *teachGridMenu_; }
  TableAttrController& tableAttr() { return *tableAttr_; }
  LiveController& live() { return *live_; }
  ColourPlanes& colourPlanes() { return *colourPlanes_; }
  TeachTableController& teachTable() { return *teachTable_; }
  MeanTeachController& meanTeach() { return *meanTeach_; }
  RecTeachController& recTeach() { return *recTeach_; }
  RecordController& recorder() { return *recorder_; }
  CalibController& calib() { return *calib_; }
  ScopeController& scope() { return *scope_; }
  ScopeReportController& scopeReport() { return *scopeReport_; }
  PanelSettingsStore& panelSettings() { return *panelSettings_; }
  UserGuide& userGuide() { return *userGuide_; }

  // Start-up between creating the panels and running the event loop.
  void InitAll();

 public slots:
  // The main window was closed: GO stops, the settings are stored, every
  // wait ends and the event loop quits.
  void CBF_MAINP_Close();

 private:
  Popups& popups_;
  QString programDir_;
  QString panelSettingsPath_;
  SharedState state_;

  // In dependency order; destroyed in reverse (the link closes its
  // transports before the panels go).
  std::unique_ptr<Panels> panels_;
  std::unique_ptr<LinkController> link_;
  std::unique_ptr<LinkIndicator> linkIndicator_;
  std::unique_ptr<ParamController> params_;
  std::unique_ptr<LiveController> live_;
  std::unique_ptr<TeachGridMenu> teachGridMenu_;
  std::unique_ptr<TableAttrController> tableAttr_;
  std::unique_ptr<TableAttrPageController> tableAttrPage_;
  std::unique_ptr<ColourPlanes> colourPlanes_;
  std::unique_ptr<TeachTableController> teachTable_;
  std::unique_ptr<MeanTeachController> meanTeach_;
  std::unique_ptr<RecTeachController> recTeach_;
  std::unique_ptr<RecordController> recorder_;
  std::unique_ptr<CalibController> calib_;
  std::unique_ptr<ScopeController> scope_;
  std::unique_ptr<ScopeReportController> scopeReport_;
  std::unique_ptr<PanelSettingsStore> panelSettings_;
  std::unique_ptr<ServiceAccess> serviceAccess_;
  std::unique_ptr<HelpFilter> helpFilter_;
  std::unique_ptr<HelpTooltips> helpTooltips_;
  std::unique_ptr<UserGuide> userGuide_;
};

}  // namespace trivolux
