// Child and popup panels: controls, kinds, ranges, ring values and grids as
// the other subsystems expect them.
#include <QtTest>

#include "qcustomplot.h"
#include "ui/big_colour_panel.h"
#include "ui/big_group_panel.h"
#include "ui/data_panel.h"
#include "ui/graph_panel.h"
#include "ui/led_indicator.h"
#include "ui/mean_teach_panel.h"
#include "ui/panel_setup.h"
#include "ui/password_panel.h"
#include "ui/rec_teach_panel.h"
#include "ui/scope_graph_panel.h"

using namespace trivolux;

namespace {

QString CbfOf(const QWidget* w) {
  return w->property("cbf").toString();
}

QStringList ItemTexts(const QComboBox* ring) {
  QStringList texts;
  for (int i = 0; i < ring->count(); ++i) texts << ring->itemText(i);
  return texts;
}

void CheckRingIsSequential(const QComboBox* ring) {
  for (int i = 0; i < ring->count(); ++i) QCOMPARE(ring->itemData(i).toInt(), i);
}

void CheckGridOfZeros(const QTableWidget* grid, int rows, int cols) {
  QCOMPARE(grid->rowCount(), rows);
  QCOMPARE(grid->columnCount(), cols);
  for (int r = 0; r < rows; ++r) {
    for (int c = 0; c < cols; ++c) {
      const QTableWidgetItem* item = grid->item(r, c);
      QVERIFY2(item, qPrintable(QString("%1 cell %2,%3").arg(grid->objectName()).arg(r).arg(c)));
      QCOMPARE(item->data(Qt::DisplayRole).typeId(), QMetaType::Int);
      QCOMPARE(item->data(Qt::DisplayRole).toInt(), 0);
    }
  }
}

}  // namespace

class PanelsTest : public QObject {
  Q_OBJECT
 private slots:
  void dataPanelHasItsDisplaysAndFourGraphPages() {
    DataPanel p;
    QCOMPARE(p.ui.TabDataP1->count(), 4);
    QCOMPARE(p.ui.TabDataP1->currentIndex(), int(DataPanel::kPage3D));
    QCOMPARE(CbfOf(p.ui.TabDataP1), QString("CBF_TabDataP1"));
    // Measurement words are signed 16-bit; displays must show -1 and 255.
    for (QSpinBox* d : {p.ui.DispRED, p.ui.DispX, p.ui.DispDeltaC, p.ui.DispCOL, p.ui.DispGroup,
                        p.ui.DispMinMaxBlue2, p.ui.DispRed2}) {
      QVERIFY(d->isReadOnly());
      QCOMPARE(d->minimum(), -32768);
      QCOMPARE(d->maximum(), 32767);
    }
    QVERIFY(p.ui.DispStatus->isReadOnly());
    QCOMPARE(CbfOf(p.ui.DispCOL), QString("CBF_DispCOL"));
    QCOMPARE(CbfOf(p.ui.ChartRGB), QString("CBF_GraphRGB"));
    QCOMPARE(CbfOf(p.ui.ChartINT), QString("CBF_GraphINT1"));
    QCOMPARE(CbfOf(p.ui.ButtonShowGraph), QString("CBF_ButtonShowGraph"));
    QCOMPARE(p.ui.ChartRGB->graphCount(), 3);
    QVERIFY(p.ui.SwatchColour->autoFillBackground());
    QVERIFY(p.cursorXY2D && p.cursorINT2D && p.cursorXY3D && p.cursorXINT3D && p.cursorYINT3D);
  }

  void captionsFollowTheirControls() {
    DataPanel p;
    p.show();
    p.ui.DispIpAddress->hide();
    p.ui.LedOut0->hide();
    QVERIFY(p.ui.LabelIpAddress->isHidden());
    QVERIFY(p.ui.LabelOut0->isHidden());
    QVERIFY(!p.ui.LabelComPort->isHidden());
    // Hiding the whole panel is not hiding a control: captions keep their state.
    p.hide();
    p.show();
    QVERIFY(!p.ui.LabelComPort->isHidden());
    QVERIFY(p.ui.LabelIpAddress->isHidden());
    p.ui.DispIpAddress->show();
    QVERIFY(!p.ui.LabelIpAddress->isHidden());

    MeanTeachPanel m;
    m.ui.RingTP1TeachItoWith->setVisible(false);
    QVERIFY(m.ui.LabelTP1TeachItoWith->isHidden());
  }

  void graphPanelShowsOneSignalAndMapsUnknownToRed() {
    GraphPanel p;
    QCOMPARE(ItemTexts(p.ui.RingSignal), (QStringList{"RED", "GREEN", "BLUE", "X", "Y", "INT", "TEMP"}));
    CheckRingIsSequential(p.ui.RingSignal);
    QCOMPARE(p.GraphOf(6), p.ui.GraphTEMP);
    QCOMPARE(p.GraphOf(7), p.ui.GraphRed);
    QCOMPARE(p.GraphOf(-1), p.ui.GraphRed);
    QCOMPARE(GraphPanel::ColourOf(5), 0x008080u);
    QCOMPARE(GraphPanel::ColourOf(9), 0xFF0000u);
    int visible = 0;
    for (int s = 0; s < GraphPanel::kSignals; ++s) visible += p.GraphOf(s)->isVisibleTo(&p) ? 1 : 0;
    QCOMPARE(visible, 1);
    QCOMPARE(p.ui.DispGpCounter->maximum(), 65535);
  }

  void meanTeachPanelGridsRingsAndFields() {
    MeanTeachPanel p;
    CheckGridOfZeros(p.ui.GridTP1Values, 100, 6);
    CheckGridOfZeros(p.ui.GridTP1Mean, 1, 6);
    QCOMPARE(p.ui.GridTP1Values->verticalHeaderItem(99)->text(), QString("100"));
    QCOMPARE(p.ui.DispTP1Counter->maximum(), 100);
    QCOMPARE(ItemTexts(p.ui.RingTP1TeachCtoWith),
             (QStringList{"VALUE CTO", "d (X/Y)", "d (X/Y)+VALUE CTO", "KEEP ROW VALUE"}));
    QCOMPARE(ItemTexts(p.ui.RingTP1TeachItoWith),
             (QStringList{"VALUE ITO", "d INT", "d INT+VALUE ITO", "KEEP ROW VALUE"}));
    CheckRingIsSequential(p.ui.RingTP1TeachCtoWith);
    CheckRingIsSequential(p.ui.RingTP1TeachItoWith);
    QCOMPARE(p.ui.NumTP1ValueCto->maximum(), 65535);
    QCOMPARE(p.ui.NumTP1ValueIto->minimum(), 0);
    QCOMPARE(CbfOf(p.ui.ButtonCloseTeachPanel), QString("CBF_ButtonCloseTeachPanel"));
  }

  void recTeachPanelHasThreeCursorGraphs() {
    RecTeachPanel p;
    for (int g = 0; g < RecTeachPanel::kGraphs; ++g) QVERIFY(p.Graph(g) && p.Points(g) && p.Cursor(g));
    QCOMPARE(CbfOf(p.Graph(1)), QString("CBF_GraphXIntTP2"));
    QCOMPARE(p.ui.DispTP2Counter->maximum(), 60000);
    QCOMPARE(CbfOf(p.ui.ButtonTP2Start), QString("CBF_ButtonTP2Start"));
  }

  void scopeGraphPanelRingAndRanges() {
    ScopeGraphPanel p;
    QCOMPARE(ItemTexts(p.ui.RingScopeSignal), (QStringList{"ALL", "RED", "GREEN", "BLUE"}));
    CheckRingIsSequential(p.ui.RingScopeSignal);
    QCOMPARE(p.ui.GraphScope->xAxis->range().upper, 128.0);
    QCOMPARE(p.ui.GraphScope->yAxis->range().upper, 4100.0);
    QVERIFY(p.ui.DispDeltaX->isReadOnly());
    QCOMPARE(CbfOf(p.ui.ButtonZoom11), QString("CBF_ButtonZoom11"));
  }

  void bigDisplaysCloseOnRightClickAnywhere() {
    BigColourPanel colour;
    colour.show();
    QVERIFY(QTest::qWaitForWindowExposed(&colour));
    QTest::mouseClick(colour.ui.DispBigColour, Qt::LeftButton);
    QVERIFY(colour.isVisible());
    // On the inner line edit of the spin box, not only on the panel itself.
    QTest::mouseClick(colour.ui.DispBigColour->findChild<QLineEdit*>(), Qt::RightButton);
    QVERIFY(!colour.isVisible());

    BigGroupPanel group;
    group.show();
    QVERIFY(QTest::qWaitForWindowExposed(&group));
    QTest::mouseClick(&group, Qt::RightButton, {}, QPoint(2, 2));
    QVERIFY(!group.isVisible());
  }

  // Rings are known by their type, whatever their name; values already given stay.
  void ringValuesGoToEveryComboBoxItemWithoutOne() {
    QWidget root;
    auto* unnamed = new QComboBox(&root);
    unnamed->addItems({"a", "b"});
    auto* colours = new QComboBox(&root);
    colours->addItem("RED", 0xFF0000);
    colours->addItem("plain");
    AssignRingIndexValues(&root);
    CheckRingIsSequential(unnamed);
    QCOMPARE(colours->itemData(0).toInt(), 0xFF0000);
    QCOMPARE(colours->itemData(1).toInt(), 1);
  }

  void passwordPanelHoldsAMaskedEntry() {
    PasswordPanel p;
    QCOMPARE(p.ui.StrEnterPW->maxLength(), 20);
    QCOMPARE(p.ui.StrEnterPW->echoMode(), QLineEdit::Password);
  }
};

QTEST_MAIN(PanelsTest)
#include "panels_test.moc"
