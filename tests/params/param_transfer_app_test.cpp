// SEND and GET through the main panel's buttons against the in-process
// simulator: what reaches the sensor, what the connect page shows, and what
// the panels keep when a read fails.
#include <QAccessible>
#include <QDir>
#include <QtTest>

#include "app_fixture.h"
#include "base/shared_state.h"
#include "params/panel_access.h"
#include "params/param_controller.h"
#include "sim/simulator.h"
#include "sim_rig.h"
#include "ui/panels.h"

namespace trivolux {

using Requests = QList<QPair<int, int>>;

class ParamTransferAppTest : public QObject {
  Q_OBJECT

  // The program connected to the in-process simulator over TCP.
  struct Rig : test::SimRig {
    test::ScriptedPopups& popups = fixture.popups;
    ParamController& params = fixture.params();
    Requests Sent() const {
      Requests out;
      for (const sim::RequestRecord& r : sim.Requests()) out.append({r.order, r.param});
      return out;
    }
    Ui::MainPanel& main() { return panels.mainPanel().ui; }
    QString Messages() { return fixture.Messages(); }
    QString Path(const QString& name) const { return fixture.Path(name); }
  };

 private slots:
  void connectionCheckReadsTheSetIntoThePanels() {
    Rig rig;
    QCOMPARE(rig.state.SensorConnected, 1);
    QCOMPARE(rig.Sent(), (Requests{{7, 0}, {2, 0}, {2, 2}, {2, 3}}));
    // The simulator starts with the documented defaults.
    QCOMPARE(rig.panels.parameterPage().ui.NumDynWinLo->value(), 3200);
    QCOMPARE(CellValue(rig.panels.groupHoldPage().ui.GridHold, 0, 0), 10);
    QCOMPARE(rig.params.para().table[5][kReserved], rig.sim.ReservedWord(0, 5));
  }

  void eepromSendOfSetOneThenRamGet() {
    Rig rig;
    auto& p = rig.panels.parameterPage().ui;
    SetRingValue(p.RingTrigger, 6);  // PARA makes the set buttons usable
    rig.params.rules().CBF_EditTrigger();
    rig.main().ButtonParaSet1->click();
    rig.main().ButtonEeprom->click();
    QCOMPARE(rig.state.ParaSet, 1);
    QCOMPARE(rig.state.MemorySelection, Memory::Eeprom);
    rig.sim.ClearRequests();
    rig.main().ButtonSend->click();
    QCOMPARE(rig.Sent(), (Requests{{1, 1}, {1, 4}, {1, 5}, {3, 0}}));
    QCOMPARE(rig.sim.EepromParams(1)[16], std::uint8_t(6));  // TRIGGER stored as PARA
    QVERIFY(rig.main().ButtonSend->isEnabled());

    rig.main().ButtonRam->click();
    rig.sim.ClearRequests();
    rig.main().ButtonGet->click();
    QCOMPARE(rig.Sent(), (Requests{{2, 1}, {2, 4}, {2, 5}}));
  }

  void ramPlausibilityCountReachesTheMessageBox() {
    Rig rig;
    rig.sim.faults().implausibleCount = 3;
    rig.main().ButtonSend->click();
    QVERIFY(rig.Messages().contains(
        "INFO!\n3 PARAMETER IN RAM DID NOT PASS PLAUSIBILITY CHECK AND WERE SET TO DEFAULT VALUE!\n\n"));
    QCOMPARE(rig.state.SensorConnected, 0);
    QCOMPARE(rig.main().TabMain->currentIndex(), 0);
    // The transfer itself completed.
    QCOMPARE(rig.Sent().mid(4), (Requests{{1, 0}, {1, 2}, {1, 3}}));
  }

  void eepromGetNoticeKeepsTheConnection() {
    Rig rig;
    rig.main().ButtonEeprom->click();
    rig.sim.faults().implausibleCount = 2;
    rig.main().TabMain->setCurrentIndex(3);
    rig.main().ButtonGet->click();
    QVERIFY(rig.Messages().endsWith(
        "INFO!\n2 PARAMETER FROM EEPROM DID NOT PASS PLAUSIBILITY CHECK AND WERE SET TO DEFAULT VALUE!\n\n"));
    QCOMPARE(rig.main().TabMain->currentIndex(), 0);
    QCOMPARE(rig.state.SensorConnected, 1);
  }

  void transfersPressedDuringGoAreLeftToTheLoop() {
    Rig rig;
    rig.state.RunFlag = 1;
    rig.sim.ClearRequests();
    rig.main().ButtonGet->click();
    rig.main().ButtonGet->click();
    rig.main().ButtonSend->click();
    QVERIFY(rig.sim.Requests().empty());
    QCOMPARE(rig.state.GetPending, 1);
    QCOMPARE(rig.state.SendPending, 1);
    // The loop serves a flag once, however often it was set.
    QCOMPARE(rig.params.GetPara(), 1);
    QCOMPARE(rig.state.GetPending, 0);
    QCOMPARE(rig.sim.Requests().size(), size_t(3));
  }

  void fileSendNeverTouchesTheLink() {
    Rig rig;
    rig.main().ButtonFile->click();
    rig.sim.ClearRequests();
    rig.popups.files.push_back({FileSelect::New, rig.Path("P.ini")});
    rig.main().ButtonSend->click();
    QVERIFY(rig.sim.Requests().empty());
    QVERIFY(QFile::exists(rig.Path("P.ini")));
  }

  void failedReadLeavesThePanelsAndReservedWordsSurviveEditing() {
    Rig rig;
    auto& p = rig.panels.parameterPage().ui;
    std::array<std::uint8_t, 34> changed = rig.sim.RamParams(0);
    changed[22] = 0x10;  // DYNWIN LO 3088 would show if the read went through
    rig.sim.SetRamParams(0, changed);
    rig.sim.faults().dropAnswerNth = 2;
    rig.main().ButtonGet->click();
    QCOMPARE(p.NumDynWinLo->value(), 3200);
    QCOMPARE(rig.params.para().block[kDynWinLo], 3200);

    // Reconnect, edit a teach cell, send: the sensor's reserved words stay.
    rig.sim.faults() = {};
    rig.panels.connectPage().ui.ButtonTryToConnect->click();
    QCOMPARE(rig.state.SensorConnected, 1);
    QCOMPARE(p.NumDynWinLo->value(), 3088);
    SetCellValue(rig.panels.teachPage().ui.GridTeach, 0, 0, 777);
    rig.main().ButtonSend->click();
    QCOMPARE(rig.sim.ReservedMismatches(), 0);
    QCOMPARE(int(rig.sim.RamTeach(0)[0] | (rig.sim.RamTeach(0)[1] << 8)), 777);
  }
  // The memory selection is what the buttons show, however the FILE button
  // was switched on; a SEND then goes to a file and nothing to the sensor.
  void memorySelectionFollowsTheButtons_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("mouse") << "mouse";
    QTest::newRow("keyboard") << "keyboard";
    QTest::newRow("assistive toggle") << "accessible";
    QTest::newRow("program") << "program";
  }
  void memorySelectionFollowsTheButtons() {
    QFETCH(QString, how);
    Rig rig;
    QPushButton* file = rig.main().ButtonFile;
    QCOMPARE(rig.state.MemorySelection, Memory::Ram);
    if (how == "mouse") {
      QTest::mouseClick(file, Qt::LeftButton);
    } else if (how == "keyboard") {
      QTest::keyClick(file, Qt::Key_Space);
    } else if (how == "accessible") {
      QAccessibleInterface* a = QAccessible::queryAccessibleInterface(file);
      QVERIFY(a && a->actionInterface());
      a->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    } else {
      file->setChecked(true);
    }
    QVERIFY(file->isChecked() && !rig.main().ButtonRam->isChecked());
    QCOMPARE(rig.state.MemorySelection, Memory::File);

    rig.sim.ClearRequests();
    rig.popups.files.push_back({FileSelect::New, rig.Path("Chosen.ini")});
    rig.main().ButtonSend->click();
    QCOMPARE(rig.popups.OfKind("file").size(), size_t(1));
    QVERIFY(rig.sim.Requests().empty());
    QVERIFY(QFile::exists(rig.Path("Chosen.ini")));

    // The parameter-set buttons work the same way.
    SetRingValue(rig.panels.parameterPage().ui.RingTrigger, 6);  // PARA
    rig.params.rules().CBF_EditTrigger();
    QTest::keyClick(rig.main().ButtonParaSet1, Qt::Key_Space);
    QCOMPARE(rig.state.ParaSet, 1);
  }
};

}  // namespace trivolux

QTEST_MAIN(trivolux::ParamTransferAppTest)
#include "param_transfer_app_test.moc"
