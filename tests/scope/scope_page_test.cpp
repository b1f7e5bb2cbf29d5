// The scope against the simulator: the scan frequency, a full scan over TCP
// and over the pseudo-terminal, BREAK's dimming and the wait it ends, a bad result frame,
// the display-signal ring and the trigger-mode enabling.
#include <QtTest>
#include <memory>

#include "app/scope_app.h"
#include "app_fixture.h"
#include "base/shared_state.h"
#include "params/panel_access.h"
#include "qcustomplot.h"
#include "scope/scope_controller.h"
#include "sim/simulator.h"
#include "ui/panels.h"

namespace trivolux {

class ScopePageTest : public QObject {
  Q_OBJECT

  struct Rig {
    sim::Simulator sim;
    test::AppFixture fixture;
    Panels& panels = fixture.panels();
    Ui::ScopePage& sp = panels.scopePage().ui;
    Ui::ScopeGraphPanel& gp = panels.scopeGraphPanel().ui;
    ScopeController& scope = fixture.app().scope();
    explicit Rig(int triggerPeriodMs = 20) : sim(Options(triggerPeriodMs)) {
      fixture.StartTcp(sim.ListenTcp());
    }
    static sim::SimOptions Options(int period) {
      sim::SimOptions o;
      o.triggerPeriodMs = period;
      return o;
    }
    int Points(int line) { return gp.GraphScope->graph(line)->dataCount(); }
    int Requests(quint8 order, int param) {
      int n = 0;
      for (const auto& q : sim.Requests()) n += q.order == order && q.param == param;
      return n;
    }
  };

 private slots:
  void frequencyThenAFullScanOverTcpAndTheSerialLine() {
    Rig rig;
    rig.sp.ButtonGetCycleTime->click();
    QVERIFY(rig.scope.ScanFrequency > 0);
    QCOMPARE(rig.sp.DispCycleTime->value(), std::round(1000 / rig.scope.ScanFrequency * 1000) / 1000);
    SetRingValue(rig.sp.RingTriggerMode, 1);
    rig.sp.NumPreTrigVal->setValue(20);
    rig.sp.ButtonScan->click();  // returns when the four blocks are plotted
    for (int line = 0; line < 3; ++line) QCOMPARE(rig.Points(line), 128);
    QCOMPARE(rig.gp.GraphScopeBinary->graph(0)->dataCount(), 128);
    QCOMPARE(rig.panels.CurrentChildPanel(), &rig.panels.scopeGraphPanel());
    QCOMPARE(rig.fixture.state().ScanActive, 0);
    for (int i = 0; i < 128; ++i) {
      const double a = rig.gp.GraphScopeBinary->graph(0)->data()->at(i)->value;
      QVERIFY(a == 2 || a == 3);
    }

    // The display-signal ring shows one line or all.
    SetRingValue(rig.gp.RingScopeSignal, 2);
    QVERIFY(!rig.gp.GraphScope->graph(0)->visible() && rig.gp.GraphScope->graph(1)->visible());
    SetRingValue(rig.gp.RingScopeSignal, 0);
    QVERIFY(rig.gp.GraphScope->graph(2)->visible());

    // The same over the pseudo-terminal.
    const QString pty = rig.sim.OpenPty();
    rig.fixture.UseSerial(pty);
    rig.gp.GraphScope->graph(0)->data()->clear();
    rig.sp.ButtonScan->click();
    QCOMPARE(rig.Points(0), 128);
    QCOMPARE(rig.fixture.state().SensorConnected, 1);
    // A bad block on the serial line ends the scan unplotted instead of
    // waiting on for blocks that the closed port cannot bring.
    rig.gp.GraphScope->graph(0)->data()->clear();
    rig.sim.faults().corruptDataCrc = 1;
    rig.sp.ButtonScan->click();
    QCOMPARE(rig.Points(0), 0);
    QCOMPARE(rig.fixture.state().ScanActive, 0);
  }

  // BREAK is dimmed and enabled with the other scope buttons: dimmed offline
  // and during GO, enabled for the waiting scan, which it ends unplotted.
  // Without a scan it starts no exchange.
  void breakActsOnlyOnAWaitingScan() {
    {
      test::AppFixture offline;
      offline.StartOffline();
      QVERIFY(!offline.panels().scopePage().ui.ButtonBreakScan->isEnabled());
    }
    Rig rig(3600000);  // no trigger comes
    QPushButton* breakScan = rig.sp.ButtonBreakScan;
    QTest::mouseClick(breakScan, Qt::LeftButton);
    bool dimmedDuringGo = false;
    auto go = QObject::connect(&rig.sim, &sim::Simulator::requestHandled, [&] {
      dimmedDuringGo = !breakScan->isEnabled();
      QTest::mouseClick(breakScan, Qt::LeftButton);
      QTest::mouseClick(rig.panels.mainPanel().ui.ButtonStop, Qt::LeftButton);
    });
    QTest::mouseClick(rig.panels.mainPanel().ui.ButtonGo, Qt::LeftButton);
    QObject::disconnect(go);
    QVERIFY(dimmedDuringGo);
    QCOMPARE(rig.Requests(110, 0), 0);

    SetRingValue(rig.sp.RingTriggerMode, 1);  // SINGLE SHOT would record at once
    QTimer waiting;
    QObject::connect(&waiting, &QTimer::timeout, [&] {
      if (rig.fixture.state().ScanActive == 1) QTest::mouseClick(breakScan, Qt::LeftButton);
    });
    waiting.start(10);
    QTest::mouseClick(rig.sp.ButtonScan, Qt::LeftButton);
    QCOMPARE(rig.Points(0), 0);
    QCOMPARE(rig.Requests(110, 0), 1);
    QCOMPARE(rig.sim.Requests().back().order, quint8(110));
    QVERIFY(rig.sp.ButtonScan->isEnabled() && breakScan->isEnabled());
  }

  void breakWhileTheStartRequestWaitsEndsTheScan() {
    Rig rig(3600000);
    rig.sp.ButtonScan->click();  // SINGLE SHOT: done at once, and BREAK stays enabled
    rig.gp.GraphScope->graph(0)->data()->clear();
    SetRingValue(rig.sp.RingTriggerMode, 1);
    rig.sim.faults().delayMs = 300;  // BREAK comes before the start's answer
    QTimer::singleShot(50, rig.sp.ButtonBreakScan, &QPushButton::click);
    rig.sp.ButtonScan->click();  // returns: the break was kept, not refused and lost
    QCOMPARE(rig.Points(0), 0);
    QCOMPARE(rig.Requests(110, 0), 1);
    QCOMPARE(rig.fixture.state().ScanActive, 0);
  }

  void aBadResultFrameEndsTheScanWithoutPlotting() {
    Rig rig;
    rig.sim.faults().corruptDataCrc = 1;  // the start answer carries no data: the first block
    rig.sp.ButtonScan->click();
    QCOMPARE(rig.Points(0), 0);
    QVERIFY(rig.fixture.Messages().contains("RECEIVED DATA FRAME IS INCORRECT!"));
    QCOMPARE(rig.fixture.state().ScanActive, 0);
  }

  void triggerModeEnablesItsControlsAndCursorsGiveDeltas() {
    Rig rig;
    const bool table[5][2] = {{false, false}, {true, true}, {true, true}, {false, true}, {false, true}};
    for (int mode : {1, 0, 2, 3, 4}) {
      SetRingValue(rig.sp.RingTriggerMode, mode);
      QCOMPARE(rig.sp.NumTriggerLevel->isEnabled(), table[mode][0]);
      QCOMPARE(rig.sp.NumPreTrigVal->isEnabled(), table[mode][1]);
    }
    rig.scope.CycleTimeMs = 1.0;
    rig.sp.NumScanRate->setValue(2);
    ScopeGraphPanel& panel = rig.panels.scopeGraphPanel();
    panel.cursor1->position->setCoords(10.7, 100.9);
    panel.cursor2->position->setCoords(40.2, 50.2);
    rig.scope.calcScopDeltaXY();
    QCOMPARE(rig.gp.DispDeltaX->value(), 58.0);
    QCOMPARE(rig.gp.DispDeltaY->value(), 50);
    QCOMPARE(panel.binaryCursor2->position->coords().x(), 40.2);
    // The keyboard moves cursor 1 by one sample.
    QTest::keyClick(rig.gp.GraphScope, Qt::Key_Right);
    QCOMPARE(panel.cursor1->position->coords().x(), 11.0);
    QCOMPARE(rig.gp.DispDeltaX->value(), 58.0);  // |11 - 40.2| truncates to 29
  }
};

}  // namespace trivolux

QTEST_MAIN(trivolux::ScopePageTest)
#include "scope_page_test.moc"
