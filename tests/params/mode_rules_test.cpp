// The mode rules on the real panels: forced values, ring items, limits with
// their messages, row-label colours, column locking and the tab pages.
#include <QAccessible>
#include <QComboBox>
#include <QSpinBox>
#include <QtTest>

#include "app_fixture.h"
#include "params/panel_access.h"
#include "params/param_controller.h"
#include "params/param_panel_io.h"
#include "ui/panels.h"
#include "user_input.h"

namespace trivolux {

class ModeRulesTest : public QObject {
  Q_OBJECT
 private:
  std::unique_ptr<test::AppFixture> fixture_;
  test::ScriptedPopups* popups_ = nullptr;
  Panels* panels_ = nullptr;
  ModeRules& rules() { return fixture_->params().rules(); }
  Ui::ParameterPage& page() { return panels_->parameterPage().ui; }

  QList<int> RingValues(QComboBox* ring) {
    QList<int> out;
    for (int i = 0; i < ring->count(); ++i) out << ring->itemData(i).toInt();
    return out;
  }

 private slots:
  void init() {
    fixture_ = std::make_unique<test::AppFixture>();
    popups_ = &fixture_->popups;
    panels_ = &fixture_->panels();
    fixture_->params().InitPanelCtrlAttr();
    popups_->Clear();
  }
  void cleanup() { fixture_.reset(); }

  void ledOffForcesExternTeachPowerModeAndPower() {
    SetRingValue(page().RingExteach, 3);  // DYN1
    SetRingValue(page().RingPowerMode, 1);
    page().SlidePower->setValue(800);
    SetRingValue(page().RingLedMode, 2);  // OFF
    rules().CBF_EditLedMode();
    QCOMPARE(RingValue(page().RingExteach), 0);
    QCOMPARE(RingValue(page().RingPowerMode), 0);
    QCOMPARE(page().SlidePower->value(), 0);
    QVERIFY(!page().SlidePower->isEnabled());
    QVERIFY(!page().RingPowerMode->isEnabled());
    QVERIFY(!page().NumDynWinLo->isEnabled());
    QVERIFY(!page().NumDynWinHi->isEnabled());
    QCOMPARE(fixture_->params().para().block[kExteach], 0);

    SetRingValue(page().RingLedMode, 0);  // DC again: POWER MODE usable, STAT keeps POWER
    rules().CBF_EditLedMode();
    QVERIFY(page().RingPowerMode->isEnabled());
    QVERIFY(page().SlidePower->isEnabled());
    QVERIFY(!page().NumDynWinLo->isEnabled());
  }

  void externTeachTrimsAndRestoresTheTriggerRing() {
    SetRingValue(page().RingTrigger, 3);  // EXT2
    SetRingValue(page().RingExteach, 1);  // ON
    rules().CBF_EditExteach();
    QCOMPARE(RingValues(page().RingTrigger), (QList<int>{0, 1}));
    QCOMPARE(RingValue(page().RingTrigger), 0);

    SetRingValue(page().RingExteach, 0);
    rules().CBF_EditExteach();
    QCOMPARE(RingValues(page().RingTrigger), (QList<int>{0, 1, 2, 3, 4, 5, 6}));
    QCOMPARE(page().RingTrigger->itemText(2), QString("EXT1"));
    QCOMPARE(page().RingTrigger->itemText(6), QString("PARA"));
  }

  void maxVecNoLimitWithMessageAndRowLabels() {
    panels_->groupHoldPage().ui.SwitchColorGroup->setChecked(false);
    SetRingValue(page().RingDigOutmode, 0);
    page().NumMaxVecNo->setValue(5);
    rules().CBF_EditMaxVecNo();
    QCOMPARE(page().NumMaxVecNo->value(), 2);
    const auto messages = popups_->OfKind("message");
    QCOMPARE(int(messages.size()), 1);
    QCOMPARE(messages[0].title, QString("INFO!"));
    QVERIFY(messages[0].text.startsWith("ATTENTION! \n\nMAXCOL-No. is too high."));
    QCOMPARE(panels_->mainPanel().ui.TabMain->currentIndex(), 1);
    const QColor green(0x00, 0x80, 0x00), red(0xFF, 0x00, 0x00);
    QTableWidget* teach = panels_->teachPage().ui.GridTeach;
    QCOMPARE(RowLabelColour(teach, 0), green);
    QCOMPARE(RowLabelColour(teach, 1), green);
    QCOMPARE(RowLabelColour(teach, 2), red);
    QCOMPARE(RowLabelColour(teach, 63), red);
    QCOMPARE(RowLabelColour(panels_->tableAttrPage().ui.GridTableAttr, 2), red);
    QTableWidget* hold = panels_->groupHoldPage().ui.GridHold;
    QCOMPARE(RowLabelColour(hold, 2), green);  // rows 1..3: HOLD FAIL and teach rows 0, 1
    QCOMPARE(RowLabelColour(hold, 3), red);

    // With BINARY the limit is 3; with colour groups on there is none.
    SetRingValue(page().RingDigOutmode, 1);
    page().NumMaxVecNo->setValue(64);
    rules().CBF_EditDigOutmode();
    QCOMPARE(page().NumMaxVecNo->value(), 3);
    panels_->groupHoldPage().ui.SwitchColorGroup->setChecked(true);
    page().NumMaxVecNo->setValue(64);
    popups_->Clear();
    rules().CBF_EditMaxVecNo();
    QCOMPARE(page().NumMaxVecNo->value(), 64);
    QVERIFY(popups_->record.empty());
    QCOMPARE(RowLabelColour(teach, 63), green);
    QCOMPARE(RowLabelColour(hold, 64), green);
  }

  void groupCellAboveTheHighestGroupIsReset() {
    auto& g = panels_->groupHoldPage().ui;
    g.SwitchColorGroup->setChecked(true);
    SetRingValue(page().RingDigOutmode, 2);  // DIRECT HI: groups 0 and 1
    SetCellValue(g.GridGroups, 5, 0, 2);
    SetCellValue(g.GridGroups, 6, 0, 1);
    panels_->mainPanel().ui.TabMain->setCurrentIndex(0);
    rules().CBF_EditColorGroups();
    QCOMPARE(CellValue(g.GridGroups, 5, 0), 0);
    QCOMPARE(g.GridGroups->item(5, 0)->background().color(), QColor(0xFF, 0, 0));
    QCOMPARE(CellValue(g.GridGroups, 6, 0), 1);
    QCOMPARE(g.GridGroups->item(6, 0)->background().color(), QColor(0xFF, 0xFF, 0xFF));
    QCOMPARE(panels_->mainPanel().ui.TabMain->currentIndex(), 2);
    QCOMPARE(popups_->OfKind("message").size(), size_t(1));
    QVERIFY(popups_->OfKind("message")[0].text.endsWith("\n\n Cell will be set to 0."));

    // BINARY allows group 2.
    SetRingValue(page().RingDigOutmode, 1);
    SetCellValue(g.GridGroups, 5, 0, 2);
    popups_->Clear();
    rules().CBF_EditDigOutmode();
    QCOMPARE(CellValue(g.GridGroups, 5, 0), 2);
    QVERIFY(popups_->record.empty());
  }

  void userEditOfAGroupCellRunsTheRulesButProgramWritesDoNot() {
    auto& g = panels_->groupHoldPage().ui;
    g.SwitchColorGroup->setChecked(true);
    SetRingValue(page().RingDigOutmode, 0);
    SetCellValue(g.GridGroups, 7, 0, 2);  // written by the program: no rule runs
    QCOMPARE(CellValue(g.GridGroups, 7, 0), 2);
    QVERIFY(popups_->record.empty());

    panels_->mainPanel().show();
    panels_->mainPanel().ui.TabMain->setCurrentIndex(2);
    QVERIFY(test::TypeIntoCell(g.GridGroups, 8, 0, "2"));
    // The view commits the edit from a queued call.
    QTRY_COMPARE(popups_->OfKind("message").size(), size_t(1));
    QCOMPARE(CellValue(g.GridGroups, 8, 0), 0);
    QCOMPARE(CellValue(g.GridGroups, 7, 0), 0);
  }

  void col2AndThresholdModesForceTheirValues() {
    auto& g = panels_->groupHoldPage().ui;
    g.SwitchColorGroup->setChecked(true);
    page().NumMaxVecNo->setValue(40);
    SetRingValue(page().RingEvalMode, 3);  // COL2
    rules().CBF_EditEvalmode();
    QVERIFY(!g.SwitchColorGroup->isChecked());
    QCOMPARE(page().NumMaxVecNo->value(), 2);
    QCOMPARE(RingValue(page().RingDigOutmode), 1);
    QVERIFY(!page().RingDigOutmode->isEnabled());
    QVERIFY(page().RingTrigger->isEnabled());
    QVERIFY(popups_->OfKind("message").empty());

    SetRingValue(page().RingTrigger, 2);
    page().NumIntlim->setValue(99);
    SetRingValue(page().RingEvalMode, 5);  // THD Red Blue
    rules().CBF_EditEvalmode();
    QCOMPARE(page().NumIntlim->value(), 0);
    QCOMPARE(RingValue(page().RingTrigger), 0);
    QVERIFY(!page().RingTrigger->isEnabled());
    QVERIFY(!page().RingCalcMode->isEnabled());
    QCOMPARE(panels_->teachPage().ui.GridTeach->horizontalHeaderItem(0)->text(), QString("THD"));
    QVERIFY(!panels_->teachPage().ui.ButtonTeachMeanVal->isEnabled());
    QVERIFY(panels_->teachPage().ui.NumNo->isHidden());
    QTabWidget* tabs = panels_->dataPanel().ui.TabDataP1;
    QVERIFY(!tabs->isTabVisible(1) && !tabs->isTabVisible(2) && !tabs->isTabVisible(3));

    SetRingValue(page().RingEvalMode, 1);
    rules().CBF_EditEvalmode();
    QVERIFY(page().RingCalcMode->isEnabled());
    QVERIFY(panels_->teachPage().ui.ButtonTeachMeanVal->isEnabled());
    QVERIFY(tabs->isTabVisible(1));
  }

  void minDistLocksTheToleranceColumnOfTheFamily() {
    QTableWidget* teach = panels_->teachPage().ui.GridTeach;
    SetRingValue(page().RingEvalMode, 2);
    SetRingValue(page().RingCalcMode, 2);
    rules().CBF_EditEvalmode();
    QVERIFY(CellEditable(teach, 10, 2));
    QVERIFY(!CellEditable(teach, 10, 3));
    SetRingValue(page().RingCalcMode, 0);
    rules().CBF_EditCalcmode();
    QVERIFY(!CellEditable(teach, 10, 2));
    QVERIFY(CellEditable(teach, 10, 3));
    SetRingValue(page().RingEvalMode, 1);
    rules().CBF_EditEvalmode();
    QVERIFY(CellEditable(teach, 10, 2));
  }

  void triggerLeavingParaResetsTheParameterSet() {
    auto& m = panels_->mainPanel().ui;
    SetRingValue(page().RingTrigger, 6);
    rules().CBF_EditTrigger();
    QVERIFY(m.ButtonParaSet1->isEnabled());
    fixture_->params().CBF_SelectParaSet(1);
    QCOMPARE(fixture_->state().ParaSet, 1);
    SetRingValue(page().RingTrigger, 2);
    rules().CBF_EditTrigger();
    QCOMPARE(fixture_->state().ParaSet, 0);
    QVERIFY(m.ButtonParaSet0->isChecked());
    QVERIFY(!m.ButtonParaSet1->isChecked());
    QVERIFY(!m.ButtonParaSet0->isEnabled());
    QCOMPARE(RingValue(page().RingExteach), 0);
    QVERIFY(!page().RingExteach->isEnabled());
  }

  void calcModeSwitchesTheDataPanelPageAndRearrangesRows() {
    QTabWidget* tabs = panels_->dataPanel().ui.TabDataP1;
    QTableWidget* teach = panels_->teachPage().ui.GridTeach;
    const int row[5] = {500, 600, 100, 2000, 80};
    for (int c = 0; c < 5; ++c) SetCellValue(teach, 4, c, row[c]);
    fixture_->params().GetPanelValues();

    SetRingValue(page().RingCalcMode, 2);
    rules().CBF_EditCalcmode();
    QVERIFY(tabs->isTabVisible(3));
    QVERIFY(!tabs->isTabVisible(2));
    const int in3D[5] = {500, 600, 2000, 100, 1};
    for (int c = 0; c < 5; ++c) QCOMPARE(CellValue(teach, 4, c), in3D[c]);
    QCOMPARE(teach->horizontalHeaderItem(3)->text(), QString("TOL"));
    QCOMPARE(fixture_->params().para().table[4][kCell0 + 2], 2000);

    tabs->setCurrentIndex(3);
    SetRingValue(page().RingCalcMode, 0);
    rules().CBF_EditCalcmode();
    QCOMPARE(tabs->currentIndex(), 2);
    const int back[5] = {500, 600, 100, 2000, 100};
    for (int c = 0; c < 5; ++c) QCOMPARE(CellValue(teach, 4, c), back[c]);

    tabs->setCurrentIndex(1);
    SetRingValue(page().RingCalcMode, 3);
    rules().CBF_EditCalcmode();
    QCOMPARE(tabs->currentIndex(), 1);
    QCOMPARE(panels_->dataPanel().ui.LabelX->text(), QString("s"));
    QCOMPARE(panels_->meanTeachPanel().ui.LabelTP1TeachCtoWith->text(), QString("TEACH TOL WITH"));
    QVERIFY(panels_->meanTeachPanel().ui.RingTP1TeachItoWith->isHidden());
  }

  void resetTablesAskFirst() {
    auto& g = panels_->groupHoldPage().ui;
    SetCellValue(g.GridGroups, 3, 0, 1);
    popups_->confirms = {false, true};
    rules().CBF_ButtonResetGroupTable();
    QCOMPARE(CellValue(g.GridGroups, 3, 0), 1);
    rules().CBF_ButtonResetGroupTable();
    QCOMPARE(CellValue(g.GridGroups, 3, 0), 0);
    QCOMPARE(popups_->OfKind("confirm")[0].text, QString("Do you really want to reset the table?"));

    g.NumResetHold->setValue(250);
    rules().CBF_ButtonResetHoldTable();
    QCOMPARE(CellValue(g.GridHold, 0, 0), 250);
    QCOMPARE(CellValue(g.GridHold, 64, 0), 250);
  }

  void panelValuesRoundTripInDocumentedPlaces() {
    ParameterSet& set = fixture_->params().para();
    const std::uint16_t block[] = {700, 0, 4, 1, 33, 7, 2, 2, 1, 1, 1, 3000, 3400, 1, 3, 6, 250};
    for (int i = 0; i < kParamWordCount; ++i) set.block[i] = block[i];
    for (int r = 0; r < kTeachRows; ++r)
      for (int w = 0; w < kTeachWordCount; ++w) set.table[r][w] = static_cast<std::uint16_t>(r * 10 + w);
    set.table[9][kCell4] = 65535;
    const ParameterSet written = set;
    fixture_->params().SetPanelValues();
    auto& g = panels_->groupHoldPage().ui;
    QCOMPARE(CellValue(g.GridHold, 0, 0), 33);   // HOLD FAIL in hold grid row 1
    QCOMPARE(CellValue(g.GridHold, 1, 0), 6);    // HOLD of teach row 0 in row 2
    QCOMPARE(RingValue(page().RingTrigger), 1);  // EXTERN TEACH ON keeps SELF

    set = ParameterSet();
    for (int r = 0; r < kTeachRows; ++r) set.table[r][kReserved] = 0xBEEF;
    fixture_->params().GetPanelValues();
    QCOMPARE(set.block, written.block);
    for (int r = 0; r < kTeachRows; ++r) {
      for (int w = 0; w < kReserved; ++w) QCOMPARE(set.table[r][w], written.table[r][w]);
      QCOMPARE(set.table[r][kReserved], std::uint16_t(0xBEEF));
    }

    // A TRIGGER the trimmed ring cannot show stays in the copy as received.
    SetRingValue(page().RingExteach, 0);
    rules().CBF_EditExteach();
    SetRingValue(page().RingTrigger, 3);
    set.block[kTrigger] = 3;
    set.block[kExteach] = 1;
    fixture_->params().SetPanelValues();
    QCOMPARE(RingValue(page().RingTrigger), 0);
    QCOMPARE(page().RingTrigger->count(), 2);
    QCOMPARE(set.block[kTrigger], 3);
  }
  // A handler follows its control's value, so the rules run whichever way
  // the user changes it: keyboard, or assistive technology acting on the
  // control (which emits neither clicked nor editingFinished).
  void rulesFollowKeyboardAndAssistiveChanges_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("how");
    QTest::newRow("colour groups by Space") << "SwitchColorGroup"
                                            << "key";
    QTest::newRow("colour groups by accessible toggle") << "SwitchColorGroup"
                                                        << "accessible";
    QTest::newRow("MAXCOL-No. by arrow key") << "NumMaxVecNo"
                                             << "key";
    QTest::newRow("MAXCOL-No. by accessible value") << "NumMaxVecNo"
                                                    << "accessible";
  }
  void rulesFollowKeyboardAndAssistiveChanges() {
    QFETCH(QString, control);
    QFETCH(QString, how);
    auto& g = panels_->groupHoldPage().ui;
    SetRingValue(page().RingDigOutmode, 2);  // DIRECT HI: two groups, MAXCOL-No. at most 2
    {
      const ModeRules::Quiet quiet(rules());
      page().NumMaxVecNo->setValue(2);
      SetCellValue(g.GridGroups, 5, 0, 2);  // a group the outputs cannot show
    }
    popups_->Clear();
    if (control == "SwitchColorGroup") {
      QVERIFY(!g.SwitchColorGroup->isChecked());
      if (how == "key") {
        QTest::keyClick(g.SwitchColorGroup, Qt::Key_Space);
      } else {
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(g.SwitchColorGroup);
        QVERIFY(a && a->actionInterface());
        a->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
      }
      QVERIFY(g.SwitchColorGroup->isChecked());
      QCOMPARE(CellValue(g.GridGroups, 5, 0), 0);
    } else {
      if (how == "key") {
        QTest::keyClick(page().NumMaxVecNo, Qt::Key_Up);
      } else {
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(page().NumMaxVecNo);
        QVERIFY(a && a->valueInterface());
        a->valueInterface()->setCurrentValue(10);
      }
      QCOMPARE(page().NumMaxVecNo->value(), 2);
    }
    QCOMPARE(popups_->OfKind("message").size(), size_t(1));
  }

  void evaluationModeByKeyboardRunsTheRules() {
    SetRingValue(page().RingEvalMode, 2);  // MIN DIST; the next item is COL2
    QTest::keyClick(page().RingEvalMode, Qt::Key_Down);
    QCOMPARE(RingValue(page().RingEvalMode), 3);
    QCOMPARE(page().NumMaxVecNo->value(), 2);
    QVERIFY(!page().RingDigOutmode->isEnabled());
  }

  // Values the program writes into the controls run no rule: a set read
  // from the sensor is shown as it is, before the rules look at it.
  void programmaticUpdatesRunNoRules() {
    ParameterSet& set = fixture_->params().para();
    set.block[kMaxVecNo] = 40;
    set.block[kColorGroup] = 1;
    set.block[kDigOutmode] = 0;
    set.table[3][kGroup] = 2;
    fixture_->params().SetPanelValues();
    QVERIFY(popups_->record.empty());
    QCOMPARE(page().NumMaxVecNo->value(), 40);
    QCOMPARE(CellValue(panels_->groupHoldPage().ui.GridGroups, 3, 0), 2);
  }
};

}  // namespace trivolux

QTEST_MAIN(trivolux::ModeRulesTest)
#include "mode_rules_test.moc"
