// Service password popup and the offset page it unlocks.
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "app/scope_app.h"
#include "app_start.h"
#include "scripted_popups.h"

using trivolux::MainPanel;
using trivolux::ScopeApp;
using trivolux::test::ScriptedPopups;

class ServiceAccessTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<ScriptedPopups> popups_;
  std::unique_ptr<ScopeApp> app_;
  QTemporaryDir settingsDir_;

  void OpenByRightDoubleClick() {
    QWidget* deco = app_->calibrationPage().ui.DecoCalibrate1;
    QTest::mouseDClick(deco, Qt::RightButton, {}, QPoint(3, 3));
  }
  void Enter(const QString& text) {
    auto* entry = app_->passwordPanel().ui.StrEnterPW;
    entry->setText(text);
    QTest::keyClick(entry, Qt::Key_Return);
  }

 private slots:
  void init() {
    popups_ = std::make_unique<ScriptedPopups>();
    app_ = std::make_unique<ScopeApp>(*popups_, settingsDir_.path());
    trivolux::test::StartOffline(*app_, *popups_, settingsDir_.path());
    app_->mainPanel().ui.TabMain->setCurrentIndex(MainPanel::kCalibrationPage);
  }
  void cleanup() {
    app_.reset();
    popups_.reset();
  }

  void popupStartsEmpty() {
    app_->passwordPanel().ui.StrEnterPW->setText("left over");
    OpenByRightDoubleClick();
    QVERIFY(app_->passwordPanel().isVisible());
    QCOMPARE(app_->passwordPanel().ui.StrEnterPW->Value(), QString());
    // A left double click opens nothing.
    app_->passwordPanel().hide();
    QTest::mouseDClick(app_->calibrationPage().ui.DecoCalibrate1, Qt::LeftButton, {}, QPoint(3, 3));
    QVERIFY(!app_->passwordPanel().isVisible());
  }

  void wrongPasswordsAreRefusedAndCleared_data() {
    QTest::addColumn<QString>("entry");
    QTest::newRow("other case") << "Quartz";
    QTest::newRow("empty") << "";
    QTest::newRow("longer") << "quartz1";
  }
  void wrongPasswordsAreRefusedAndCleared() {
    QFETCH(QString, entry);
    OpenByRightDoubleClick();
    Enter(entry);
    QCOMPARE(popups_->record.size(), size_t(1));
    QCOMPARE(popups_->record[0].title, QString("ATTENTION!"));
    QCOMPARE(popups_->record[0].text, QString("Wrong password. \nPlease try again."));
    QCOMPARE(app_->passwordPanel().ui.StrEnterPW->Value(), QString());
    QVERIFY(app_->passwordPanel().isVisible());
    QVERIFY(!app_->mainPanel().ui.TabMain->isTabVisible(MainPanel::kOffsetPage));
  }

  void rightPasswordUnlocksTheOffsetPageUntilClose() {
    QTabWidget* tab = app_->mainPanel().ui.TabMain;
    OpenByRightDoubleClick();
    Enter("quartz");
    QVERIFY(popups_->record.empty());
    QVERIFY(!app_->passwordPanel().isVisible());
    QVERIFY(tab->isTabVisible(MainPanel::kOffsetPage));
    QCOMPARE(tab->currentIndex(), int(MainPanel::kOffsetPage));
    // CLOSE hides the page and returns to the parameter page, from any page.
    tab->setCurrentIndex(MainPanel::kScopePage);
    app_->offsetPage().ui.ButtonCloseOffsetCompensation->click();
    QVERIFY(!tab->isTabVisible(MainPanel::kOffsetPage));
    QCOMPARE(tab->currentIndex(), int(MainPanel::kParameterPage));
  }
};

QTEST_MAIN(ServiceAccessTest)
#include "service_access_test.moc"
