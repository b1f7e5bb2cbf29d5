#include "app/scope_app.h"

#include <QApplication>
#include <QStandardPaths>

#include "app/help_filter.h"
#include "app/help_tooltips.h"
#include "app/panel_settings.h"
#include "app/service_access.h"
#include "app/user_guide.h"
#include "base/version.h"
#include "calib/calib_controller.h"
#include "link/link_controller.h"
#include "link/link_indicator.h"
#include "live/live_controller.h"
#include "params/param_controller.h"
#include "record/record_controller.h"
#include "scope/scope_controller.h"
#include "scope/scope_report_controller.h"
#include "teach/colour_planes.h"
#include "teach/mean_teach_controller.h"
#include "teach/rec_teach_controller.h"
#include "teach/table_attr_controller.h"
#include "teach/table_attr_page_controller.h"
#include "teach/teach_grid_menu.h"
#include "teach/teach_table_controller.h"
#include "ui/panels.h"

namespace trivolux {

ScopeApp::ScopeApp(Popups& popups, QString programDir, QObject* parent)
    : QObject(parent), popups_(popups), programDir_(std::move(programDir)) {
  panels_ = std::make_unique<Panels>();
  // "[*]" shows as "*" while the panels hold changes not sent or saved.
  panels_->mainPanel().setWindowTitle(QLatin1String(kProgramTitle) + QLatin1String("[*]"));
  link_ = std::make_unique<LinkController>(*panels_, state_, popups_);
  linkIndicator_ = std::make_unique<LinkIndicator>(*panels_, state_, *link_);
  params_ = std::make_unique<ParamController>(*panels_, state_, popups_, *link_, programDir_);
  live_ = std::make_unique<LiveController>(*panels_, state_, *link_, *params_);
  teachGridMenu_ = std::make_unique<TeachGridMenu>(*panels_, popups_);
  tableAttr_ = std::make_unique<TableAttrController>(*panels_);
  tableAttrPage_ = std::make_unique<TableAttrPageController>(*panels_, popups_, *tableAttr_);
  colourPlanes_ = std::make_unique<ColourPlanes>(*panels_, *params_, *tableAttr_, *live_);
  teachTable_ = std::make_unique<TeachTableController>(*panels_, state_, popups_, *params_, *live_,
                                                       *tableAttr_, *colourPlanes_, *teachGridMenu_);
  meanTeach_ =
      std::make_unique<MeanTeachController>(*panels_, state_, popups_, *params_, *live_, *colourPlanes_);
  recTeach_ = std::make_unique<RecTeachController>(*panels_, state_, popups_, *params_, *link_,
                                                   *colourPlanes_, *teachTable_, *meanTeach_);
  recorder_ = std::make_unique<RecordController>(*panels_, state_, popups_, *link_, *live_);
  calib_ = std::make_unique<CalibController>(*panels_, state_, popups_, *link_, *params_, *live_);
  scope_ = std::make_unique<ScopeController>(*panels_, state_, *link_, *params_, popups_);
  scopeReport_ = std::make_unique<ScopeReportController>(*panels_, popups_);
  panelSettings_ = std::make_unique<PanelSettingsStore>(*panels_, popups_, *link_, *params_, *tableAttr_,
                                                        *calib_, programDir_);
  // An installed program (directory not writable, or the install layout)
  // keeps its settings in the user's configuration directory; a portable copy
  // keeps them beside itself.
  const bool installed = RunsInstalled(programDir_);
  panelSettings_->SetLocation(ResolveSettingsLocation(
      programDir_, QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation),
      QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation),
      [installed](const QString& dir) { return !installed && DirectoryWritable(dir); }));
  serviceAccess_ = std::make_unique<ServiceAccess>(*panels_, popups_);
  // Right-click help for every control of every panel.
  helpFilter_ = std::make_unique<HelpFilter>(popups_);
  qApp->installEventFilter(helpFilter_.get());
  helpTooltips_ = std::make_unique<HelpTooltips>(*panels_, state_, *link_);
  // F1: the user guide.
  userGuide_ = std::make_unique<UserGuide>(panels_->mainPanel(), popups_, programDir_);

  connect(&panels_->mainPanel(), &MainPanel::closeRequested, this, &ScopeApp::CBF_MAINP_Close);
}

ScopeApp::~ScopeApp() {
  qApp->removeEventFilter(helpFilter_.get());
}

void ScopeApp::InitAll() {
  // 1. Shared state; the memory and parameter-set selections follow their buttons.
  state_.TcpConnected = 0;
  state_.RunFlag = 0;
  state_.SendPending = 0;
  state_.GetPending = 0;
  state_.TeachToleranceOn = true;
  params_->CBF_SelectMem(Memory::Ram);
  params_->CBF_SelectParaSet(0);
  // 2. The page and panel handles are the accessors of Panels.
  // 3. Settings file path.
  panelSettingsPath_ = panelSettings_->Location().settingsPath;
  // 4. and 5. Grid context menus.
  panels_->HideBuiltInGridMenus();
  teachGridMenu_->Build();
  // 6. The password entry of the password panel masks its input by construction.
  // 7.
  panels_->ShowLogo(QLatin1String(kProgramTitle), QLatin1String(kProgramFullTitle));
  // 8. What the panels show now is the starting point for unsent edits.
  params_->GetPanelValues();
  params_->unsent().MarkInSync();
  // 9. The address field of the connect page is an address combo box by construction.
  // 10.
  panelSettings_->LoadPanelSettings();
  panelSettings_->RemoveStaleTemporaries();
  // 11.
  panels_->ShowMainPage(MainPanel::kParameterPage);
  panels_->dataPanel().ui.TabDataP1->setCurrentIndex(DataPanel::kPage3D);
  panels_->mainPanel().ui.TabMain->setTabVisible(MainPanel::kOffsetPage, false);
  // 12.
  panels_->ShowChildPanelDisp(&panels_->dataPanel());
  panels_->mainPanel().show();
  // 13.
  panelSettings_->GetConnectionSettingsFromFile();
  link_->InitConnectPanel();
  // 14.
  panels_->SetButtonsDimmed(0, 1);
  link_->TryToConnect();
  if (state_.SensorConnected == 1 && !state_.QuitRequested) panels_->SetButtonsDimmed(0, 0);
}

void ScopeApp::CBF_MAINP_Close() {
  state_.RunFlag = 0;
  panelSettings_->StorePanelSettings();
  state_.QuitRequested = true;
  QCoreApplication::exit(0);
}

}  // namespace trivolux
