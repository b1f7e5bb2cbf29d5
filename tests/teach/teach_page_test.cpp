// The teach page against the simulator: TEACH DATA TO in the hit and the
// threshold modes, RESET TABLE, and the selection commands of the grid menu.
#include <QtTest>

#include "app/scope_app.h"
#include "app_fixture.h"
#include "base/shared_state.h"
#include "live/live_controller.h"
#include "params/panel_access.h"
#include "params/param_controller.h"
#include "sim/simulator.h"
#include "sim_rig.h"
#include "teach/colour_planes.h"
#include "teach/teach_grid_menu.h"
#include "teach/teach_table_controller.h"
#include "ui/panels.h"
#include "user_input.h"

namespace trivolux {

using W = MeasurementRecord;

class TeachPageTest : public QObject {
  Q_OBJECT

  struct Rig : test::SimRig {
    Ui::TeachPage& teach = panels.teachPage().ui;
    // One GO frame of these words.
    void Measure(std::initializer_list<std::pair<int, int>> words) {
      std::array<std::int16_t, 20> f{};
      for (auto [w, v] : words) f[static_cast<std::size_t>(w)] = static_cast<std::int16_t>(v);
      sim.faults().fixedFrame = f;
      auto c = QObject::connect(&sim, &sim::Simulator::requestHandled, [this](quint8 order, quint16) {
        if (order == 8) fixture.state().RunFlag = 0;
      });
      panels.mainPanel().ui.ButtonGo->click();
      QObject::disconnect(c);
    }
    QList<int> Row(int row) {
      QList<int> cells;
      for (int c = 0; c < 5; ++c) cells << CellValue(teach.GridTeach, row, c);
      return cells;
    }
    void Modes(int calc, int eval, int power) {
      auto& p = panels.parameterPage().ui;
      SetRingValue(p.RingCalcMode, calc);
      SetRingValue(p.RingEvalMode, eval);
      SetRingValue(p.RingPowerMode, power);
    }
  };

 private slots:
  void teachDataToWritesValuesAndDefaultTolerances() {
    Rig rig;
    rig.Modes(0, 2, 1);  // MIN DIST, DYN
    rig.Measure({{W::kX, 1000}, {W::kY, 1200}, {W::kInt, 2000}, {W::kRed, 32}});
    rig.teach.NumNo->setValue(62);
    rig.teach.SwitchAutoInc->setChecked(true);
    rig.teach.ButtonTeachDataTo->click();
    QCOMPARE(rig.Row(62), (QList<int>{1000, 1200, 40, 2000, 100}));
    QCOMPARE(rig.teach.NumNo->value(), 63);
    QCOMPARE(rig.fixture.params().para().table[62][2], std::uint16_t(40));  // the model follows
    rig.teach.ButtonTeachDataTo->click();
    QCOMPARE(rig.teach.NumNo->value(), 63);  // stays at the last row

    // Teach tolerance off: only the values change.
    rig.fixture.teachGridMenu().teachTolOffAction()->trigger();
    QVERIFY(rig.fixture.teachGridMenu().teachTolOnAction()->isEnabled());
    rig.Measure({{W::kX, 7}, {W::kY, 8}, {W::kInt, 9}});
    rig.teach.ButtonTeachDataTo->click();
    QCOMPARE(rig.Row(63), (QList<int>{7, 8, 40, 9, 100}));
    // The taught region is drawn at once.
    const QCPItemEllipse* e =
        rig.fixture.app().colourPlanes().Outline(rig.panels.dataPanel().ui.GraphXY2D, 62);
    QCOMPARE(e->topLeft->coords(), QPointF(960, 1240));
  }

  void typedCellsRedrawTheirRowAtOnce() {
    Rig rig;
    rig.Modes(0, 2, 1);  // MIN DIST: a circle of radius CTO around X/Y
    rig.panels.mainPanel().show();
    rig.panels.mainPanel().ui.TabMain->setCurrentWidget(&rig.panels.teachPage());
    for (auto [column, text] : {std::pair{0, "1500"}, {1, "700"}, {2, "40"}})
      QVERIFY(test::TypeIntoCell(rig.teach.GridTeach, 0, column, text));
    const QCPItemEllipse* e =
        rig.fixture.app().colourPlanes().Outline(rig.panels.dataPanel().ui.GraphXY2D, 0);
    QTRY_COMPARE(e->topLeft->coords(), QPointF(1460, 740));
    QCOMPARE(rig.fixture.params().para().table[0][1], std::uint16_t(700));
  }

  void thresholdModesTeachTwoChannelsAndStillColourTheRow() {
    Rig rig;
    rig.Modes(0, 5, 0);  // THD Red Blue
    rig.panels.tableAttrPage().ui.RingSetColor->setCurrentIndex(1);
    rig.Measure({{W::kRed, 1600}, {W::kGreen, 32}, {W::kBlue, 480}, {W::kX, 5}});
    const QList<int> row7 = rig.Row(7);
    rig.teach.NumNo->setValue(7);
    rig.teach.ButtonTeachDataTo->click();
    QCOMPARE(CellValue(rig.teach.GridTeach, 0, 0), 1600);
    QCOMPARE(CellValue(rig.teach.GridTeach, 1, 0), 480);
    QCOMPARE(rig.Row(7), row7);
    QCOMPARE(rig.teach.NumNo->value(), 7);
    QCOMPARE(rig.teach.GridTeach->item(7, 5)->background().color().rgb() & 0xFFFFFF, 0x64021Eu);
  }

  void resetTableAsksFirst() {
    Rig rig;
    rig.teach.NumNo->setValue(5);
    SetCellValue(rig.teach.GridTeach, 3, 3, 777);
    rig.fixture.popups.confirms.push_back(false);
    rig.teach.ButtonResetTable->click();
    QCOMPARE(CellValue(rig.teach.GridTeach, 3, 3), 777);
    rig.fixture.popups.confirms.push_back(true);
    rig.teach.ButtonResetTable->click();
    QCOMPARE(rig.Row(3), (QList<int>{1, 1, 1, 1, 1}));
    QCOMPARE(rig.teach.NumNo->value(), 0);
    QVERIFY(!rig.fixture.app().colourPlanes().Band()->visible());
  }

  void selectionCommands() {
    Rig rig;
    QTableWidget* grid = rig.teach.GridTeach;
    TeachGridMenu& menu = rig.fixture.teachGridMenu();
    auto select = [grid](int top, int left, int bottom, int right) {
      grid->clearSelection();
      grid->setRangeSelected(QTableWidgetSelectionRange(top, left, bottom, right), true);
    };
    SetCellValue(grid, 10, 1, 10);
    select(10, 1, 11, 3);
    rig.fixture.popups.prompts.push_back(QString("5"));
    menu.incrementSelectionWithAction()->trigger();
    QCOMPARE(rig.Row(10).mid(1, 3), (QList<int>{10, 15, 20}));
    QCOMPARE(rig.Row(11).mid(1, 3), (QList<int>{25, 30, 35}));
    QCOMPARE(rig.fixture.params().para().table[11][3], std::uint16_t(35));

    select(10, 1, 10, 2);
    rig.fixture.popups.prompts.push_back(QString("-20"));
    menu.incrementSelectionWithAction()->trigger();
    QCOMPARE(rig.Row(10).mid(1, 2), (QList<int>{10, 65526}));

    // A cancelled or non-numeric answer changes nothing.
    rig.fixture.popups.prompts.push_back(std::nullopt);
    rig.fixture.popups.prompts.push_back(QString("12abc"));
    menu.setSelectionToAction()->trigger();
    menu.setSelectionToAction()->trigger();
    QCOMPARE(rig.Row(10).mid(1, 2), (QList<int>{10, 65526}));

    // The colour column is not editable: skipped, and no prompt when it is the corner.
    select(20, 4, 20, 5);
    rig.fixture.popups.prompts.push_back(QString("1234567890"));  // cut to 9 characters
    menu.setSelectionToAction()->trigger();
    QCOMPARE(CellValue(grid, 20, 4), 65535);
    select(20, 5, 20, 5);
    const auto before = rig.fixture.popups.record.size();
    menu.incrementSelectionWithAction()->trigger();
    QCOMPARE(rig.fixture.popups.record.size(), before);

    select(10, 1, 11, 3);
    menu.resetSelectionAction()->trigger();
    QCOMPARE(rig.Row(11).mid(1, 3), (QList<int>{1, 1, 1}));
  }
};

}  // namespace trivolux

QTEST_MAIN(trivolux::TeachPageTest)
#include "teach_page_test.moc"
