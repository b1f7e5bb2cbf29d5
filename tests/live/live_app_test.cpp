// GO against the in-process simulator: what every display shows, what a SEND
// or GET pressed meanwhile does, how GO ends, and the graphs and big
// displays that follow the frames.
#include <QFile>
#include <QtTest>
#include <functional>

#include "app/panel_settings_file.h"
#include "app/scope_app.h"
#include "app_fixture.h"
#include "base/shared_state.h"
#include "fake_peer.h"
#include "link/link_controller.h"
#include "live/live_controller.h"
#include "params/panel_access.h"
#include "params/param_controller.h"
#include "qcustomplot.h"
#include "sim/simulator.h"
#include "sim_rig.h"
#include "teach/colour_planes.h"
#include "ui/panels.h"

namespace trivolux {

using Frame = std::array<std::int16_t, 20>;
using W = MeasurementRecord;

class LiveAppTest : public QObject {
  Q_OBJECT

  struct Rig : test::SimRig {
    LiveController& live = fixture.app().live();
    Ui::MainPanel& main() { return panels.mainPanel().ui; }
    Ui::DataPanel& data() { return panels.dataPanel().ui; }

    // Clicks GO; onFrame(n) runs when the simulator has answered the n-th
    // order 8. Returns when GO has ended (or after a generous deadline,
    // which fails the test).
    void Go(const std::function<void(int)>& onFrame) {
      int n = 0;
      auto c = QObject::connect(&sim, &sim::Simulator::requestHandled, [&](quint8 order, quint16) {
        if (order == 8) onFrame(++n);
      });
      QTimer deadline;
      bool expired = false;
      deadline.setSingleShot(true);
      QObject::connect(&deadline, &QTimer::timeout, [&] {
        expired = true;
        state.RunFlag = 0;
      });
      deadline.start(60000);
      main().ButtonGo->click();
      QObject::disconnect(c);
      QVERIFY2(!expired, "GO did not end");
    }
    // GO for exactly `frames` frames of `frame`.
    void GoWith(const Frame& frame, int frames) {
      sim.faults().fixedFrame = frame;
      Go([&](int n) {
        if (n == frames) main().ButtonStop->click();
      });
    }
    std::vector<int> Orders() const {
      std::vector<int> out;
      for (const auto& r : sim.Requests()) out.push_back(r.order);
      return out;
    }
  };

  static Frame Distinct() {
    Frame f{};
    for (int w = 0; w < 20; ++w) f[w] = static_cast<std::int16_t>(100 * (w + 1) + w);
    return f;
  }

 private slots:
  void everyDisplayShowsItsWord() {
    Rig rig;
    Frame f = Distinct();
    f[W::kRed] = -32768;  // extremes reach the displays unchanged
    f[W::kGreen] = 32767;
    f[W::kColor] = -1;
    f[W::kDeltaC] = -1;
    rig.GoWith(f, 3);
    QCOMPARE(rig.live.FrameCount(), 3);
    QCOMPARE(rig.state.RunFlag, 0);
    auto& d = rig.data();
    auto& cal = rig.panels.calibrationPage().ui;
    const std::pair<QSpinBox*, int> displays[] = {{d.DispRED, W::kRed},
                                                  {d.DispGREEN, W::kGreen},
                                                  {d.DispBLUE, W::kBlue},
                                                  {d.DispX, W::kX},
                                                  {d.DispY, W::kY},
                                                  {d.DispINT, W::kInt},
                                                  {d.DispDeltaC, W::kDeltaC},
                                                  {d.DispCOL, W::kColor},
                                                  {d.DispGroup, W::kGroup},
                                                  {d.DispRed0, W::kRed},
                                                  {d.DispGreen1, W::kGreen},
                                                  {d.DispBlue2, W::kBlue},
                                                  {d.DispMinMaxRed1, 14},
                                                  {d.DispMinMaxGreen1, 15},
                                                  {d.DispMinMaxBlue1, 16},
                                                  {d.DispMinMaxRed2, 17},
                                                  {d.DispMinMaxGreen2, 18},
                                                  {d.DispMinMaxBlue2, 19},
                                                  {rig.panels.tableAttrPage().ui.DispTemp, W::kTemp},
                                                  {rig.panels.bigColourPanel().ui.DispBigColour, W::kColor},
                                                  {rig.panels.bigGroupPanel().ui.DispBigGroup, W::kGroup},
                                                  {rig.panels.meanTeachPanel().ui.DispTP1Blue, W::kBlue},
                                                  {cal.DispRawRed, W::kRawRed},
                                                  {cal.DispRawGreen, W::kRawGreen},
                                                  {cal.DispRawBlue, W::kRawBlue}};
    for (const auto& [display, word] : displays) QCOMPARE(display->value(), int(f[word]));
    QCOMPARE(cal.DispRawDelta->value(), f[W::kRawBlue] - f[W::kRawRed]);
    QCOMPARE(cal.BarRawRed->value(), int(f[W::kRawRed]));
    QCOMPARE(cal.BarCalRed->value(), 0);  // -32768 kept on the bar's scale
    QCOMPARE(cal.BarCalGreen->value(), 4096);
    QVERIFY(d.LedTrig->isOn());
    // The strip charts end with the newest values.
    QCOMPARE(d.ChartX->graph(0)->data()->at(99)->value, double(f[W::kX]));
    QCOMPARE(d.ChartRGB->graph(2)->data()->at(99)->value, double(f[W::kBlue]));
  }

  void swatchAndOutputIndicatorsFollowTheFrame() {
    Rig rig;
    rig.panels.tableAttrPage().ui.RingSetColor->setCurrentIndex(1);  // Automatically
    QVERIFY(rig.data().SwatchColour->isVisibleTo(&rig.panels.dataPanel()));
    SetRingValue(rig.panels.parameterPage().ui.RingEvalMode, 4);  // THD Red Green
    struct Case {
      int color;
      bool out0, out1;
    } cases[] = {{3, true, true}, {1, false, true}, {-1, true, true}, {0, false, false}};
    for (const Case& c : cases) {
      Frame f{};
      f[W::kRed] = 31;  // swatch red 1
      f[W::kGreen] = 4095;
      f[W::kBlue] = 15;
      f[W::kColor] = static_cast<std::int16_t>(c.color);
      rig.GoWith(f, 1);
      QCOMPARE(rig.data().LedOut0->isOn(), c.out0);
      QCOMPARE(rig.data().LedOut1->isOn(), c.out1);
    }
    QCOMPARE(rig.data().SwatchColour->palette().color(QPalette::Window).rgb() & 0xFFFFFF, 0x01FF00u);
    rig.panels.tableAttrPage().ui.RingSetColor->setCurrentIndex(0);
    QVERIFY(!rig.data().SwatchColour->isVisibleTo(&rig.panels.dataPanel()));
  }

  void sendAndGetPressedDuringGoRunBetweenMeasurements() {
    Rig rig;
    rig.sim.ClearRequests();
    rig.Go([&](int n) {
      if (n == 1) rig.main().ButtonSend->click();
      if (n == 2) {
        rig.main().ButtonGet->click();
        rig.main().ButtonGet->click();
      }
      if (n == 3) rig.main().ButtonStop->click();
    });
    QCOMPARE(rig.Orders(), (std::vector<int>{8, 1, 1, 1, 8, 2, 2, 2, 8}));
    // SEND and GET stayed usable during GO; everything is enabled again.
    QVERIFY(rig.main().ButtonGo->isEnabled());
  }

  void plausibilityReportOfASendEndsGo() {
    Rig rig;
    rig.sim.faults().implausibleCount = 2;
    rig.sim.ClearRequests();
    rig.Go([&](int n) {
      if (n == 1) rig.main().ButtonSend->click();
    });
    QCOMPARE(rig.Orders(), (std::vector<int>{8, 1, 1, 1}));
    QVERIFY(rig.fixture.Messages().contains("2 PARAMETER IN RAM DID NOT PASS PLAUSIBILITY CHECK"));
    QCOMPARE(rig.main().TabMain->currentIndex(), int(MainPanel::kConnectPage));
  }

  void faultsEndGoWithOneMessageAndKeepTheLastGoodFrame() {
    const std::function<void(sim::Faults&)> faults[] = {
        [](sim::Faults& f) { f.dropAnswerNth = 1; },  // sensor stops answering
        [](sim::Faults& f) { f.closeOnNextRequest = true; }, [](sim::Faults& f) { f.corruptDataCrc = 1; },
        [](sim::Faults& f) { f.unknownOrderForAll = true; },  // error answer
    };
    for (const auto& inject : faults) {
      Rig rig;
      const Frame good = Distinct();
      rig.sim.faults().fixedFrame = good;
      const QString before = rig.fixture.Messages();
      rig.Go([&](int n) {
        if (n == 2) inject(rig.sim.faults());
      });
      QCOMPARE(rig.live.FrameCount(), 2);
      QCOMPARE(rig.state.SensorConnected, 0);
      QCOMPARE(rig.data().DispX->value(), int(good[W::kX]));
      QCOMPARE(rig.data().DispStatus->text(), QString("TIMEOUT!"));
      // One failure, one message.
      const QString added = rig.fixture.Messages().mid(before.size());
      QCOMPARE(added.count("\n\n"), 1);
      QVERIFY(rig.main().ButtonGo->isEnabled());
    }
  }

  void measurementAnswerOfAnotherLengthIsABadFrame() {
    test::AppFixture fixture;
    fixture.StartOffline();
    test::FakePeer peer;
    fixture.UseTcpPeer(peer.Port());
    peer.Enqueue({test::AnswerFrame(8, 0, QByteArray(10, '\x7F'))});
    fixture.app().live().CBF_ButtonGo();  // offline, the button itself is dimmed
    QCOMPARE(fixture.app().live().FrameCount(), 0);
    QCOMPARE(fixture.panels().dataPanel().ui.DispRED->value(), 0);
    QVERIFY(fixture.Messages().contains("RECEIVED DATA FRAME IS INCORRECT!"));
  }

  void goEndsOnTheConnectPageAndOnTheCloseBox() {
    {
      Rig rig;
      rig.Go([&](int n) {
        if (n == 2) emit rig.panels.mainTabChanged(MainPanel::kConnectPage);
      });
      QCOMPARE(rig.live.FrameCount(), 2);
      QCOMPARE(rig.state.SensorConnected, 1);
    }
    Rig rig;
    const QString settings = rig.fixture.Path(kPanelSettingsName);
    QFile::remove(settings);
    rig.Go([&](int n) {
      if (n == 2) rig.panels.mainPanel().close();
    });
    QVERIFY(rig.state.QuitRequested);
    QVERIFY(QFile::exists(settings));
  }

  void planesFollowTheTaughtRowsAndThePoint() {
    Rig rig;
    // Row 0 taught at x 1000, y 1200, CTO 100, INT 2000, ITO 200 (mode 0).
    auto teach = rig.sim.RamTeach(0);
    const std::uint16_t row0[5] = {1000, 1200, 100, 2000, 200};
    for (int c = 0; c < 5; ++c) {
      teach[2 * c] = row0[c] & 0xFF;
      teach[2 * c + 1] = row0[c] >> 8;
    }
    rig.sim.SetRamTeach(0, teach);
    rig.main().ButtonGet->click();
    const QCPItemEllipse* outline = rig.fixture.app().colourPlanes().Outline(rig.data().GraphXY2D, 0);
    QCOMPARE(outline->topLeft->coords(), QPointF(900, 1300));
    QCOMPARE(outline->bottomRight->coords(), QPointF(1100, 1100));
    const QCPItemRect* band = rig.fixture.app().colourPlanes().Band();  // "No.:" is row 0
    QCOMPARE(band->topLeft->coords(), QPointF(1800, 100));
    QCOMPARE(band->bottomRight->coords(), QPointF(2200, 0));

    SetRingValue(rig.panels.parameterPage().ui.RingCalcMode, 0);
    Frame f{};
    f[W::kX] = 1000, f[W::kY] = 1200, f[W::kInt] = 2000;
    rig.GoWith(f, 1);
    // Inside the region (the other rows are empty): its extent plus 25.
    QCOMPARE(rig.data().GraphXY2D->xAxis->range(), QCPRange(875, 1125));
    QCOMPARE(rig.data().GraphXY2D->yAxis->range(), QCPRange(1075, 1325));
    QCOMPARE(rig.panels.dataPanel().cursorXY2D->position->coords(), QPointF(1000, 1200));
    QCOMPARE(rig.panels.dataPanel().cursorINT2D->position->coords(), QPointF(2000, 50));

    // In CALCULATION MODE 1 an M above 1200 puts the INT cursor at 1200.
    SetRingValue(rig.panels.parameterPage().ui.RingCalcMode, 1);
    f[W::kInt] = 30000;
    rig.GoWith(f, 1);
    QCOMPARE(rig.panels.dataPanel().cursorINT2D->position->coords(), QPointF(1200, 50));
    // A point far outside widens the window just enough.
    SetRingValue(rig.panels.parameterPage().ui.RingCalcMode, 2);
    f[W::kX] = 30000;
    rig.GoWith(f, 1);
    QVERIFY(rig.data().GraphXY3D->xAxis->range().contains(30000));
    QCOMPARE(rig.data().GraphXY3D->xAxis->range().upper, 30000 + 25.0);
  }

  void stripChartZoomByMouseAndKeyboard() {
    Rig rig;
    auto& d = rig.data();
    d.TabDataP1->setCurrentIndex(DataPanel::kPageRgb);
    rig.GoWith(Distinct(), 1);
    QTest::mouseDClick(d.ChartRGB, Qt::LeftButton);
    QVERIFY(rig.live.graphs().Autoscaled(d.ChartRGB));
    QVERIFY(d.ChartRGB->yAxis->range().upper < 4096);
    QTest::mouseClick(d.ChartRGB, Qt::LeftButton);
    QCOMPARE(d.ChartRGB->yAxis->range(), QCPRange(0, 4096));
    // After switching to an s/i/M mode a click rescales X, Y, INT to s, i, M.
    SetRingValue(rig.panels.parameterPage().ui.RingCalcMode, 1);
    d.TabDataP1->setCurrentIndex(DataPanel::kPageXyInt);
    QTest::keyClick(d.ChartY, Qt::Key_Plus);
    QVERIFY(rig.live.graphs().Autoscaled(d.ChartX));
    QTest::keyClick(d.ChartY, Qt::Key_Minus);
    QCOMPARE(d.ChartX->yAxis->range().upper, 10000.0);
    QCOMPARE(d.ChartY->yAxis->range().upper, 5000.0);
    QCOMPARE(d.ChartINT->yAxis->range().upper, 1200.0);
  }

  void bigDisplaysAndTheStatusLine() {
    Rig rig;
    auto& d = rig.data();
    rig.panels.connectPage().AppendMessage("something");
    QTest::mouseDClick(d.DispStatus, Qt::RightButton);
    QVERIFY(rig.panels.connectPage().ui.TextMessages->toPlainText().isEmpty());

    QTest::mouseDClick(d.DispCOL->findChild<QLineEdit*>(), Qt::LeftButton);
    BigColourPanel& colour = rig.panels.bigColourPanel();
    QVERIFY(colour.isVisible());
    QTest::mouseClick(colour.ui.DispBigColour, Qt::RightButton);
    QVERIFY(!colour.isVisible());
    // Hidden, it still follows the frames.
    Frame f{};
    f[W::kColor] = 42;
    rig.GoWith(f, 1);
    QCOMPARE(colour.ui.DispBigColour->value(), 42);

    d.DispGroup->setFocus();
    QTest::keyClick(d.DispGroup, Qt::Key_Return);
    BigGroupPanel& group = rig.panels.bigGroupPanel();
    QVERIFY(group.isVisible());
    QTest::keyClick(&group, Qt::Key_Escape);
    QVERIFY(!group.isVisible());
  }

  void graphPanelShowsTheSelectedSignal() {
    Rig rig;
    GraphPanel& gp = rig.panels.graphPanel();
    rig.data().ButtonShowGraph->click();
    QCOMPARE(rig.panels.CurrentChildPanel(), &gp);
    for (int s = 0; s < GraphPanel::kSignals; ++s) {
      gp.ui.RingSignal->setCurrentIndex(s);
      for (int o = 0; o < GraphPanel::kSignals; ++o) QCOMPARE(gp.GraphOf(o)->isVisibleTo(&gp), o == s);
    }
    QCOMPARE(GraphSignalOf(9), 0);
    Frame f = Distinct();
    rig.GoWith(f, 1);  // GO keeps the data panel in front
    QCOMPARE(rig.panels.CurrentChildPanel(), &rig.panels.dataPanel());
    rig.live.graphPanel().InitPanelGraph(rig.live.record());
    QCOMPARE(rig.live.graphPanel().current[6], double(f[W::kTemp]));
    QCOMPARE(gp.GraphOf(3)->graph(0)->dataCount(), 0);
    gp.ui.ButtonGpClose->click();
    QCOMPARE(rig.panels.CurrentChildPanel(), &rig.panels.dataPanel());
  }
};

}  // namespace trivolux

QTEST_MAIN(trivolux::LiveAppTest)
#include "live_app_test.moc"
