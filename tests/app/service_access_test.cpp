// Service password popup and the offset page it unlocks.
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "app_fixture.h"
#include "ui/panels.h"

using trivolux::MainPanel;
using trivolux::test::AppFixture;

class ServiceAccessTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<AppFixture> fixture_;
  trivolux::Panels* panels_ = nullptr;
  std::vector<trivolux::test::PopupRecord>* record_ = nullptr;

  void OpenByRightDoubleClick() {
    QWidget* deco = panels_->calibrationPage().ui.DecoCalibrate1;
    QTest::mouseDClick(deco, Qt::RightButton, {}, QPoint(3, 3));
  }
  void Enter(const QString& text) {
    auto* entry = panels_->passwordPanel().ui.StrEnterPW;
    entry->setText(text);
    QTest::keyClick(entry, Qt::Key_Return);
  }

 private slots:
  void init() {
    fixture_ = std::make_unique<AppFixture>();
    fixture_->StartOffline();
    panels_ = &fixture_->panels();
    record_ = &fixture_->popups.record;
    panels_->mainPanel().ui.TabMain->setCurrentIndex(MainPanel::kCalibrationPage);
  }
  void cleanup() { fixture_.reset(); }

  void popupStartsEmpty() {
    panels_->passwordPanel().ui.StrEnterPW->setText("left over");
    OpenByRightDoubleClick();
    QVERIFY(panels_->passwordPanel().isVisible());
    QCOMPARE(panels_->passwordPanel().ui.StrEnterPW->Value(), QString());
    // A left double click opens nothing.
    panels_->passwordPanel().hide();
    QTest::mouseDClick(panels_->calibrationPage().ui.DecoCalibrate1, Qt::LeftButton, {}, QPoint(3, 3));
    QVERIFY(!panels_->passwordPanel().isVisible());
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
    QCOMPARE(record_->size(), size_t(1));
    QCOMPARE((*record_)[0].title, QString("ATTENTION!"));
    QCOMPARE((*record_)[0].text, QString("Wrong password. \nPlease try again."));
    QCOMPARE(panels_->passwordPanel().ui.StrEnterPW->Value(), QString());
    QVERIFY(panels_->passwordPanel().isVisible());
    QVERIFY(!panels_->mainPanel().ui.TabMain->isTabVisible(MainPanel::kOffsetPage));
  }

  void rightPasswordUnlocksTheOffsetPageUntilClose() {
    QTabWidget* tab = panels_->mainPanel().ui.TabMain;
    OpenByRightDoubleClick();
    Enter("quartz");
    QVERIFY(record_->empty());
    QVERIFY(!panels_->passwordPanel().isVisible());
    QVERIFY(tab->isTabVisible(MainPanel::kOffsetPage));
    QCOMPARE(tab->currentIndex(), int(MainPanel::kOffsetPage));
    // CLOSE hides the page and returns to the parameter page, from any page.
    tab->setCurrentIndex(MainPanel::kScopePage);
    panels_->offsetPage().ui.ButtonCloseOffsetCompensation->click();
    QVERIFY(!tab->isTabVisible(MainPanel::kOffsetPage));
    QCOMPARE(tab->currentIndex(), int(MainPanel::kParameterPage));
  }
};

QTEST_MAIN(ServiceAccessTest)
#include "service_access_test.moc"
