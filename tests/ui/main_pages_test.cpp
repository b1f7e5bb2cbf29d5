// The main tab pages: documented ring values, grid shapes and start values,
// input limits, and the COM port list.
#include <QLineEdit>
#include <QTableWidget>
#include <QtTest>

#include "ui/main_panel.h"

using namespace trivolux;

namespace {

QList<QPair<QString, int>> Items(QComboBox* ring) {
  QList<QPair<QString, int>> items;
  for (int i = 0; i < ring->count(); ++i) items.append({ring->itemText(i), ring->itemData(i).toInt()});
  return items;
}

QList<QPair<QString, int>> Indexed(const QStringList& texts) {
  QList<QPair<QString, int>> items;
  for (int i = 0; i < texts.size(); ++i) items.append({texts[i], i});
  return items;
}

}  // namespace

class MainPagesTest : public QObject {
  Q_OBJECT
 private slots:
  void ringsCarryTheDocumentedValues() {
    MainPanel main;
    const Ui::ParameterPage& p = main.ui.PageParameter->ui;
    QCOMPARE(Items(p.RingEvalMode), Indexed({"FIRST HIT", "BEST HIT", "MIN DIST", "COL2", "THD Red Green",
                                             "THD Red Blue", "THD Green Blue"}));
    QCOMPARE(Items(p.RingCalcMode),
             Indexed({"X Y INT - 2D", "s i   M - 2D", "X Y INT - 3D", "s i   M - 3D"}));
    QCOMPARE(Items(p.RingTrigger), Indexed({"CONT", "SELF", "EXT1", "EXT2", "EXT3", "TRANS", "PARA"}));
    QCOMPARE(Items(p.RingExteach), Indexed({"OFF", "ON", "STAT1", "DYN1"}));
    QCOMPARE(Items(p.RingLedMode), Indexed({"DC", "AC", "OFF", "PULSE"}));
    QCOMPARE(Items(p.RingDigOutmode), Indexed({"DIRECT LO", "BINARY", "DIRECT HI"}));
    QCOMPARE(Items(p.RingGain), Indexed({"AMP1", "AMP2", "AMP3", "AMP4", "AMP5", "AMP6", "AMP7", "AMP8"}));
    QCOMPARE(Items(p.RingPowerMode), Indexed({"STAT", "DYN"}));
    const Ui::ConnectPage& c = main.ui.PageConnect->ui;
    QCOMPARE(Items(c.RingBaudrate),
             Indexed({"9600", "19200", "38400", "57600", "115200", "230400", "460800", "921600"}));
    QCOMPARE(Items(c.RingProtocol), Indexed({"RS-232", "TCP/IP"}));
    QCOMPARE(Items(main.ui.PageRecord->ui.RingRecordMode),
             Indexed({"VALUES AT INTERVAL", "CONTINUOUS", "MANUAL", "TRIGGERED"}));
    const Ui::ScopePage& s = main.ui.PageScope->ui;
    QCOMPARE(Items(s.RingTriggerMode),
             Indexed({"SINGLE SHOT", "RISING EDGE", "FALLING EDGE", "INTERNAL C-No.0", "EXTERNAL IN0"}));
    QCOMPARE(Items(s.RingScopeRecSignal), Indexed({"RED GREEN BLUE", "X Y INT / s i M"}));
    QCOMPARE(Items(main.ui.PageTableAttr->ui.RingSetColor), Indexed({"Manually", "Automatically"}));
  }

  // The controls' start values are the parameter set read at start-up.
  void startValuesAreTheParameterDefaults() {
    MainPanel main;
    const Ui::ParameterPage& p = main.ui.PageParameter->ui;
    QCOMPARE(p.SlidePower->value(), 500);
    QCOMPARE(p.SlidePower->maximum(), 1000);
    QCOMPARE(p.RingEvalMode->currentData().toInt(), 1);
    QCOMPARE(p.RingGain->currentData().toInt(), 5);
    QCOMPARE(p.NumDynWinLo->value(), 3200);
    QCOMPARE(p.NumDynWinHi->value(), 3300);
    QCOMPARE(p.NumIntegral->maximum(), 250);
    QCOMPARE(p.NumIntlim->maximum(), 65535);
    QCOMPARE(p.NumMaxVecNo->value(), 1);
    p.SlidePower->setValue(730);
    QCOMPARE(p.DispPower->value(), 730);
    const Ui::CalibrationPage& cal = main.ui.PageCalibration->ui;
    for (QSpinBox* cf : {cal.NumCFR, cal.NumCFG, cal.NumCFB}) {
      QCOMPARE(cf->value(), 1024);
      QCOMPARE(cf->maximum(), 65535);  // any factor the sensor answers shows as it came
    }
    // Intervals below the 0.25 s minimum must be enterable: the recorder corrects them visibly.
    QVERIFY(main.ui.PageRecord->ui.NumInterval->minimum() < 0.25);
    QCOMPARE(main.ui.PageRecord->ui.NumRecVal->minimum(), 1);
  }

  void gridsHaveTheirShapeAndStartValues() {
    MainPanel main;
    QTableWidget* teach = main.ui.PageTeach->ui.GridTeach;
    QCOMPARE(teach->rowCount(), 64);
    QCOMPARE(teach->columnCount(), 6);
    QCOMPARE(teach->verticalHeaderItem(63)->text(), QString("64"));
    QCOMPARE(teach->item(63, 4)->data(Qt::DisplayRole).toInt(), 1);
    QVERIFY(!(teach->item(0, 5)->flags() & Qt::ItemIsEditable));
    QVERIFY(teach->item(0, 0)->flags() & Qt::ItemIsEditable);
    QTableWidget* groups = main.ui.PageGroupHold->ui.GridGroups;
    QCOMPARE(groups->rowCount(), 64);
    QCOMPARE(groups->columnCount(), 2);
    QCOMPARE(groups->item(10, 0)->data(Qt::DisplayRole).toInt(), 0);
    QTableWidget* hold = main.ui.PageGroupHold->ui.GridHold;
    QCOMPARE(hold->rowCount(), 65);
    QCOMPARE(hold->verticalHeaderItem(0)->text(), QString("FAIL"));
    QCOMPARE(hold->item(64, 0)->data(Qt::DisplayRole).toInt(), 10);
    QTableWidget* attr = main.ui.PageTableAttr->ui.GridTableAttr;
    QCOMPARE(attr->rowCount(), 64);
    QCOMPARE(attr->columnCount(), 2);
  }

  // Text limits count whole characters (an emoji is one) and cut a paste
  // from its end, as a length limit does; the text around it stays.
  void textLimitsCountWholeCharacters() {
    MainPanel main;
    const QString emoji = QString::fromUtf8("\xF0\x9F\x98\x80");
    QTableWidget* attr = main.ui.PageTableAttr->ui.GridTableAttr;
    QStyleOptionViewItem option;
    QWidget* editor =
        attr->itemDelegateForColumn(0)->createEditor(attr->viewport(), option, attr->model()->index(0, 0));
    auto* line = qobject_cast<QLineEdit*>(editor);
    QVERIFY(line);
    line->setText("ab");
    line->setCursorPosition(1);
    line->insert(emoji.repeated(150));  // what a paste does
    QCOMPARE(line->text(), "a" + emoji.repeated(97) + "b");
    QCOMPARE(line->cursorPosition(), 1 + 2 * 97);
    delete editor;
    // The printed scope comment keeps at most 1023 characters.
    QPlainTextEdit* comment = main.ui.PageScope->ui.TextScopeComment;
    comment->setPlainText(QString(1500, QLatin1Char('c')));
    QCOMPARE(comment->toPlainText().size(), 1023);
    comment->setPlainText(QString(1022, QLatin1Char('c')) + emoji + emoji);
    QCOMPARE(comment->toPlainText(), QString(1022, QLatin1Char('c')) + emoji);
  }

  void comPortRingAcceptsAnyNumber() {
    ConnectPage page;
    page.SelectComPort(1007);
    QCOMPARE(page.SelectedComPort(), 1007);
    const int items = page.ui.RingComPort->count();
    page.SelectComPort(1007);
    QCOMPARE(page.ui.RingComPort->count(), items);
    page.ui.RingComPort->setEditText("12");
    QCOMPARE(page.SelectedComPort(), 12);
    page.ui.RingComPort->setEditText("abc");
    QCOMPARE(page.SelectedComPort(), 0);
  }
};

QTEST_MAIN(MainPagesTest)
#include "main_pages_test.moc"
