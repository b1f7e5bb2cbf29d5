// The calibration and offset pages and the hardware information file against
// the simulator (and a scripted peer for answers of the wrong length), and
// factors out of the sensor's range.
#include <QtTest>

#include "app/scope_app.h"
#include "app_fixture.h"
#include "base/shared_state.h"
#include "calib/calib_controller.h"
#include "fake_peer.h"
#include "ini/ini_text.h"
#include "link/link_controller.h"
#include "live/measurement_record.h"
#include "params/param_controller.h"
#include "params/parameter_file.h"
#include "sim/simulator.h"
#include "sim_rig.h"
#include "ui/panels.h"

namespace trivolux {

using W = MeasurementRecord;

class CalibAppTest : public QObject {
  Q_OBJECT

  struct Rig : test::SimRig {
    Ui::CalibrationPage& cal = panels.calibrationPage().ui;
    Ui::OffsetPage& off = panels.offsetPage().ui;
    CalibController& calib = fixture.app().calib();
    Rig() { fixture.popups.Clear(); }
    void Raw(int r, int g, int b) {
      std::array<std::int16_t, 20> f{};
      f[W::kRawRed] = static_cast<std::int16_t>(r);
      f[W::kRawGreen] = static_cast<std::int16_t>(g);
      f[W::kRawBlue] = static_cast<std::int16_t>(b);
      sim.faults().fixedFrame = f;
    }
    QList<int> Factors() { return {cal.NumCFR->value(), cal.NumCFG->value(), cal.NumCFB->value()}; }
    int Requests(quint8 order) {
      int n = 0;
      for (const auto& q : sim.Requests()) n += q.order == order;
      return n;
    }
    // Stops the GO that a calculation starts, after its first frame.
    void StopGoAfter(int measurements) {
      QObject::connect(&sim, &sim::Simulator::requestHandled, &sim,
                       [this, measurements](quint8 order, quint16) {
                         if (order == 8 && Requests(8) > measurements) fixture.state().RunFlag = 0;
                       });
    }
    QStringList Messages() {
      QStringList list;
      for (const auto& m : fixture.popups.OfKind("message")) list << m.title + "|" + m.text;
      return list;
    }
  };

 private slots:
  void getSendAndPlausibility() {
    Rig rig;
    rig.cal.ButtonGetCF->click();
    const auto cf = rig.sim.CalFactors();
    QCOMPARE(rig.Factors(), (QList<int>{cf[0], cf[1], cf[2]}));
    QCOMPARE(rig.off.NumOffsetBlue->value(), int(rig.sim.Offsets()[2]));
    rig.cal.NumCFG->setValue(1100);
    rig.cal.ButtonSendCF->click();
    QCOMPARE(int(rig.sim.CalFactors()[1]), 1100);
    rig.sim.faults().implausibleCount = 2;
    rig.cal.ButtonSendCF->click();
    QVERIFY(rig.fixture.Messages().contains(
        "INFO!\n2 PARAMETER IN RAM DID NOT PASS PLAUSIBILITY CHECK AND WERE SET TO DEFAULT VALUE!"));
  }

  void calculationPassesAfterTheFactorsWereSentThenRunsGo() {
    Rig rig;
    rig.Raw(640, 800, 1000);
    rig.cal.NumSetValue->setValue(800);
    rig.cal.NumMaxDelta->setValue(400);
    rig.StopGoAfter(101);
    rig.fixture.popups.confirms = {true, true};
    rig.cal.ButtonCalcCF->click();
    QCOMPARE(rig.Factors(), (QList<int>{1280, 1024, 819}));
    QCOMPARE(rig.sim.CalFactors()[2], std::uint16_t(819));
    QVERIFY(rig.Requests(8) > 100);  // GO ran after the 100 samples
    QCOMPARE(rig.Messages().last().section('|', 0, 0), QString("CALIBRATION PASSED!"));
  }

  void refusedCalculationSendsThePreviousFactorsAndRunsGo() {
    Rig rig;
    rig.Raw(100, 800, 1000);  // delta 900
    rig.cal.NumMaxDelta->setValue(899);
    rig.cal.NumCFR->setValue(1111);
    rig.StopGoAfter(101);
    rig.fixture.popups.confirms = {true, true};
    rig.cal.ButtonCalcCF->click();
    QVERIFY(rig.Messages().last().contains("is to high"));
    QCOMPARE(rig.sim.CalFactors()[0], std::uint16_t(1111));
    QVERIFY(rig.Requests(8) > 100);
  }

  void lostSensorDuringSamplingChangesNothingAndSendsNothing() {
    Rig rig;
    rig.Raw(800, 800, 800);
    rig.cal.NumSetValue->setValue(800);
    QObject::connect(&rig.sim, &sim::Simulator::requestHandled, [&](quint8 order, quint16) {
      if (order == 8 && rig.Requests(8) == 50) rig.sim.faults().closeOnNextRequest = true;
    });
    const QList<int> before = rig.Factors();
    rig.fixture.popups.confirms = {true, true};
    rig.cal.ButtonCalcCF->click();
    QCOMPARE(rig.Factors(), before);
    QCOMPARE(rig.Requests(101), 0);
    for (const QString& m : rig.Messages()) QVERIFY(!m.startsWith("CALIBRATION PASSED!"));
    QVERIFY(rig.cal.ButtonCalcCF->isEnabled());
  }

  void selfCalibrationAndOffsets() {
    Rig rig;
    rig.cal.ButtonStartSelfCalibration->click();
    const auto cf = rig.sim.CalFactors();
    QCOMPARE(rig.Factors(), (QList<int>{cf[0], cf[1], cf[2]}));
    QCOMPARE(rig.Messages().last(), QString("ATTENTION!|Confirm calibration factors with SEND CF."));
    QVERIFY(rig.cal.NumSetValue->value() > 0);

    rig.fixture.popups.confirms = {false};
    rig.off.ButtonCalcOffset->click();
    QCOMPARE(rig.Requests(100), 0);
    rig.off.NumOffsetRed->setValue(9999);
    rig.cal.NumCFR->setValue(3);
    rig.off.ButtonCalcOffset->click();  // Yes: detection, then both pages read back
    QCOMPARE(rig.Requests(100), 1);
    QCOMPARE(rig.off.NumOffsetRed->value(), int(rig.sim.Offsets()[0]));
    QCOMPARE(rig.cal.NumCFR->value(), int(rig.sim.CalFactors()[0]));

    // A self calibration that loses the link leaves the controls alone.
    rig.cal.NumCFR->setValue(5);
    rig.sim.faults().closeOnNextRequest = true;
    rig.fixture.popups.Clear();
    rig.cal.ButtonStartSelfCalibration->click();
    QCOMPARE(rig.cal.NumCFR->value(), 5);
    QVERIFY(!rig.Messages().join(' ').contains("Confirm calibration factors"));
  }

  void hardwareFileHoldsWhatWasReadAndReportsAFailedWrite() {
    Rig rig;
    const QString path = rig.fixture.Path("hw.ini");
    rig.fixture.popups.files.push_back({FileSelect::New, path});
    rig.panels.connectPage().ui.ButtonGenHwInfoFile->click();
    QVERIFY(rig.fixture.Messages().contains("HARDWARE INI FILE HAS BEEN SAVED TO:\n" + path));
    IniText hw;
    QCOMPARE(hw.ReadFromFile(path), 0);
    std::string text;
    QCOMPARE(hw.GetString("GENERAL INFO", "SCOPE VERSION:", 100, &text), 1);
    QCOMPARE(text, std::string("TRIVOLUX VR Scope V1.2.1"));
    QCOMPARE(hw.GetString("HARDWARE INFO", "DATA", 4096, &text), 1);
    QCOMPARE(int(text.size()), 1024);
    std::int32_t red = 0;
    QCOMPARE(hw.GetInt("CALIBRATION FACTOR", "RED", &red), 1);
    QCOMPARE(red, int(rig.sim.CalFactors()[0]));
    // The parameter sections are those of a parameter file of the same set.
    IniText para;
    AppendParaToIniHandle(para, rig.fixture.params().para().block);
    AppendTechVecToIniHandle(para, rig.fixture.params().para().table);
    const std::string all = hw.ToText();
    QVERIFY(all.size() > para.ToText().size());
    QCOMPARE(all.substr(all.size() - para.ToText().size()), para.ToText());

    // A file that cannot be written: reported with its path, no success text.
    const QString bad = rig.fixture.Path("missing/hw.ini");
    rig.fixture.popups.files.push_back({FileSelect::New, bad});
    rig.calib.GenerateHWInfoFile();  // the button waits for the next connection check
    QVERIFY(rig.fixture.Messages().contains("COULD NOT BE WRITTEN TO:\n" + bad));
    QVERIFY(!rig.fixture.Messages().contains("SAVED TO:\n" + bad));
    // Cancelled.
    rig.calib.GenerateHWInfoFile();
    QVERIFY(rig.fixture.Messages().endsWith("ATTENTION!   NO FILE WAS SELECTED!\n\n"));
  }

  // A factor the sensor answers beyond 4096 is shown and filed as it came,
  // marked out of range, and SEND CF refuses to write it (or any clamped
  // stand-in) until the user typed a valid one.
  void outOfRangeFactorIsShownFiledAndNotSent() {
    Rig rig;
    rig.sim.faults().calFactorAnswer = std::array<std::uint16_t, 3>{65535, 1024, 4097};
    const QString path = rig.fixture.Path("hw.ini");
    rig.fixture.popups.files.push_back({FileSelect::New, path});
    QTest::mouseClick(rig.panels.connectPage().ui.ButtonGenHwInfoFile, Qt::LeftButton);  // reads the factors
    QCOMPARE(rig.Factors(), (QList<int>{65535, 1024, 4097}));
    // The range note goes before the help text of the tool tip.
    QVERIFY(rig.cal.NumCFR->toolTip().startsWith("OUT OF RANGE!"));
    QVERIFY(rig.cal.NumCFB->toolTip().startsWith("OUT OF RANGE!"));
    QVERIFY(!rig.cal.NumCFG->toolTip().contains("OUT OF RANGE!"));
    QVERIFY(rig.cal.NumCFR->palette().color(QPalette::Base) !=
            rig.cal.NumCFG->palette().color(QPalette::Base));
    IniText hw;
    std::int32_t red = 0, blue = 0;
    QVERIFY(hw.ReadFromFile(path) == 0 && hw.GetInt("CALIBRATION FACTOR", "RED", &red) == 1 &&
            hw.GetInt("CALIBRATION FACTOR", "BLUE", &blue) == 1);
    QCOMPARE(QList<int>({red, blue}), QList<int>({65535, 4097}));

    QTest::mouseClick(rig.cal.ButtonSendCF, Qt::LeftButton);
    QCOMPARE(rig.Requests(101), 0);
    QVERIFY(rig.Messages().last().startsWith("ATTENTION!|A calibration factor is out of range!"));

    for (QSpinBox* factor : {rig.cal.NumCFR, rig.cal.NumCFB}) {
      factor->selectAll();
      QTest::keyClicks(factor, "2000");
      QTest::keyClick(factor, Qt::Key_Return);
      // The help text stays, the note is gone.
      QVERIFY(!factor->toolTip().isEmpty() && !factor->toolTip().contains("OUT OF RANGE!"));
    }
    QTest::mouseClick(rig.cal.ButtonSendCF, Qt::LeftButton);
    QVERIFY((rig.sim.CalFactors() == std::array<std::uint16_t, 3>{2000, 1024, 2000}));
  }

  void answersOfTheWrongLengthChangeNothing() {
    struct Case {
      quint8 order;
      int bytes;
    } cases[] = {{102, 10}, {102, 14}, {103, 8}, {103, 12}, {194, 510}, {194, 514}};
    for (const Case& c : cases) {
      test::AppFixture fixture;
      fixture.StartOffline();
      test::FakePeer peer;
      fixture.UseTcpPeer(peer.Port());
      peer.Enqueue({test::AnswerFrame(c.order, 0, QByteArray(c.bytes, '\x01'))});
      auto& cal = fixture.panels().calibrationPage().ui;
      cal.NumCFR->setValue(777);
      CalibController& calib = fixture.app().calib();
      if (c.order == 102) calib.GetCF();
      if (c.order == 103) calib.StartSelfCalibration();
      if (c.order == 194) {
        // Reached after a RAM read and GET CF that succeed.
        peer.Enqueue({test::AnswerFrame(102, 0, QByteArray(12, '\x00'))});
        fixture.app().calib().GenerateHWInfoFile();
      }
      QVERIFY2(fixture.Messages().contains("RECEIVED DATA FRAME IS INCORRECT!"),
               qPrintable(QString::number(c.order)));
      if (c.order != 194) QCOMPARE(cal.NumCFR->value(), 777);
      QVERIFY(fixture.popups.fileRequests.empty());
    }
  }
};

}  // namespace trivolux

QTEST_MAIN(trivolux::CalibAppTest)
#include "calib_app_test.moc"
