#pragma once
// The application object: owns the shared state and every panel, and holds
// the window management all subsystems use (child-panel switching, button
// dimming, the connect-page layout, banner texts, the main panel and main
// tab callbacks). main() creates exactly one; every widget test its own.
//
// Subsystem controllers are members created in the constructor; keep the
// constructor a plain list of member set-ups and connections.
#include <QList>
#include <QObject>
#include <QPointer>
#include <QRgb>
#include <QString>
#include <memory>

#include "app/help_filter.h"
#include "base/shared_state.h"
#include "ui/big_colour_panel.h"
#include "ui/big_group_panel.h"
#include "ui/data_panel.h"
#include "ui/graph_panel.h"
#include "ui/main_panel.h"
#include "ui/mean_teach_panel.h"
#include "ui/password_panel.h"
#include "ui/popups.h"
#include "ui/rec_teach_panel.h"
#include "ui/scope_graph_panel.h"

class QAction;
class QMenu;
class QPushButton;

namespace trivolux {

class LinkController;
class ParamController;
class PanelSettingsStore;
class ServiceAccess;

class ScopeApp : public QObject {
  Q_OBJECT
 public:
  ScopeApp(Popups& popups, QString programDir, QObject* parent = nullptr);
  ~ScopeApp() override;

  SharedState& state() { return state_; }
  Popups& popups() { return popups_; }
  const QString& programDir() const { return programDir_; }
  const QString& panelSettingsPath() const { return panelSettingsPath_; }
  int comProtocol() const { return comProtocol_; }

  MainPanel& mainPanel() { return *mainPanel_; }
  ConnectPage& connectPage() { return *mainPanel_->ui.PageConnect; }
  ParameterPage& parameterPage() { return *mainPanel_->ui.PageParameter; }
  GroupHoldPage& groupHoldPage() { return *mainPanel_->ui.PageGroupHold; }
  TeachPage& teachPage() { return *mainPanel_->ui.PageTeach; }
  RecordPage& recordPage() { return *mainPanel_->ui.PageRecord; }
  CalibrationPage& calibrationPage() { return *mainPanel_->ui.PageCalibration; }
  TableAttrPage& tableAttrPage() { return *mainPanel_->ui.PageTableAttr; }
  ScopePage& scopePage() { return *mainPanel_->ui.PageScope; }
  OffsetPage& offsetPage() { return *mainPanel_->ui.PageOffset; }

  LinkController& linkController() { return *link_; }
  PanelSettingsStore& panelSettings() { return *panelSettings_; }
  ParamController& params() { return *params_; }

  DataPanel& dataPanel() { return *dataPanel_; }
  GraphPanel& graphPanel() { return *graphPanel_; }
  MeanTeachPanel& meanTeachPanel() { return *meanTeachPanel_; }
  RecTeachPanel& recTeachPanel() { return *recTeachPanel_; }
  ScopeGraphPanel& scopeGraphPanel() { return *scopeGraphPanel_; }
  BigColourPanel& bigColourPanel() { return *bigColourPanel_; }
  BigGroupPanel& bigGroupPanel() { return *bigGroupPanel_; }
  PasswordPanel& passwordPanel() { return *passwordPanel_; }

  // Start-up between creating the panels and running the event loop.
  void InitAll();

  // Shows one of the five child panels in the shared area and remembers it
  // as the current one; any other widget shows the data panel.
  void ShowChildPanelDisp(QWidget* panel);
  QWidget* CurrentChildPanel() const { return currentChildPanel_; }

  // Dims (dim = 1) or enables (dim = 0) the controls that start sensor
  // operations; keepTransfer = 1 leaves SEND, GET and the memory buttons alone.
  void SetButtonsDimmed(int keepTransfer, int dim);
  // The controls SetButtonsDimmed acts on for these arguments.
  QList<QWidget*> DimmedControls(int keepTransfer, int dim);

  // Shows the controls of the selected protocol on the connect page.
  void InitConnectPanel();
  void ShowLogo();
  void ShowInfoText(const QString& text, bool withToolTip, int left, int top, int pointSize, QRgb background,
                    QRgb textColour);

  // The teach grid's context menu and its entries.
  QMenu* teachGridMenu() const { return teachMenu_; }
  QAction* helpAction() const { return actHelp_; }
  QAction* setSelectionToAction() const { return actSetSelectionTo_; }
  QAction* incrementSelectionWithAction() const { return actIncrementSelectionWith_; }
  QAction* resetSelectionAction() const { return actResetSelection_; }
  QAction* teachTolOffAction() const { return actTeachTolOff_; }
  QAction* teachTolOnAction() const { return actTeachTolOn_; }

  // Start-up and shutdown steps filled in by the subsystems that own them
  // (scope_app_hooks.cpp).
  void LoadPanelSettings();
  void StorePanelSettings();
  void GetConnectionSettingsFromFile();
  void GetPanelValues();
  void TryToConnect();
  void InitRecordPageOnShow();

 public slots:
  // Main panel events: close ends the program, a right double click restores
  // the default size and centres the window.
  void CBF_MAINP_Close();
  void CBF_MAINP_RightDoubleClick();
  // The user made another main tab page active.
  void CBF_TabMain1(int index);
  void CBF_GridCttHelp();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildTeachGridMenu();
  void HideBuiltInGridMenus();
  void InstallShortcuts();
  void OnTabChanged(int index);

  Popups& popups_;
  QString programDir_;
  QString panelSettingsPath_;
  SharedState state_;
  int comProtocol_ = 0;

  // Panels, in load order. The child panels belong to the main panel's
  // shared area; the popup panels are top-level windows.
  std::unique_ptr<MainPanel> mainPanel_;
  std::unique_ptr<LinkController> link_;
  std::unique_ptr<PanelSettingsStore> panelSettings_;
  std::unique_ptr<ParamController> params_;
  DataPanel* dataPanel_ = nullptr;
  GraphPanel* graphPanel_ = nullptr;
  MeanTeachPanel* meanTeachPanel_ = nullptr;
  RecTeachPanel* recTeachPanel_ = nullptr;
  ScopeGraphPanel* scopeGraphPanel_ = nullptr;
  std::unique_ptr<BigColourPanel> bigColourPanel_;
  std::unique_ptr<BigGroupPanel> bigGroupPanel_;
  std::unique_ptr<PasswordPanel> passwordPanel_;
  std::unique_ptr<HelpFilter> helpFilter_;
  ServiceAccess* serviceAccess_ = nullptr;
  QPointer<QWidget> currentChildPanel_;

  QMenu* teachMenu_ = nullptr;
  QAction* actHelp_ = nullptr;
  QAction* actSetSelectionTo_ = nullptr;
  QAction* actIncrementSelectionWith_ = nullptr;
  QAction* actResetSelection_ = nullptr;
  QAction* actTeachTolOff_ = nullptr;
  QAction* actTeachTolOn_ = nullptr;

  // Tab index the user clicked or reached by keyboard/wheel; -1 otherwise.
  // Only such changes run the tab-change rules: pages brought to the front
  // by the program (a link failure, a limit message) do not stop GO.
  int userTabIndex_ = -1;
  bool userTabInput_ = false;
};

}  // namespace trivolux
