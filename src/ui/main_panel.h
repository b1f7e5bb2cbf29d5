#pragma once
// The main window: banner, the main tab widget with its nine pages, the
// transfer buttons and the area the child panels share.
#include <QWidget>

#include "ui/calibration_page.h"
#include "ui/connect_page.h"
#include "ui/group_hold_page.h"
#include "ui/offset_page.h"
#include "ui/parameter_page.h"
#include "ui/record_page.h"
#include "ui/scope_page.h"
#include "ui/table_attr_page.h"
#include "ui/teach_page.h"
#include "ui_main_panel.h"

namespace trivolux {

class MainPanel : public QWidget {
  Q_OBJECT
 public:
  // Main tab page indices.
  enum Page {
    kConnectPage = 0,
    kParameterPage = 1,
    kGroupHoldPage = 2,
    kTeachPage = 3,
    kRecordPage = 4,
    kCalibrationPage = 5,
    kTableAttrPage = 6,
    kScopePage = 7,
    kOffsetPage = 8,
  };
  // Width of TabMain's page area (pages and their frame), px: two buttons
  // side by side show captions such as "TEACH RECORDED VALUES" whole.
  static constexpr int kPageAreaWidth = 360;
  // Width the tab column adds to the left column, px; wider titles (a larger
  // font) widen it further at the expense of the child panel area.
  static constexpr int kTabColumnWidth = 96;
  // Default window size, px: every page shows all of its controls without
  // scrolling, the child panels every caption whole; with a window frame and
  // a task bar it fits a 1366 x 768 screen.
  static constexpr int kDefaultWidth = 1200;
  static constexpr int kDefaultHeight = 680;

  explicit MainPanel(QWidget* parent = nullptr);
  Ui::MainPanel ui;

 signals:
  // The window's close box was used; the window closes.
  void closeRequested();
  // A right double click on the panel itself (not consumed by a control).
  void rightDoubleClicked();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
};

}  // namespace trivolux
