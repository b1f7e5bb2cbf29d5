#include "app/scope_app.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QFont>
#include <QLabel>
#include <QMenu>
#include <QScreen>
#include <QShortcut>
#include <QStandardPaths>
#include <QTabBar>
#include <QTimer>

#include "app/help_catalogue.h"
#include "base/version.h"
#include "app/panel_settings.h"
#include "app/service_access.h"
#include "link/link_controller.h"
#include "params/param_controller.h"
#include "ui/logo.h"

namespace trivolux {

namespace {

constexpr QRgb kBannerColour = 0x0080FF;
constexpr QRgb kWhite = 0xFFFFFF;

}  // namespace

ScopeApp::ScopeApp(Popups& popups, QString programDir, QObject* parent)
    : QObject(parent),
      popups_(popups),
      programDir_(std::move(programDir)),
      mainPanel_(std::make_unique<MainPanel>()) {
  // Load order: main panel, the five child panels (children of the shared
  // area), then the three top-level popup panels.
  QStackedWidget* area = mainPanel_->ui.StackChild;
  dataPanel_ = new DataPanel(area);
  graphPanel_ = new GraphPanel(area);
  meanTeachPanel_ = new MeanTeachPanel(area);
  recTeachPanel_ = new RecTeachPanel(area);
  scopeGraphPanel_ = new ScopeGraphPanel(area);
  for (QWidget* child : std::initializer_list<QWidget*>{dataPanel_, graphPanel_, meanTeachPanel_,
                                                        recTeachPanel_, scopeGraphPanel_})
    area->addWidget(child);
  bigColourPanel_ = std::make_unique<BigColourPanel>();
  bigGroupPanel_ = std::make_unique<BigGroupPanel>();
  passwordPanel_ = std::make_unique<PasswordPanel>();

  mainPanel_->setWindowTitle(QLatin1String(kProgramTitle));

  link_ = std::make_unique<LinkController>(*this);
  panelSettings_ = std::make_unique<PanelSettingsStore>(*this, *link_);
  // An installed program (directory not writable) keeps its settings in the
  // user's configuration directory; a portable copy keeps them beside itself.
  panelSettings_->SetLocation(ResolveSettingsLocation(
      programDir_, QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation),
      QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation), DirectoryWritable));
  link_->storePanelSettings = [this] { StorePanelSettings(); };
  params_ = std::make_unique<ParamController>(*this, link_->link());
  link_->getPara = [this] { return params_->GetPara(); };
  panelSettings_->parameterFile = [this] { return params_->LastParameterFile(); };
  panelSettings_->setParameterFile = [this](const QString& path) { params_->SetLastParameterFile(path); };

  connect(mainPanel_.get(), &MainPanel::closeRequested, this, &ScopeApp::CBF_MAINP_Close);
  connect(mainPanel_.get(), &MainPanel::rightDoubleClicked, this, &ScopeApp::CBF_MAINP_RightDoubleClick);
  QTabWidget* tab = mainPanel_->ui.TabMain;
  connect(tab, &QTabWidget::currentChanged, this, &ScopeApp::OnTabChanged);
  connect(tab->tabBar(), &QTabBar::tabBarClicked, this, [this](int index) { userTabIndex_ = index; });
  tab->installEventFilter(this);
  tab->tabBar()->installEventFilter(this);
  InstallShortcuts();
  serviceAccess_ = new ServiceAccess(*this);
  // Right-click help for every control of every panel.
  helpFilter_ = std::make_unique<HelpFilter>(popups_);
  qApp->installEventFilter(helpFilter_.get());
}

ScopeApp::~ScopeApp() {
  // The panels are destroyed after this object has stopped being a ScopeApp;
  // events sent while they close must not reach this filter any more.
  QTabWidget* tab = mainPanel_->ui.TabMain;
  tab->removeEventFilter(this);
  tab->tabBar()->removeEventFilter(this);
  qApp->removeEventFilter(helpFilter_.get());
}

void ScopeApp::InitAll() {
  // 1. Shared state.
  state_.TcpConnected = 0;
  state_.MemorySelection = Memory::Ram;
  state_.ParaSet = 0;
  state_.RunFlag = 0;
  state_.SendPending = 0;
  state_.GetPending = 0;
  state_.TeachToleranceOn = true;
  mainPanel_->ui.ButtonRam->setChecked(true);
  mainPanel_->ui.ButtonParaSet0->setChecked(true);
  // 2. The page and panel handles are the accessors of this object.
  // 3. Settings file path.
  panelSettingsPath_ = panelSettings_->Location().settingsPath;
  // 4. and 5. Grid context menus.
  HideBuiltInGridMenus();
  BuildTeachGridMenu();
  // 6. The password entry of the password panel masks its input by construction.
  // 7.
  ShowLogo();
  // 8.
  GetPanelValues();
  // 9. The address field of the connect page is an editable combo box by construction.
  // 10.
  LoadPanelSettings();
  // 11.
  QTabWidget* tab = mainPanel_->ui.TabMain;
  tab->setCurrentIndex(MainPanel::kParameterPage);
  dataPanel_->ui.TabDataP1->setCurrentIndex(DataPanel::kPage3D);
  tab->setTabVisible(MainPanel::kOffsetPage, false);
  // 12.
  ShowChildPanelDisp(dataPanel_);
  mainPanel_->show();
  // 13.
  GetConnectionSettingsFromFile();
  InitConnectPanel();
  // 14.
  SetButtonsDimmed(0, 1);
  TryToConnect();
  if (state_.SensorConnected == 1 && !state_.QuitRequested) SetButtonsDimmed(0, 0);
}

void ScopeApp::ShowChildPanelDisp(QWidget* panel) {
  currentChildPanel_ = panel;
  const QWidget* children[] = {dataPanel_, graphPanel_, meanTeachPanel_, recTeachPanel_, scopeGraphPanel_};
  QWidget* shown = dataPanel_;
  for (const QWidget* c : children) {
    if (c == panel) shown = panel;
  }
  mainPanel_->ui.StackChild->setCurrentWidget(shown);
  shown->show();
}

QList<QWidget*> ScopeApp::DimmedControls(int keepTransfer, int dim) {
  const Ui::MainPanel& m = mainPanel_->ui;
  const Ui::ConnectPage& c = connectPage().ui;
  const Ui::CalibrationPage& cal = calibrationPage().ui;
  const Ui::OffsetPage& off = offsetPage().ui;
  const Ui::RecordPage& rec = recordPage().ui;
  const Ui::ScopePage& sc = scopePage().ui;
  QList<QWidget*> list;
  if (keepTransfer != 1) list << m.ButtonSend << m.ButtonGet << m.ButtonRam << m.ButtonEeprom << m.ButtonFile;
  list << m.ButtonGo;
  list << c.ButtonTryToConnect << c.ButtonDisconnect << c.RingBaudrate;
  // Enabling these two is left to the connection check.
  if (dim == 1) list << c.ButtonChangeBaudrate << c.ButtonGenHwInfoFile;
  list << cal.ButtonSendCF << cal.ButtonGetCF << cal.ButtonCalcCF << cal.ButtonStartSelfCalibration;
  list << off.ButtonSendOffset << off.ButtonGetOffset << off.ButtonCalcOffset;
  list << rec.ButtonSelRecFile << rec.ButtonStartRecord << rec.ButtonStartTrigRec << rec.ButtonManualRecord;
  list << sc.ButtonGetCycleTime << sc.ButtonScan << sc.ButtonPrintScopeGraph;
  list << recTeachPanel_->ui.ButtonTP2Start;
  return list;
}

void ScopeApp::SetButtonsDimmed(int keepTransfer, int dim) {
  for (QWidget* w : DimmedControls(keepTransfer, dim)) w->setEnabled(dim == 0);
  // Draw the change at once: the caller is about to block in a sensor operation.
  QCoreApplication::processEvents();
}

void ScopeApp::InitConnectPanel() {
  Ui::ConnectPage& c = connectPage().ui;
  const int protocol = c.RingProtocol->currentData().toInt();
  if (protocol != 0 && protocol != 1) return;
  comProtocol_ = protocol;
  const bool serial = protocol == 0;
  for (QWidget* w : {static_cast<QWidget*>(c.LabelComPort), static_cast<QWidget*>(c.RingComPort),
                     static_cast<QWidget*>(c.LabelBaudrate), static_cast<QWidget*>(c.RingBaudrate),
                     static_cast<QWidget*>(c.ButtonChangeBaudrate)})
    w->setVisible(serial);
  if (!serial) c.StrIpAdress->hidePopup();
  for (QWidget* w : {static_cast<QWidget*>(c.LabelIpAdress), static_cast<QWidget*>(c.StrIpAdress),
                     static_cast<QWidget*>(c.LabelPortNumber), static_cast<QWidget*>(c.StrPortNumber)})
    w->setVisible(!serial);
}

void ScopeApp::ShowLogo() {
  QFrame* banner = mainPanel_->ui.FrameBanner;
  QPalette pal = banner->palette();
  pal.setColor(QPalette::Window, QColor::fromRgb(kBannerColour));
  banner->setPalette(pal);
  QLabel* logo = mainPanel_->ui.LabelLogo;
  logo->setPixmap(DrawLogo(logo->size()));
  logo->setVisible(true);
  ShowInfoText(QLatin1String(kProgramTitle), true, 323, 29, 19, kBannerColour, kWhite);
  ShowInfoText(QStringLiteral("Sensor maker"), false, 15, 6, 11, kBannerColour, kWhite);
  ShowInfoText(QStringLiteral("Tel. see manual"), false, 15, 22, 11, kBannerColour, kWhite);
  ShowInfoText(QStringLiteral("web: see manual"), false, 15, 36, 11, kBannerColour, kWhite);
}

void ScopeApp::ShowInfoText(const QString& text, bool withToolTip, int left, int top, int pointSize,
                            QRgb /*background: drawn transparent on the banner*/, QRgb textColour) {
  auto* label = new QLabel(text, mainPanel_->ui.FrameBanner);
  label->setObjectName(QStringLiteral("InfoText"));
  QFont font = label->font();
  font.setPointSize(pointSize);
  label->setFont(font);
  label->setAttribute(Qt::WA_TranslucentBackground);
  label->setStyleSheet(
      QStringLiteral("color: %1; background: transparent;").arg(QColor::fromRgb(textColour).name()));
  if (withToolTip) label->setToolTip(QLatin1String(kProgramFullTitle));
  label->adjustSize();
  label->move(left, top);
  label->show();
}

void ScopeApp::CBF_MAINP_Close() {
  state_.RunFlag = 0;
  StorePanelSettings();
  state_.QuitRequested = true;
  QCoreApplication::exit(0);
}

void ScopeApp::CBF_MAINP_RightDoubleClick() {
  MainPanel& w = *mainPanel_;
  w.setWindowState(w.windowState() & ~(Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen));
  w.resize(MainPanel::kDefaultWidth, MainPanel::kDefaultHeight);
  if (QScreen* screen = w.screen()) {
    QRect frame = w.frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    w.move(frame.topLeft());
  }
}

void ScopeApp::OnTabChanged(int index) {
  const bool byUser = index == userTabIndex_ || userTabInput_;
  userTabIndex_ = -1;
  if (byUser) CBF_TabMain1(index);
}

void ScopeApp::CBF_TabMain1(int index) {
  switch (index) {
    case MainPanel::kRecordPage:
      InitRecordPageOnShow();
      break;
    case MainPanel::kConnectPage: {
      state_.RunFlag = 0;
      // A new TRY TO CONNECT is needed before the settings can be accepted.
      Ui::ConnectPage& c = connectPage().ui;
      c.ButtonAccept->setEnabled(false);
      c.ButtonChangeBaudrate->setEnabled(false);
      c.ButtonGenHwInfoFile->setEnabled(false);
      break;
    }
    case MainPanel::kScopePage:
      state_.RunFlag = 0;
      ShowChildPanelDisp(scopeGraphPanel_);
      break;
    default:
      break;
  }
}

bool ScopeApp::eventFilter(QObject* watched, QEvent* event) {
  QTabWidget* tab = mainPanel_->ui.TabMain;
  if (watched == tab || watched == tab->tabBar()) {
    switch (event->type()) {
      case QEvent::KeyPress:
      case QEvent::Wheel:
        userTabInput_ = true;
        QTimer::singleShot(0, this, [this] { userTabInput_ = false; });
        break;
      case QEvent::MouseButtonRelease:
        userTabIndex_ = -1;
        break;
      default:
        break;
    }
  }
  return QObject::eventFilter(watched, event);
}

void ScopeApp::InstallShortcuts() {
  // SEND, GET, GO, STOP answer F9..F12 in every window of the program.
  const std::pair<Qt::Key, QPushButton*> keys[] = {{Qt::Key_F9, mainPanel_->ui.ButtonSend},
                                                   {Qt::Key_F10, mainPanel_->ui.ButtonGet},
                                                   {Qt::Key_F11, mainPanel_->ui.ButtonGo},
                                                   {Qt::Key_F12, mainPanel_->ui.ButtonStop}};
  for (const auto& [key, button] : keys) {
    auto* shortcut = new QShortcut(QKeySequence(key), mainPanel_.get());
    shortcut->setContext(Qt::ApplicationShortcut);
    QPushButton* b = button;
    connect(shortcut, &QShortcut::activated, b, [b] {
      if (b->isEnabled()) b->click();
    });
  }
}

void ScopeApp::HideBuiltInGridMenus() {
  // The grids offer no menu of their own (the teach grid gets its own menu).
  for (QTableWidget* grid :
       {groupHoldPage().ui.GridGroups, groupHoldPage().ui.GridHold, tableAttrPage().ui.GridTableAttr,
        meanTeachPanel_->ui.GridTP1Values, meanTeachPanel_->ui.GridTP1Mean}) {
    grid->setContextMenuPolicy(Qt::NoContextMenu);
  }
}

void ScopeApp::BuildTeachGridMenu() {
  if (teachMenu_) return;
  QTableWidget* grid = teachPage().ui.GridTeach;
  teachMenu_ = new QMenu(grid);
  teachMenu_->setObjectName(QStringLiteral("MenuGridTeach"));
  actHelp_ = teachMenu_->addAction(QStringLiteral("Help"));
  teachMenu_->addSeparator();
  actSetSelectionTo_ = teachMenu_->addAction(QStringLiteral("Set selection to"));
  actIncrementSelectionWith_ = teachMenu_->addAction(QStringLiteral("Increment selection with"));
  actResetSelection_ = teachMenu_->addAction(QStringLiteral("Reset selection"));
  teachMenu_->addSeparator();
  actTeachTolOff_ = teachMenu_->addAction(QStringLiteral("Teach tolerance off"));
  actTeachTolOn_ = teachMenu_->addAction(QStringLiteral("Teach tolerance on"));
  // The teach-tolerance flag starts on.
  actTeachTolOn_->setEnabled(false);
  connect(actHelp_, &QAction::triggered, this, &ScopeApp::CBF_GridCttHelp);
  grid->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(grid, &QWidget::customContextMenuRequested, this,
          [this, grid](const QPoint& pos) { teachMenu_->popup(grid->viewport()->mapToGlobal(pos)); });
}

void ScopeApp::CBF_GridCttHelp() {
  if (const HelpEntry* help = FindHelp(QStringLiteral("CBF_GridCttHelp")))
    popups_.Message(QString::fromUtf8(help->title), QString::fromUtf8(help->text));
}

}  // namespace trivolux
