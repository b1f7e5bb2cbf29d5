// The recorded-value teach panel against the simulator: recording appends,
// stops by itself at a full store, leaves the live displays alone; RESET,
// the cursors' pick of the first matching point, and TEACH of that point.
#include <QtTest>

#include "app/scope_app.h"
#include "app_fixture.h"
#include "base/shared_state.h"
#include "live/live_controller.h"
#include "params/panel_access.h"
#include "qcustomplot.h"
#include "sim/simulator.h"
#include "sim_rig.h"
#include "teach/rec_teach_controller.h"
#include "teach/table_attr_controller.h"
#include "ui/panels.h"
#include "ui/point_cloud.h"

namespace trivolux {

using W = MeasurementRecord;

class RecTeachAppTest : public QObject {
  Q_OBJECT

  struct Rig : test::SimRig {
    Ui::RecTeachPanel& rp = panels.recTeachPanel().ui;
    RecTeachController& rec = fixture.app().recTeach();
    int measured = 0;
    Rig() { panels.teachPage().ui.ButtonTeachRecVal->click(); }
    void Frame(int x, int y, int i) {
      std::array<std::int16_t, 20> f{};
      f[W::kRed] = 1600;  // what the row colour must not come from
      f[W::kX] = static_cast<std::int16_t>(x);
      f[W::kY] = static_cast<std::int16_t>(y);
      f[W::kInt] = static_cast<std::int16_t>(i);
      sim.faults().fixedFrame = f;
    }
    // START; the k-th measurement request (from 0) is answered with
    // frames(k); STOP with the request `stopAt` (0: record until it ends).
    template <typename Frames>
    int Record(int stopAt, Frames frames) {
      int k = 0;
      frames(0);
      auto c = QObject::connect(&sim, &sim::Simulator::requestHandled, [&](quint8 order, quint16) {
        if (order != 8) return;
        ++measured;
        if (++k == stopAt) panels.mainPanel().ui.ButtonStop->click();
        frames(k);
      });
      rp.ButtonTP2Start->click();  // records until it ends
      QObject::disconnect(c);
      return k;
    }
    QPoint PixelOf(int g, const QPointF& coords) {
      QCustomPlot* plot = panels.recTeachPanel().Graph(g);
      return QPoint(static_cast<int>(plot->xAxis->coordToPixel(coords.x())),
                    static_cast<int>(plot->yAxis->coordToPixel(coords.y())));
    }
  };

 private slots:
  void recordingAppendsUntilResetAndLeavesTheLiveDisplays() {
    Rig rig;
    const auto ramp = [&](int base) { return [&, base](int k) { rig.Frame(base + k, 2 * k, 1000 + k); }; };
    QCOMPARE(rig.Record(5, ramp(100)), 5);
    QCOMPARE(rig.rp.DispTP2Counter->value(), 5);
    QCOMPARE(rig.Record(3, ramp(200)), 3);  // START, STOP, START continues the count
    const RecordedPoints& p = rig.rec.points();
    QCOMPARE(p.Count(), 8);
    QCOMPARE(p[4].v[0], 104.0);
    QCOMPARE(p[5].v[0], 200.0);
    QCOMPARE(p[7].v[2], 1002.0);
    // The displays and cursors show the newest point.
    QCOMPARE(rig.rp.DispTP2X->value(), 202);
    QCOMPARE(rig.panels.recTeachPanel().CursorPosition(2), QPointF(4, 1002));
    QCOMPARE(rig.panels.recTeachPanel().Points(0)->Count(), 8);
    // Nothing of it reached the live displays or the GO frame count.
    QCOMPARE(rig.fixture.app().live().FrameCount(), 0);
    QCOMPARE(rig.fixture.app().live().record()[W::kX], 0);

    rig.fixture.popups.confirms = {false, true};
    rig.rp.ButtonTP2Reset->click();
    QCOMPARE(p.Count(), 8);
    rig.rp.ButtonTP2Reset->click();
    QCOMPARE(rig.fixture.popups.OfKind("confirm").back().text,
             QString("Do you really want to reset the table?"));
    QCOMPARE(rig.rp.DispTP2Counter->value(), 0);
    QCOMPARE(rig.panels.recTeachPanel().Points(1)->Count(), 0);
    QCOMPARE(rig.Record(2, ramp(300)), 2);  // begins again at entry 0
    QCOMPARE(p.Count(), 2);
    QCOMPARE(p[0].v[0], 300.0);
  }

  // The graphs' axes carry the names of their titles, X/Y/INT or s/i/M, as
  // CALCULATION MODE is chosen with the keyboard.
  void axisLabelsFollowTheCalculationMode() {
    Rig rig;
    QComboBox* calc = rig.panels.parameterPage().ui.RingCalcMode;
    const auto axes = [&rig] {
      QStringList names;
      for (int g = 0; g < RecTeachPanel::kGraphs; ++g) {
        const QCustomPlot* plot = rig.panels.recTeachPanel().Graph(g);
        names << plot->xAxis->label() + "/" + plot->yAxis->label();
      }
      return names;
    };
    for (int mode : {1, 2, 3, 0}) {
      while (RingValue(calc) != mode)
        QTest::keyClick(calc, RingValue(calc) < mode ? Qt::Key_Down : Qt::Key_Up);
      QTest::mouseClick(rig.panels.teachPage().ui.ButtonTeachRecVal, Qt::LeftButton);
      const QStringList expected =
          mode % 2 ? QStringList{"s/i", "s/M", "i/M"} : QStringList{"X/Y", "X/INT", "Y/INT"};
      QCOMPARE(axes(), expected);
      QCOMPARE(rig.rp.LabelGraphXIntTP2->text(), expected[1]);
    }
  }

  void fullStoreEndsTheRecordingAtItsLastEntry() {
    Rig rig;
    for (int k = 0; k < RecordedPoints::kCapacity - 10; ++k) rig.rec.SetTP2Data();
    QCOMPARE(rig.Record(0, [&](int k) { rig.Frame(k, 0, 0); }), 10);
    QCOMPARE(rig.rec.points().Count(), RecordedPoints::kCapacity);
    QCOMPARE(rig.rec.points()[RecordedPoints::kCapacity - 1].v[0], 9.0);
    QCOMPARE(rig.rp.DispTP2Counter->value(), RecordedPoints::kCapacity);
    QCOMPARE(rig.fixture.state().RunFlag, 0);
    QCOMPARE(rig.Record(0, [](int) {}), 0);  // a START on a full store records nothing
    QVERIFY(rig.rp.ButtonTP2Start->isEnabled());
  }

  void linkFailureEndsTheRecordingAndKeepsThePoints() {
    Rig rig;
    rig.Record(0, [&](int k) {
      rig.Frame(k, k, k);
      if (k == 3) rig.sim.faults().closeOnNextRequest = true;
    });
    QCOMPARE(rig.rec.points().Count(), 3);
    QCOMPARE(rig.fixture.state().RunFlag, 0);
    QVERIFY(rig.rp.ButtonTP2Start->isEnabled());
  }

  void releasedCursorPicksTheFirstMatchAndTeachWritesIt() {
    Rig rig;
    // Point 9 has the X/Y of point 3 but its own INT; the rest lie apart.
    rig.Record(10, [&](int k) {
      if (k == 9)
        rig.Frame(130, 530, 3999);
      else
        rig.Frame(100 + 10 * k, 500 + 10 * k, 2000 + 100 * k);
    });
    QCOMPARE(rig.rec.points().Count(), 10);
    RecTeachPanel& panel = rig.panels.recTeachPanel();
    QCustomPlot* xy = panel.Graph(0);
    xy->replot();
    // Released on the X/INT graph at point 9 (unique there): picks 9.
    QCustomPlot* xInt = panel.Graph(1);
    xInt->replot();
    QTest::mousePress(xInt, Qt::LeftButton, {}, rig.PixelOf(1, {130, 3999}) + QPoint(2, 1));
    QTest::mouseRelease(xInt, Qt::LeftButton, {}, rig.PixelOf(1, {130, 3999}));
    QCOMPARE(rig.rp.DispTP2INT->value(), 3999);
    QCOMPARE(panel.CursorPosition(0), QPointF(130, 530));
    QCOMPARE(panel.CursorPosition(2), QPointF(530, 3999));
    // Released on the X/Y graph at the same place: the earlier point 3.
    QTest::mousePress(xy, Qt::LeftButton, {}, rig.PixelOf(0, {130, 530}));
    QTest::mouseRelease(xy, Qt::LeftButton, {}, rig.PixelOf(0, {130, 530}));
    QCOMPARE(rig.rp.DispTP2INT->value(), 2300);
    QCOMPARE(panel.CursorPosition(1), QPointF(130, 2300));
    // The keyboard steps through the entries from there.
    QTest::keyClick(xy, Qt::Key_Right);
    QCOMPARE(rig.rp.DispTP2X->value(), 140);
    QTest::keyClick(xy, Qt::Key_Home);
    QCOMPARE(rig.rp.DispTP2X->value(), 100);

    // CALCULATION MODE 0, BEST HIT: the point and CTO 200 into row "No.:".
    auto& t = rig.panels.teachPage().ui;
    SetRingValue(rig.panels.parameterPage().ui.RingCalcMode, 0);
    SetRingValue(rig.panels.parameterPage().ui.RingEvalMode, 1);
    t.NumNo->setValue(6);
    SetRingValue(rig.panels.tableAttrPage().ui.RingSetColor, 1);
    rig.rp.ButtonTP2Teach->click();
    QList<int> row;
    for (int c = 0; c < 4; ++c) row << CellValue(t.GridTeach, 6, c);
    QCOMPARE(row, (QList<int>{100, 500, 200, 2000}));
    // The row colour is the live one (nothing shown yet: black), not the recording's red.
    QCOMPARE(rig.fixture.app().tableAttr().RowColour(6), 0);
  }

  void cloudStampsOnlyNewPointsUntilTheViewChanges() {
    QCustomPlot plot;
    plot.resize(200, 200);
    auto* cloud = new PointCloud(&plot, Qt::red);
    plot.xAxis->setRange(0, 100);
    plot.yAxis->setRange(0, 100);
    std::vector<double> xy{50, 50, 10, 90};
    cloud->SetSource(xy.data(), 2, 0, 1);
    cloud->SetCount(1);
    plot.replot();
    cloud->SetCount(2);
    plot.replot();
    QCOMPARE(cloud->FullRedraws(), 1);
    const QImage picture = plot.toPixmap().toImage();
    for (const QPointF& at : {QPointF(50, 50), QPointF(10, 90)})
      QCOMPARE(
          picture.pixelColor(int(plot.xAxis->coordToPixel(at.x())), int(plot.yAxis->coordToPixel(at.y()))),
          QColor(Qt::red));
    QCOMPARE(cloud->Nearest(QPointF(plot.xAxis->coordToPixel(12), plot.yAxis->coordToPixel(80))), 1);
    const long long redraws = cloud->FullRedraws();
    plot.xAxis->setRange(0, 200);
    plot.replot();
    QCOMPARE(cloud->FullRedraws(), redraws + 1);
    cloud->SetCount(1);  // fewer points: the image is redrawn without the second
    plot.replot();
    QCOMPARE(cloud->FullRedraws(), redraws + 2);
  }
};

}  // namespace trivolux

QTEST_MAIN(trivolux::RecTeachAppTest)
#include "rec_teach_app_test.moc"
