// The mean-value teach panel against the simulator: opening it runs GO,
// captures give means and distances, TEACH writes the row, CLOSE stops GO.
#include <QtTest>

#include "app/scope_app.h"
#include "app_fixture.h"
#include "base/shared_state.h"
#include "live/live_controller.h"
#include "params/panel_access.h"
#include "sim/simulator.h"
#include "sim_rig.h"
#include "teach/mean_teach_controller.h"
#include "ui/panels.h"
#include "user_input.h"

namespace trivolux {

using W = MeasurementRecord;

class MeanTeachAppTest : public QObject {
  Q_OBJECT

  struct Rig : test::SimRig {
    Ui::MeanTeachPanel& tp = panels.meanTeachPanel().ui;
    void Frame(int x, int y, int i) {
      std::array<std::int16_t, 20> f{};
      f[W::kX] = static_cast<std::int16_t>(x);
      f[W::kY] = static_cast<std::int16_t>(y);
      f[W::kInt] = static_cast<std::int16_t>(i);
      sim.faults().fixedFrame = f;
    }
    QList<int> TeachRow(int row) {
      QList<int> cells;
      for (int c = 0; c < 5; ++c) cells << CellValue(panels.teachPage().ui.GridTeach, row, c);
      return cells;
    }
  };

 private slots:
  void capturesDuringGoThenTeachAndClose() {
    Rig rig;
    const int xs[] = {100, 102, 107};
    rig.Frame(xs[0], 500, 2000);
    int captures = 0, n = 0;
    auto c = QObject::connect(&rig.sim, &sim::Simulator::requestHandled, [&](quint8 order, quint16) {
      if (order != 8) return;
      // By this request the program has shown the frame before it.
      if (++n % 2 == 0 && captures < 3) {
        rig.tp.ButtonTP1Capture->click();
        ++captures;
        if (captures < 3) rig.Frame(xs[captures], 500, 2000);
      } else if (captures == 3) {
        rig.tp.ButtonCloseTeachPanel->click();
      }
    });
    rig.panels.teachPage().ui.ButtonTeachMeanVal->click();  // runs GO until CLOSE
    QObject::disconnect(c);
    QCOMPARE(rig.fixture.state().RunFlag, 0);
    QCOMPARE(rig.panels.CurrentChildPanel(), &rig.panels.dataPanel());
    QCOMPARE(rig.tp.DispTP1Counter->value(), 3);
    QCOMPARE(CellValue(rig.tp.GridTP1Mean, 0, 3), 103);
    QCOMPARE(rig.tp.DispTP1MaxDeltaXY->value(), 4);

    SetRingValue(rig.tp.RingTP1TeachCtoWith, 2);
    rig.tp.NumTP1ValueCto->setValue(30);
    SetRingValue(rig.tp.RingTP1TeachItoWith, 0);
    rig.tp.NumTP1ValueIto->setValue(77);
    rig.panels.teachPage().ui.NumNo->setValue(5);
    rig.tp.ButtonTP1Teach->click();
    QCOMPARE(rig.TeachRow(5), (QList<int>{103, 500, 34, 2000, 77}));
    SetRingValue(rig.panels.parameterPage().ui.RingEvalMode, 2);  // MIN DIST: always 40
    rig.tp.ButtonTP1Teach->click();
    QCOMPARE(rig.TeachRow(5)[2], 40);
  }

  void aTypedCaptureChangesTheMeanThatIsTaught() {
    Rig rig;
    rig.Frame(100, 500, 2000);
    int n = 0;
    auto c = QObject::connect(&rig.sim, &sim::Simulator::requestHandled, [&](quint8 order, quint16) {
      if (order != 8 || ++n < 3) return;
      rig.tp.ButtonTP1Capture->click();
      rig.tp.ButtonTP1Capture->click();
      rig.fixture.state().RunFlag = 0;  // GO ends, the panel stays open for editing
    });
    rig.panels.mainPanel().show();
    rig.panels.teachPage().ui.ButtonTeachMeanVal->click();
    QObject::disconnect(c);
    QCOMPARE(CellValue(rig.tp.GridTP1Mean, 0, 3), 100);
    // The second capture was an outlier: the user types the value it should have had.
    QVERIFY(test::TypeIntoCell(rig.tp.GridTP1Values, 1, 3, "130"));
    QTRY_COMPARE(CellValue(rig.tp.GridTP1Mean, 0, 3), 115);
    QCOMPARE(rig.tp.DispTP1MaxDeltaXY->value(), 15);
    rig.panels.teachPage().ui.NumNo->setValue(2);
    rig.tp.ButtonTP1Teach->click();
    QCOMPARE(rig.TeachRow(2)[0], 115);
  }

  void fullGridUndoAndReset() {
    Rig rig;
    MeanTeachController& mt = rig.fixture.app().meanTeach();
    for (int k = 0; k < 101; ++k) mt.CaptureFrame();
    QCOMPARE(rig.tp.DispTP1Counter->value(), 100);
    rig.fixture.popups.confirms.push_back(true);
    rig.tp.ButtonTP1ResetTable->click();
    QCOMPARE(rig.tp.DispTP1Counter->value(), 0);

    SetCellValue(rig.tp.GridTP1Values, 0, 3, 9);  // as one capture would
    rig.tp.DispTP1Counter->setValue(1);
    mt.CalcMeanValues();
    QCOMPARE(CellValue(rig.tp.GridTP1Mean, 0, 3), 9);
    rig.tp.ButtonTP1Undo->click();
    QCOMPARE(rig.tp.DispTP1Counter->value(), 0);
    QCOMPARE(CellValue(rig.tp.GridTP1Values, 0, 3), 0);
    QCOMPARE(CellValue(rig.tp.GridTP1Mean, 0, 3), 0);
    QCOMPARE(rig.tp.DispTP1MaxDeltaXY->value(), 0);
  }
};

}  // namespace trivolux

QTEST_MAIN(trivolux::MeanTeachAppTest)
#include "mean_teach_app_test.moc"
