#pragma once
// Every panel of the program and the window management all subsystems share:
// which child panel fills the shared area, which controls are dimmed while a
// sensor operation runs, the protocol-dependent layout of the connect page,
// the banner, the function keys, and the notice of main tab changes made by
// the user. Knows no subsystem: controllers are given a Panels& and connect
// to its signals.
#include <QList>
#include <QObject>
#include <QPointer>
#include <QRgb>
#include <QString>
#include <functional>
#include <memory>

#include "ui/big_colour_panel.h"
#include "ui/big_group_panel.h"
#include "ui/data_panel.h"
#include "ui/graph_panel.h"
#include "ui/main_panel.h"
#include "ui/mean_teach_panel.h"
#include "ui/password_panel.h"
#include "ui/rec_teach_panel.h"
#include "ui/scope_graph_panel.h"
#include "ui/status_strip.h"

namespace trivolux {

class Panels : public QObject {
  Q_OBJECT
 public:
  // Loads the panels in their documented order: the main panel with its nine
  // pages, the five child panels (in the main panel's shared area), then the
  // three top-level popup panels.
  explicit Panels(QObject* parent = nullptr);
  ~Panels() override;

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

  DataPanel& dataPanel() { return *dataPanel_; }
  GraphPanel& graphPanel() { return *graphPanel_; }
  MeanTeachPanel& meanTeachPanel() { return *meanTeachPanel_; }
  RecTeachPanel& recTeachPanel() { return *recTeachPanel_; }
  ScopeGraphPanel& scopeGraphPanel() { return *scopeGraphPanel_; }
  BigColourPanel& bigColourPanel() { return *bigColourPanel_; }
  BigGroupPanel& bigGroupPanel() { return *bigGroupPanel_; }
  PasswordPanel& passwordPanel() { return *passwordPanel_; }

  // Shows one of the five child panels in the shared area and remembers it
  // as the current one; any other widget shows the data panel.
  void ShowChildPanelDisp(QWidget* panel);
  QWidget* CurrentChildPanel() const { return currentChildPanel_; }

  // Dims (dim = 1) or enables (dim = 0) the controls that start sensor
  // operations; keepTransfer = 1 leaves SEND, GET and the memory buttons alone.
  void SetButtonsDimmed(int keepTransfer, int dim);
  // Runs one sensor operation with those controls dimmed, and enables them
  // again afterwards.
  void RunDimmed(const std::function<void()>& operation);
  // The controls SetButtonsDimmed acts on for these arguments.
  QList<QWidget*> DimmedControls(int keepTransfer, int dim);

  // Shows the controls of the protocol selected on the connect page and
  // returns it (0 RS-232, 1 TCP/IP); -1 and no change for any other value.
  int InitConnectPanel();

  // The banner: logo, the program title (with its tool tip) and the maker's
  // information texts.
  void ShowLogo(const QString& title, const QString& titleToolTip);
  void ShowInfoText(const QString& text, const QString& toolTip, int left, int top, int pointSize,
                    QRgb textColour);

  // The grids offer no built-in context menu (the teach grid gets its own).
  void HideBuiltInGridMenus();

  // The confirmation of a finished transfer in the status strip (clears
  // itself after some seconds).
  void ShowNotice(const QString& text);
  StatusStrip& statusStrip() { return *mainPanel_->ui.StatusStrip; }

  // Brings a main page to the front for the program (no tab rules run).
  void ShowMainPage(MainPanel::Page page);

  // Default size, centred on the screen (right double click on the main panel).
  void RestoreDefaultGeometry();

 signals:
  // The user made another main page active (tab click, keyboard or wheel).
  // Pages brought to the front by the program do not count: a link failure
  // showing the connect page must not stop GO a second time.
  void mainTabChanged(int index);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void InstallShortcuts();
  void OnTabChanged(int index);

  std::unique_ptr<MainPanel> mainPanel_;
  DataPanel* dataPanel_ = nullptr;
  GraphPanel* graphPanel_ = nullptr;
  MeanTeachPanel* meanTeachPanel_ = nullptr;
  RecTeachPanel* recTeachPanel_ = nullptr;
  ScopeGraphPanel* scopeGraphPanel_ = nullptr;
  std::unique_ptr<BigColourPanel> bigColourPanel_;
  std::unique_ptr<BigGroupPanel> bigGroupPanel_;
  std::unique_ptr<PasswordPanel> passwordPanel_;
  QPointer<QWidget> currentChildPanel_;

  // Tab index the user clicked, or -1; userTabInput_ is set while a key or
  // wheel event on the tab widget is being handled.
  int userTabIndex_ = -1;
  bool userTabInput_ = false;
};

}  // namespace trivolux
