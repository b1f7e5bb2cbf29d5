#include "ui/panels.h"

#include <QApplication>
#include <QEvent>
#include <QFont>
#include <QLabel>
#include <QScreen>
#include <QShortcut>
#include <QTabBar>
#include <QTimer>

#include "ui/logo.h"

namespace trivolux {

namespace {
constexpr QRgb kBannerColour = 0x0080FF;
constexpr QRgb kWhite = 0xFFFFFF;
}  // namespace

Panels::Panels(QObject* parent) : QObject(parent), mainPanel_(std::make_unique<MainPanel>()) {
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

  connect(mainPanel_.get(), &MainPanel::rightDoubleClicked, this, &Panels::RestoreDefaultGeometry);
  QTabWidget* tab = mainPanel_->ui.TabMain;
  connect(tab, &QTabWidget::currentChanged, this, &Panels::OnTabChanged);
  connect(tab->tabBar(), &QTabBar::tabBarClicked, this, [this](int index) { userTabIndex_ = index; });
  tab->installEventFilter(this);
  tab->tabBar()->installEventFilter(this);
  InstallShortcuts();
}

Panels::~Panels() {
  // Events sent while the panels close must not reach this filter any more.
  QTabWidget* tab = mainPanel_->ui.TabMain;
  tab->removeEventFilter(this);
  tab->tabBar()->removeEventFilter(this);
}

void Panels::ShowChildPanelDisp(QWidget* panel) {
  currentChildPanel_ = panel;
  const QWidget* children[] = {dataPanel_, graphPanel_, meanTeachPanel_, recTeachPanel_, scopeGraphPanel_};
  QWidget* shown = dataPanel_;
  for (const QWidget* c : children) {
    if (c == panel) shown = panel;
  }
  mainPanel_->ui.StackChild->setCurrentWidget(shown);
  shown->show();
}

QList<QWidget*> Panels::DimmedControls(int keepTransfer, int dim) {
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
  list << sc.ButtonGetCycleTime << sc.ButtonScan << sc.ButtonBreakScan << sc.ButtonPrintScopeGraph
       << sc.ButtonSaveScopePdf;
  list << recTeachPanel_->ui.ButtonTP2Start;
  return list;
}

void Panels::SetButtonsDimmed(int keepTransfer, int dim) {
  for (QWidget* w : DimmedControls(keepTransfer, dim)) w->setEnabled(dim == 0);
  // Draw the change at once: the caller is about to block in a sensor
  // operation. User input stays queued: a GO or SEND clicked before the
  // dimming took effect must not start inside the caller's operation.
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void Panels::RunDimmed(const std::function<void()>& operation) {
  SetButtonsDimmed(0, 1);
  operation();
  SetButtonsDimmed(0, 0);
}

int Panels::InitConnectPanel() {
  Ui::ConnectPage& c = connectPage().ui;
  const int protocol = c.RingProtocol->currentData().toInt();
  if (protocol != 0 && protocol != 1) return -1;
  const bool serial = protocol == 0;
  for (QWidget* w :
       QWidgetList{c.LabelComPort, c.RingComPort, c.LabelBaudrate, c.RingBaudrate, c.ButtonChangeBaudrate})
    w->setVisible(serial);
  if (!serial) c.StrIpAdress->hidePopup();
  for (QWidget* w : QWidgetList{c.LabelIpAdress, c.StrIpAdress, c.LabelPortNumber, c.StrPortNumber})
    w->setVisible(!serial);
  return protocol;
}

void Panels::ShowLogo(const QString& title, const QString& titleToolTip) {
  QFrame* banner = mainPanel_->ui.FrameBanner;
  QPalette pal = banner->palette();
  pal.setColor(QPalette::Window, QColor::fromRgb(kBannerColour));
  banner->setPalette(pal);
  QLabel* logo = mainPanel_->ui.LabelLogo;
  logo->setPixmap(DrawLogo(logo->size()));
  logo->setVisible(true);
  ShowInfoText(title, titleToolTip, 323, 29, 19, kWhite);
  ShowInfoText(QStringLiteral("Sensor maker"), QString(), 15, 6, 11, kWhite);
  ShowInfoText(QStringLiteral("Tel. see manual"), QString(), 15, 22, 11, kWhite);
  ShowInfoText(QStringLiteral("web: see manual"), QString(), 15, 36, 11, kWhite);
}

void Panels::ShowInfoText(const QString& text, const QString& toolTip, int left, int top, int pointSize,
                          QRgb textColour) {
  // Drawn transparent on the banner.
  auto* label = new QLabel(text, mainPanel_->ui.FrameBanner);
  label->setObjectName(QStringLiteral("InfoText"));
  QFont font = label->font();
  font.setPointSize(pointSize);
  label->setFont(font);
  label->setAttribute(Qt::WA_TranslucentBackground);
  label->setStyleSheet(
      QStringLiteral("color: %1; background: transparent;").arg(QColor::fromRgb(textColour).name()));
  label->setToolTip(toolTip);
  label->adjustSize();
  label->move(left, top);
  label->show();
}

void Panels::HideBuiltInGridMenus() {
  for (QTableWidget* grid :
       {groupHoldPage().ui.GridGroups, groupHoldPage().ui.GridHold, tableAttrPage().ui.GridTableAttr,
        meanTeachPanel_->ui.GridTP1Values, meanTeachPanel_->ui.GridTP1Mean, teachPage().ui.GridTeach}) {
    grid->setContextMenuPolicy(Qt::NoContextMenu);
  }
}

void Panels::ShowNotice(const QString& text) {
  mainPanel_->ui.StatusStrip->ShowNotice(text);
}

void Panels::ShowMainPage(MainPanel::Page page) {
  mainPanel_->ui.TabMain->setCurrentIndex(page);
}

void Panels::RestoreDefaultGeometry() {
  MainPanel& w = *mainPanel_;
  w.setWindowState(w.windowState() & ~(Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen));
  w.resize(MainPanel::kDefaultWidth, MainPanel::kDefaultHeight);
  if (QScreen* screen = w.screen()) {
    QRect frame = w.frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    w.move(frame.topLeft());
  }
}

void Panels::OnTabChanged(int index) {
  const bool byUser = index == userTabIndex_ || userTabInput_;
  userTabIndex_ = -1;
  if (byUser) emit mainTabChanged(index);
}

bool Panels::eventFilter(QObject* watched, QEvent* event) {
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

void Panels::InstallShortcuts() {
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

}  // namespace trivolux
