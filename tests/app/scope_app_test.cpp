// Widget tests of the application shell: start-up state, child panels,
// button dimming, tab rules, the teach grid menu, window handling and the
// function-key shortcuts.
#include "app/scope_app.h"

#include <QAction>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QMenu>
#include <QScreen>
#include <QSignalSpy>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <map>
#include <memory>
#include <set>

#include "app_fixture.h"
#include "base/help_catalogue.h"
#include "link/link_controller.h"
#include "teach/table_attributes.h"
#include "teach/teach_grid_menu.h"
#include "ui/panels.h"

using trivolux::MainPanel;
using trivolux::ScopeApp;
using trivolux::test::AppFixture;

namespace {

// Every control of the program, by object name: the main panel and its pages,
// the child panels and the popup panels. Widgets without one of our names
// (Qt's internal children) are left out.
std::map<QString, QWidget*> NamedControls(ScopeApp& app) {
  static const QStringList prefixes = {"Button", "Ring",  "Num",    "Slide", "Str",  "Text",
                                       "Grid",   "Graph", "Chart",  "Led",   "Disp", "Switch",
                                       "Radio",  "Tab",   "Swatch", "Bar",   "Deco"};
  std::map<QString, QWidget*> named;
  QList<QWidget*> roots = {&app.panels().mainPanel(), &app.panels().bigColourPanel(),
                           &app.panels().bigGroupPanel(), &app.panels().passwordPanel()};
  for (QWidget* root : roots) {
    for (QWidget* w : root->findChildren<QWidget*>()) {
      const QString name = w->objectName();
      for (const QString& p : prefixes) {
        if (name.startsWith(p)) {
          // Pages and panels are separate classes, so a name may occur on two
          // panels: qualify it with its top-level page or panel.
          QWidget* owner = w->parentWidget();
          while (owner && !owner->objectName().startsWith("Page") && owner->parentWidget() &&
                 !owner->objectName().endsWith("Panel"))
            owner = owner->parentWidget();
          named[(owner ? owner->objectName() + "." : QString()) + name] = w;
          break;
        }
      }
    }
  }
  return named;
}

std::set<QString> Names(const std::map<QString, QWidget*>& controls, const std::map<QString, bool>& before) {
  std::set<QString> changed;
  for (const auto& [name, w] : controls) {
    if (w->isEnabled() != before.at(name)) changed.insert(name.section('.', -1));
  }
  return changed;
}

std::map<QString, bool> EnabledStates(const std::map<QString, QWidget*>& controls) {
  std::map<QString, bool> states;
  for (const auto& [name, w] : controls) states[name] = w->isEnabled();
  return states;
}

}  // namespace

class ScopeAppTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<AppFixture> fixture_;

  ScopeApp& Started() {
    fixture_->StartOffline();
    return fixture_->app();
  }

 private slots:
  void init() { fixture_ = std::make_unique<AppFixture>(); }
  void cleanup() { fixture_.reset(); }

  void startUpState() {
    ScopeApp& app = Started();
    MainPanel& main = app.panels().mainPanel();
    QCOMPARE(main.windowTitle(), QString("TRIVOLUX VR Scope V1.2"));
    QVERIFY(main.isVisible());
    QCOMPARE(main.size(), QSize(MainPanel::kDefaultWidth, MainPanel::kDefaultHeight));
    // The failed connection attempt brought the connect page to the front.
    QCOMPARE(main.ui.TabMain->currentIndex(), int(MainPanel::kConnectPage));
    QVERIFY(!main.ui.TabMain->isTabVisible(MainPanel::kOffsetPage));
    QCOMPARE(app.panels().CurrentChildPanel(), &app.panels().dataPanel());
    QVERIFY(app.panels().dataPanel().isVisible());
    QCOMPARE(app.panels().dataPanel().ui.TabDataP1->currentIndex(), 3);
    // The child area sits below the banner, right of the page column.
    QCOMPARE(main.ui.StackChild->geometry().top(), 63);
    QVERIFY(main.ui.StackChild->geometry().left() >= main.ui.LeftColumn->geometry().right());
    QCOMPARE(app.panelSettingsPath(), fixture_->Path("PanelSettings.cfg"));
    // OFFLINE after the failed attempt selected FILE for parameter transfers.
    QCOMPARE(app.state().MemorySelection, trivolux::Memory::File);
    QVERIFY(main.ui.ButtonFile->isChecked() && main.ui.ButtonParaSet0->isChecked());
    QVERIFY(app.state().TeachToleranceOn);
    // Offline after the failed connection attempt: operations stay dimmed.
    QVERIFY(!main.ui.ButtonGo->isEnabled());
    QVERIFY(main.ui.ButtonStop->isEnabled());
    // Banner: title with its tool tip and the three maker placeholders.
    QStringList texts;
    QString toolTip;
    for (QLabel* l : main.ui.FrameBanner->findChildren<QLabel*>("InfoText")) {
      texts << l->text();
      if (l->text() == "TRIVOLUX VR Scope V1.2") toolTip = l->toolTip();
    }
    QCOMPARE(texts.size(), 4);
    QCOMPARE(toolTip, QString("TRIVOLUX VR Scope V1.2.1"));
    QVERIFY(main.ui.LabelLogo->isVisible());
    QVERIFY(!main.ui.LabelLogo->pixmap().isNull());
    QCOMPARE(main.ui.FrameBanner->palette().color(QPalette::Window), QColor(0x00, 0x80, 0xFF));
    // The colour selector offers the row colours (as 0xRRGGBB values), then white and grey.
    QComboBox* colours = app.panels().tableAttrPage().ui.RingRowColor;
    QCOMPARE(colours->count(), trivolux::kRowColourKinds + 2);
    for (int i = 0; i < trivolux::kRowColourKinds; ++i)
      QCOMPARE(colours->itemData(i).toInt(), trivolux::RowColours()[i].rgb);
  }

  void childPanelSwitching() {
    ScopeApp& app = Started();
    QWidget* children[] = {&app.panels().dataPanel(), &app.panels().graphPanel(),
                           &app.panels().meanTeachPanel(), &app.panels().recTeachPanel(),
                           &app.panels().scopeGraphPanel()};
    for (QWidget* shown : children) {
      app.panels().ShowChildPanelDisp(shown);
      QCOMPARE(app.panels().CurrentChildPanel(), shown);
      for (QWidget* c : children) QCOMPARE(c->isVisible(), c == shown);
    }
    // Anything else shows the data panel but is remembered as given.
    QWidget& notAChild = app.panels().connectPage();
    app.panels().ShowChildPanelDisp(&notAChild);
    QCOMPARE(app.panels().CurrentChildPanel(), &notAChild);
    for (QWidget* c : children) QCOMPARE(c->isVisible(), c == &app.panels().dataPanel());
    app.panels().ShowChildPanelDisp(&app.panels().graphPanel());
    app.panels().ShowChildPanelDisp(nullptr);
    QVERIFY(app.panels().dataPanel().isVisible());
    QVERIFY(!app.panels().graphPanel().isVisible());
  }

  void setButtonsDimmedTouchesExactlyTheDocumentedControls_data() {
    QTest::addColumn<int>("keepTransfer");
    QTest::addColumn<int>("dim");
    QTest::newRow("dim all") << 0 << 1;
    QTest::newRow("dim during GO") << 1 << 1;
    QTest::newRow("enable all") << 0 << 0;
    QTest::newRow("enable after GO") << 1 << 0;
  }
  void setButtonsDimmedTouchesExactlyTheDocumentedControls() {
    QFETCH(int, keepTransfer);
    QFETCH(int, dim);
    ScopeApp& app = Started();
    const auto controls = NamedControls(app);
    QVERIFY(controls.size() > 100);
    // Put every control into the state opposite to the one asked for, so
    // every control the call touches shows up as a change.
    // (Tab widgets hold other controls: they stay enabled.)
    for (const auto& [name, w] : controls) {
      if (!name.section('.', -1).startsWith("Tab")) w->setEnabled(dim == 1);
    }
    const auto before = EnabledStates(controls);
    app.panels().SetButtonsDimmed(keepTransfer, dim);

    std::set<QString> expected = {
        "ButtonGo",          "ButtonTryToConnect", "ButtonDisconnect",      "RingBaudrate",
        "ButtonSendCF",      "ButtonGetCF",        "ButtonCalcCF",          "ButtonStartSelfCalibration",
        "ButtonSendOffset",  "ButtonGetOffset",    "ButtonCalcOffset",      "ButtonSelRecFile",
        "ButtonStartRecord", "ButtonStartTrigRec", "ButtonManualRecord",    "ButtonGetCycleTime",
        "ButtonScan",        "ButtonBreakScan",    "ButtonPrintScopeGraph", "ButtonSaveScopePdf"};
    if (keepTransfer == 0)
      expected.insert({"ButtonSend", "ButtonGet", "ButtonRam", "ButtonEeprom", "ButtonFile"});
    if (dim == 1) expected.insert({"ButtonChangeBaudrate", "ButtonGenHwInfoFile"});
    if (app.panels().recTeachPanel().findChild<QWidget*>("ButtonTP2Start")) expected.insert("ButtonTP2Start");
    const std::set<QString> changed = Names(controls, before);
    QCOMPARE(changed, expected);
  }

  void connectPageShowsTheSelectedProtocol() {
    ScopeApp& app = Started();
    Ui::ConnectPage& c = app.panels().connectPage().ui;
    QWidget* page = &app.panels().connectPage();
    c.RingProtocol->setCurrentIndex(0);
    app.linkController().InitConnectPanel();
    QCOMPARE(app.linkController().ComProtocol, 0);
    QVERIFY(c.RingComPort->isVisibleTo(page) && c.RingBaudrate->isVisibleTo(page));
    QVERIFY(c.ButtonChangeBaudrate->isVisibleTo(page));
    QVERIFY(!c.StrIpAdress->isVisibleTo(page) && !c.StrPortNumber->isVisibleTo(page));
    c.RingProtocol->setCurrentIndex(1);
    app.linkController().InitConnectPanel();
    QCOMPARE(app.linkController().ComProtocol, 1);
    QVERIFY(!c.RingComPort->isVisibleTo(page) && !c.RingBaudrate->isVisibleTo(page));
    QVERIFY(!c.ButtonChangeBaudrate->isVisibleTo(page));
    QVERIFY(c.StrIpAdress->isVisibleTo(page) && c.StrPortNumber->isVisibleTo(page));
  }

  void tabChangesByTheUserApplyTheRules() {
    ScopeApp& app = Started();
    Ui::ConnectPage& c = app.panels().connectPage().ui;
    QTabWidget* tab = app.panels().mainPanel().ui.TabMain;
    QTabBar* bar = tab->tabBar();
    for (QWidget* w : {c.ButtonAccept, c.ButtonChangeBaudrate, c.ButtonGenHwInfoFile}) w->setEnabled(true);
    app.state().RunFlag = 1;

    // A page brought to the front by the program applies no rule.
    tab->setCurrentIndex(MainPanel::kConnectPage);
    QCOMPARE(app.state().RunFlag, std::uint16_t(1));
    QVERIFY(c.ButtonAccept->isEnabled());
    tab->setCurrentIndex(MainPanel::kParameterPage);

    // The user selects the connect page: GO stops, the settings need a new
    // TRY TO CONNECT before ACCEPT.
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(MainPanel::kConnectPage).center());
    QCOMPARE(tab->currentIndex(), int(MainPanel::kConnectPage));
    QCOMPARE(app.state().RunFlag, std::uint16_t(0));
    QVERIFY(!c.ButtonAccept->isEnabled());
    QVERIFY(!c.ButtonChangeBaudrate->isEnabled());
    QVERIFY(!c.ButtonGenHwInfoFile->isEnabled());

    // The scope page, reached by keyboard: GO stops, the scope graph shows.
    tab->setCurrentIndex(MainPanel::kTableAttrPage);
    QCOMPARE(app.panels().CurrentChildPanel(), &app.panels().dataPanel());
    app.state().RunFlag = 1;
    QTest::keyClick(tab, Qt::Key_Tab, Qt::ControlModifier);
    QCOMPARE(tab->currentIndex(), int(MainPanel::kScopePage));
    QCOMPARE(app.state().RunFlag, std::uint16_t(0));
    QCOMPARE(app.panels().CurrentChildPanel(), &app.panels().scopeGraphPanel());
    QVERIFY(app.panels().scopeGraphPanel().isVisible());

    // Other pages leave the flags alone.
    app.state().RunFlag = 1;
    QTest::keyClick(tab, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(tab->currentIndex(), int(MainPanel::kTableAttrPage));
    QCOMPARE(app.state().RunFlag, std::uint16_t(1));
  }

  void teachGridContextMenu() {
    ScopeApp& app = Started();
    QMenu* menu = app.teachGridMenu().menu();
    QVERIFY(menu);
    QStringList entries;
    for (QAction* a : menu->actions()) entries << (a->isSeparator() ? QString("-") : a->text());
    QCOMPARE(entries, QStringList({"Help", "-", "Set selection to", "Increment selection with",
                                   "Reset selection", "-", "Teach tolerance off", "Teach tolerance on"}));
    QVERIFY(app.teachGridMenu().teachTolOffAction()->isEnabled());
    QVERIFY(!app.teachGridMenu().teachTolOnAction()->isEnabled());

    app.teachGridMenu().helpAction()->trigger();
    const auto& record = fixture_->popups.record;
    QCOMPARE(record.size(), size_t(1));
    QCOMPARE(record[0].title, QString("INFO!"));
    QCOMPARE(record[0].text, QString::fromUtf8(trivolux::FindHelp("CBF_GridCttHelp")->text));

    // A right click on the grid opens this menu; the other grids have none.
    QTableWidget* grid = app.panels().teachPage().ui.GridTeach;
    const QPoint pos(40, 40);
    QContextMenuEvent event(QContextMenuEvent::Mouse, pos, grid->viewport()->mapToGlobal(pos));
    QCoreApplication::sendEvent(grid->viewport(), &event);
    QTRY_VERIFY_WITH_TIMEOUT(menu->isVisible(), 2000);
    menu->hide();
    for (QTableWidget* g :
         {app.panels().groupHoldPage().ui.GridGroups, app.panels().groupHoldPage().ui.GridHold,
          app.panels().tableAttrPage().ui.GridTableAttr})
      QCOMPARE(g->contextMenuPolicy(), Qt::NoContextMenu);
  }

  void rightDoubleClickRestoresTheDefaultSizeCentred() {
    ScopeApp& app = Started();
    MainPanel& main = app.panels().mainPanel();
    main.resize(1000, 700);
    main.move(0, 0);
    // On the banner, away from its texts: the click reaches the panel itself.
    QTest::mouseDClick(main.ui.FrameBanner, Qt::RightButton, {}, QPoint(main.ui.FrameBanner->width() - 8, 8));
    QCOMPARE(main.size(), QSize(MainPanel::kDefaultWidth, MainPanel::kDefaultHeight));
    const QPoint centre = main.screen()->availableGeometry().center();
    QVERIFY((main.frameGeometry().center() - centre).manhattanLength() <= 2);
    // A left double click does nothing of that kind.
    main.resize(900, 600);
    QTest::mouseDClick(main.ui.FrameBanner, Qt::LeftButton, {}, QPoint(main.ui.FrameBanner->width() - 8, 8));
    QCOMPARE(main.size(), QSize(900, 600));
  }

  void functionKeysClickTheirButtonsWhereverTheFocusIs() {
    ScopeApp& app = Started();
    Ui::MainPanel& m = app.panels().mainPanel().ui;
    app.panels().SetButtonsDimmed(0, 0);
    QSignalSpy send(m.ButtonSend, &QPushButton::clicked), get(m.ButtonGet, &QPushButton::clicked),
        go(m.ButtonGo, &QPushButton::clicked), stop(m.ButtonStop, &QPushButton::clicked);
    app.panels().mainPanel().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&app.panels().mainPanel()));
    QSpinBox* focus = app.panels().parameterPage().ui.NumAverage;
    focus->setFocus();
    QTest::keyClick(focus, Qt::Key_F9);
    QTest::keyClick(app.panels().teachPage().ui.GridTeach, Qt::Key_F10);
    QTest::keyClick(app.panels().mainPanel().ui.TabMain, Qt::Key_F11);
    QTest::keyClick(focus, Qt::Key_F12);
    QCOMPARE(send.count(), 1);
    QCOMPARE(get.count(), 1);
    QCOMPARE(go.count(), 1);
    QCOMPARE(stop.count(), 1);
    QCOMPARE(focus->value(), 1);
    // A dimmed button ignores its key.
    app.panels().SetButtonsDimmed(0, 1);
    QTest::keyClick(focus, Qt::Key_F11);
    QTest::keyClick(focus, Qt::Key_F9);
    QCOMPARE(go.count(), 1);
    QCOMPARE(send.count(), 1);
  }

  void closingTheMainWindowEndsTheEventLoop() {
    ScopeApp& app = Started();
    app.state().RunFlag = 1;
    QTimer::singleShot(0, &app.panels().mainPanel(), &QWidget::close);
    // A close that failed to end the loop would hang: fail instead.
    QTimer::singleShot(10000, qApp, [] { QCoreApplication::exit(7); });
    QCOMPARE(QCoreApplication::exec(), 0);
    QVERIFY(app.state().QuitRequested);
    QCOMPARE(app.state().RunFlag, std::uint16_t(0));
  }
};

QTEST_MAIN(ScopeAppTest)
#include "scope_app_test.moc"
