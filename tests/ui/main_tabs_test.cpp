// The main tab column: every title visible at the default window size, titles
// written horizontally, the default size on a small screen, tab switching.
#include <QTabBar>
#include <QToolButton>
#include <QtTest>

#include "ui/main_panel.h"

using namespace trivolux;

namespace {

// A 1366 x 768 screen less a window frame (left and right), a title bar and a task bar, px.
constexpr int kFrameAllowance = 2 * 8;
constexpr int kTitleBarAllowance = 40;
constexpr int kTaskBarAllowance = 48;

void ShowAtDefaultSize(MainPanel& main) {
  main.show();
  QVERIFY(QTest::qWaitForWindowExposed(&main));
  QCOMPARE(main.size(), QSize(MainPanel::kDefaultWidth, MainPanel::kDefaultHeight));
}

}  // namespace

class MainTabsTest : public QObject {
  Q_OBJECT
 private slots:
  void everyTitleShowsAtTheDefaultSize_data() {
    QTest::addColumn<bool>("offsetShown");
    QTest::newRow("offset page hidden") << false;
    QTest::newRow("offset page unlocked") << true;
  }
  void everyTitleShowsAtTheDefaultSize() {
    QFETCH(bool, offsetShown);
    MainPanel main;
    main.ui.TabMain->setTabVisible(MainPanel::kOffsetPage, offsetShown);
    ShowAtDefaultSize(main);
    QTabBar* bar = main.ui.TabMain->tabBar();
    for (const QToolButton* arrow : bar->findChildren<QToolButton*>()) QVERIFY(!arrow->isVisible());
    QVERIFY(main.rect().contains(QRect(bar->mapTo(&main, QPoint(0, 0)), bar->size())));
    for (int i = 0; i < bar->count(); ++i) {
      if (!bar->isTabVisible(i)) continue;
      const QRect tab = bar->tabRect(i);
      QVERIFY2(bar->rect().contains(tab), qPrintable(bar->tabText(i)));
      QVERIFY2(bar->fontMetrics().horizontalAdvance(bar->tabText(i)) < tab.width(),
               qPrintable(bar->tabText(i)));
      QVERIFY(bar->fontMetrics().height() < tab.height());
    }
  }

  // A title drawn rotated would be taller than wide.
  void titlesAreDrawnHorizontally() {
    MainPanel main;
    ShowAtDefaultSize(main);
    QTabBar* bar = main.ui.TabMain->tabBar();
    const QRect tab = bar->tabRect(MainPanel::kCalibrationPage);
    const QImage image = bar->grab(tab).toImage();
    const QRgb background = image.pixel(tab.width() / 2, 3);
    QRect ink;
    for (int y = 3; y < image.height() - 3; ++y) {
      for (int x = 3; x < image.width() - 3; ++x) {
        if (qGray(image.pixel(x, y)) < qGray(background) - 96) ink |= QRect(x, y, 1, 1);
      }
    }
    QVERIFY(ink.width() > 2 * ink.height());
  }

  void defaultSizeFitsASmallScreenAndKeepsTheChildArea() {
    QVERIFY(MainPanel::kDefaultWidth + kFrameAllowance <= 1366);
    QVERIFY(MainPanel::kDefaultHeight + kTitleBarAllowance + kTaskBarAllowance <= 768);
    MainPanel main;
    ShowAtDefaultSize(main);
    // The page area's width, the rest goes to the child panels.
    QCOMPARE(main.ui.PageParameter->width(), MainPanel::kPageAreaWidth - 4);
    QCOMPARE(main.ui.StackChild->size(), QSize(735, 614));
  }

  // Keys go to the focused tab bar, Ctrl keys to a focused page; "wheel+" turns
  // the wheel towards the user. The offset page is hidden.
  void tabsSwitchByKeyboardAndWheelPassingHiddenTabs_data() {
    QTest::addColumn<int>("start");
    QTest::addColumn<QString>("input");
    QTest::addColumn<int>("expected");
    const int scope = MainPanel::kScopePage;
    QTest::newRow("down") << 1 << "Down" << 2;
    QTest::newRow("up") << 1 << "Up" << 0;
    QTest::newRow("right") << 1 << "Right" << 2;
    QTest::newRow("ctrl tab") << 1 << "Ctrl+Tab" << 2;
    QTest::newRow("wheel towards the user") << 1 << "wheel+" << 2;
    QTest::newRow("wheel away from the user") << 1 << "wheel-" << 0;
    QTest::newRow("down at the last shown tab") << scope << "Down" << scope;
    QTest::newRow("right at the last shown tab") << scope << "Right" << scope;
    QTest::newRow("wheel at the last shown tab") << scope << "wheel+" << scope;
    QTest::newRow("ctrl tab round to the first tab") << scope << "Ctrl+Tab" << 0;
    QTest::newRow("ctrl shift tab round to the last shown tab") << 0 << "Ctrl+Shift+Tab" << scope;
  }
  void tabsSwitchByKeyboardAndWheelPassingHiddenTabs() {
    QFETCH(int, start);
    QFETCH(QString, input);
    QFETCH(int, expected);
    MainPanel main;
    QTabWidget* tabs = main.ui.TabMain;
    tabs->setTabVisible(MainPanel::kOffsetPage, false);
    tabs->setCurrentIndex(start);
    ShowAtDefaultSize(main);
    main.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&main));
    QTabBar* bar = tabs->tabBar();
    if (input.startsWith("wheel")) {
      const QPointF at = bar->tabRect(start).center();
      QWheelEvent wheel(at, bar->mapToGlobal(at), QPoint(), QPoint(0, input.endsWith('+') ? -120 : 120),
                        Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
      QApplication::sendEvent(bar, &wheel);
    } else {
      QWidget* target = input.startsWith("Ctrl") ? tabs->currentWidget() : bar;
      target->setFocus(Qt::TabFocusReason);
      QVERIFY(target->hasFocus());
      const QKeyCombination key = QKeySequence(input)[0];
      QTest::keyClick(main.windowHandle(), key.key(), key.keyboardModifiers());
    }
    QCOMPARE(tabs->currentIndex(), expected);
  }
};

QTEST_MAIN(MainTabsTest)
#include "main_tabs_test.moc"
