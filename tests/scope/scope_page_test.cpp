// The scope against the simulator: the scan frequency, a full scan over TCP
// and over the pseudo-terminal, BREAK's dimming and the wait it ends, a bad result frame,
// the display-signal ring and the trigger-mode enabling; the views of a scan
// (cursor table, trigger marker, FIT) and its CSV export.
#include <QtTest>
#include <algorithm>
#include <memory>

#include "app/scope_app.h"
#include "app_fixture.h"
#include "base/shared_state.h"
#include "params/panel_access.h"
#include "qcustomplot.h"
#include "scope/scope_controller.h"
#include "scope/scope_view.h"
#include "sim/simulator.h"
#include "sim_rig.h"
#include "ui/panels.h"

namespace trivolux {

class ScopePageTest : public QObject {
  Q_OBJECT

  struct Rig : test::SimRig {
    Ui::ScopePage& sp = panels.scopePage().ui;
    Ui::ScopeGraphPanel& gp = panels.scopeGraphPanel().ui;
    ScopeController& scope = fixture.app().scope();
    explicit Rig(int triggerPeriodMs = 20) : SimRig(Options(triggerPeriodMs)) {}
    static sim::SimOptions Options(int period) {
      sim::SimOptions o;
      o.triggerPeriodMs = period;
      return o;
    }
    int Points(int line) { return gp.GraphScope->graph(line)->dataCount(); }
    QString Cell(int row, int column) { return gp.TableScopeCursors->item(row, column)->text(); }
    // Cycle time from the sensor, then a scan with the trigger mode and a
    // pre-trigger of 20 at scan rate 2.
    void Scan(int triggerMode) {
      sp.ButtonGetCycleTime->click();
      SetRingValue(sp.RingTriggerMode, triggerMode);
      sp.NumPreTrigVal->setValue(20);
      sp.NumScanRate->setValue(2);
      QTest::mouseClick(sp.ButtonScan, Qt::LeftButton);
      QCOMPARE(Points(0), 128);
    }
    // The y axis holds the lines' samples, with at most 10 % of their span
    // (or a few digits) to spare on either side.
    void ExpectFitted(std::initializer_list<int> lines) {
      int lo = 65535, hi = 0;
      for (int c : lines) {
        const auto& t = scope.ScopeTrace[static_cast<std::size_t>(c)];
        lo = std::min<int>(lo, *std::min_element(t.begin(), t.end()));
        hi = std::max<int>(hi, *std::max_element(t.begin(), t.end()));
      }
      const QCPRange y = gp.GraphScope->yAxis->range();
      const double spare = std::max(0.1 * (hi - lo), 10.0);
      QVERIFY2(y.lower < lo && y.lower > lo - spare && y.upper > hi && y.upper < hi + spare,
               qPrintable(QString("%1..%2 for %3..%4").arg(y.lower).arg(y.upper).arg(lo).arg(hi)));
    }
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

  // BREAK is enabled from the start request on: one pressed before the
  // start's answer is kept and ends the scan once the answer is in.
  void breakWhileTheStartRequestWaitsEndsTheScan() {
    Rig rig(3600000);
    SetRingValue(rig.sp.RingTriggerMode, 1);
    rig.sim.faults().delayMs = 300;  // the start's answer comes after BREAK
    auto pressed =
        QObject::connect(&rig.sim, &sim::Simulator::requestHandled, [&](quint8 order, quint16 param) {
          if (order == 110 && param == 1) QTest::mouseClick(rig.sp.ButtonBreakScan, Qt::LeftButton);
        });
    rig.sp.ButtonScan->click();  // returns: the break was kept, not refused and lost
    QObject::disconnect(pressed);
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

  // A rising-edge scan: the blue line steps from below to above the trigger
  // level at the pre-trigger sample 20, which is marked.
  void cursorTableFitAndTriggerMarkerOnAKnownScan() {
    Rig rig;
    ScopeGraphPanel& panel = rig.panels.scopeGraphPanel();
    QCustomPlot* plot = rig.gp.GraphScope;
    QVERIFY(!rig.gp.ButtonFitScope->isEnabled() && !rig.gp.ButtonExportScopeCsv->isEnabled());
    // The cursors start apart and inside the plot, off its edges.
    const QPointF c1 = panel.cursor1->position->coords(), c2 = panel.cursor2->position->coords();
    for (const QPointF& c : {c1, c2}) {
      QVERIFY(c.x() > plot->xAxis->range().lower + 8 && c.x() < plot->xAxis->range().upper - 8);
      QVERIFY(c.y() > plot->yAxis->range().lower + 200 && c.y() < plot->yAxis->range().upper - 200);
    }
    QVERIFY(std::abs(c1.x() - c2.x()) > 32);

    rig.Scan(1);
    QCOMPARE(panel.TriggerMarkerSample(), 20);
    // Cursor 1 moved with the keyboard to the last sample before the trigger.
    const int before = 19;
    while (ScopeSampleAt(panel.cursor1->position->coords().x()) > before) QTest::keyClick(plot, Qt::Key_Left);
    const int after = ScopeSampleAt(panel.cursor2->position->coords().x());
    const double msPerSample = rig.scope.CycleTimeMs * 2;
    QVERIFY(msPerSample > 0);
    for (auto [row, sample] : {std::pair{0, before}, {1, after}}) {
      QCOMPARE(rig.Cell(row, ScopeGraphPanel::kColSample), QString::number(sample));
      QCOMPARE(rig.Cell(row, ScopeGraphPanel::kColTime).toDouble(), sample * msPerSample);
      const auto at = static_cast<std::size_t>(sample);
      for (std::size_t c = 0; c < 3; ++c)
        QCOMPARE(rig.Cell(row, ScopeGraphPanel::kColLine + int(c)).toInt(), int(rig.scope.ScopeTrace[c][at]));
      QCOMPARE(rig.Cell(row, ScopeGraphPanel::kColBit).toInt(), rig.scope.ScopeTrace[3][at] & 1);
    }
    const int trigger = rig.sp.NumTriggerLevel->value();
    QVERIFY(rig.Cell(0, ScopeGraphPanel::kColLine + 2).toInt() < trigger);
    QVERIFY(rig.Cell(1, ScopeGraphPanel::kColLine + 2).toInt() > trigger);
    // The times differ by delta X.
    QCOMPARE(
        rig.Cell(1, ScopeGraphPanel::kColTime).toDouble() - rig.Cell(0, ScopeGraphPanel::kColTime).toDouble(),
        rig.gp.DispDeltaX->value());

    QTest::mouseClick(rig.gp.ButtonFitScope, Qt::LeftButton);
    rig.ExpectFitted({0, 1, 2});
    // Blue alone, fitted by a double click; ZOOM 1:1 gives the full range back.
    SetRingValue(rig.gp.RingScopeSignal, 3);
    QTest::mouseClick(rig.gp.ButtonZoom11, Qt::LeftButton);
    QCOMPARE(plot->yAxis->range(), QCPRange(0, 4100));
    QTest::mouseDClick(plot, Qt::LeftButton, {}, plot->rect().center());
    rig.ExpectFitted({2});
    QTest::mouseClick(rig.gp.ButtonZoom11, Qt::LeftButton);
    QCOMPARE(plot->yAxis->range(), QCPRange(0, 4100));
  }

  // EXPORT CSV writes time and every trace per sample, through the file
  // popup; a place that cannot be written is reported and leaves nothing.
  void exportWritesTheScanAsCsv() {
    Rig rig;
    rig.Scan(0);
    QCOMPARE(rig.panels.scopeGraphPanel().TriggerMarkerSample(), -1);  // SINGLE SHOT has no trigger
    test::ScriptedPopups& popups = rig.fixture.popups;
    popups.files = {{FileSelect::New, rig.fixture.Path("scan")}};
    QTest::mouseClick(rig.gp.ButtonExportScopeCsv, Qt::LeftButton);
    const QString path = rig.fixture.Path("scan.csv");
    QCOMPARE(popups.OfKind("message").at(0).text,
             "The scan has been exported to\n" + QDir::toNativeSeparators(path));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> rows = file.readAll().split('\n');
    QCOMPARE(rows.size(), 130);
    QCOMPARE(rows[0], QByteArray("time_ms,RED,GREEN,BLUE,BIT0,BIT1\r"));
    const double msPerSample = rig.scope.CycleTimeMs * 2;
    for (std::size_t i = 0; i < 128; ++i) {
      const QList<QByteArray> cols = rows[static_cast<int>(i) + 1].trimmed().split(',');
      QCOMPARE(cols.size(), 6);
      QCOMPARE(cols[0].toDouble(), static_cast<double>(i) * msPerSample);
      for (std::size_t c = 0; c < 3; ++c)
        QCOMPARE(cols[static_cast<int>(c) + 1].toInt(), int(rig.scope.ScopeTrace[c][i]));
      QCOMPARE(cols[4].toInt() + 2 * cols[5].toInt(), rig.scope.ScopeTrace[3][i] & 3);
    }
    QCOMPARE(QDir(rig.fixture.Path(".")).entryList({"*scope_csv*"}, QDir::Files | QDir::Hidden).size(), 0);

    popups.Clear();
    const QString bad = rig.fixture.Path("missing/scan.csv");
    popups.files = {{FileSelect::New, bad}};
    QTest::mouseClick(rig.gp.ButtonExportScopeCsv, Qt::LeftButton);
    QCOMPARE(popups.OfKind("message").at(0).title, QString("ATTENTION!"));
    QVERIFY(popups.OfKind("message").at(0).text.startsWith("The scan could not be exported to\n" +
                                                           QDir::toNativeSeparators(bad) + "\n"));
    QVERIFY(!QFile::exists(bad));
  }
};

}  // namespace trivolux

QTEST_MAIN(trivolux::ScopePageTest)
#include "scope_page_test.moc"
