// Address combo box (most-recently-used list), masked password entry and the
// message popups.
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QtTest>

#include "popup_keys.h"
#include "ui/address_combo_box.h"
#include "ui/message_dialog.h"
#include "ui/password_edit.h"
#include "ui/qt_popups.h"

using trivolux::AddressComboBox;
using trivolux::MessageDialog;
using trivolux::PasswordEdit;
using trivolux::QtPopups;

class ToolboxTest : public QObject {
  Q_OBJECT
 private slots:
  void recentListIsNewestFirstUniqueAndCapped() {
    AddressComboBox box;
    for (int i = 0; i < 12; ++i) box.AddRecent(QString("10.0.0.%1").arg(i));
    QCOMPARE(box.count(), 10);
    QCOMPARE(box.Items().first(), QString("10.0.0.11"));
    QCOMPARE(box.Items().last(), QString("10.0.0.2"));
    box.AddRecent("10.0.0.5");  // already listed: moves to the top, no duplicate
    QCOMPARE(box.count(), 10);
    QCOMPARE(box.Items().first(), QString("10.0.0.5"));
    QCOMPARE(box.Items().count("10.0.0.5"), 1);
    QCOMPARE(box.currentText(), QString("10.0.0.5"));
    box.AddRecent("   ");  // blank addresses are never listed
    QCOMPARE(box.count(), 10);
    box.AddRecent("x", 3);
    QCOMPARE(box.Items(), (QStringList{"x", "10.0.0.5", "10.0.0.11"}));
  }

  void typingDoesNotAddItems() {
    AddressComboBox box;
    box.show();
    QTest::keyClicks(box.lineEdit(), "host");
    QTest::keyClick(box.lineEdit(), Qt::Key_Return);
    QCOMPARE(box.count(), 0);
    QCOMPARE(box.currentText(), QString("host"));
  }

  void passwordIsMaskedAndLimitedTo20() {
    PasswordEdit edit;
    edit.show();
    QTest::keyClicks(&edit, "secret");
    QCOMPARE(edit.Value(), QString("secret"));
    QCOMPARE(edit.displayText(), QString("******"));
    QTest::keyClicks(&edit, "0123456789abcdefghij");
    QCOMPARE(edit.Value().size(), 20);
    QCOMPARE(edit.Value(), QString("secret0123456789abcd"));
    edit.Clear();
    QCOMPARE(edit.Value(), QString());
  }

  // A list of 64 defaulted teach rows is taller than a 768-pixel screen: it
  // scrolls inside a popup that fits, its text unchanged, the button in reach.
  void longMessagesScrollInsideAPopupThatFitsTheScreen() {
    QString text = "Following teach vectors could not be read \nand where set to default value:\n\n";
    for (int k = 0; k < 64; ++k) text += QString("TEACH VECTOR %1\n").arg(k);
    MessageDialog box("Attention!", text, {"OK"}, 0);
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    const QRect screen = box.screen()->availableGeometry();
    QVERIFY2(box.frameGeometry().height() <= screen.height(), qPrintable(QString::number(box.height())));
    QVERIFY(box.scroller()->verticalScrollBar()->maximum() > 0);
    QCOMPARE(box.textLabel()->text(), text);
    QVERIFY(box.rect().contains(box.buttons().first()->geometry()));

    MessageDialog shortBox("INFO!", "Select TAB-window.", {"OK"}, 0);
    shortBox.show();
    QVERIFY(QTest::qWaitForWindowExposed(&shortBox));
    QCOMPARE(shortBox.scroller()->verticalScrollBar()->maximum(), 0);
  }

  // The real popups, answered with the keyboard and the mouse: each opens with
  // the focus on its first (default) button, Tab walks the buttons, Enter
  // takes the focused one, and Escape gives the harmless answer.
  void popupsAnswerKeysAndClicksLikePlatformMessageBoxes_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QList<int>>("keys");
    QTest::addColumn<int>("click");
    QTest::addColumn<int>("answer");
    QTest::addColumn<QStringList>("focus");
    const QList<int> esc{Qt::Key_Escape}, enter{Qt::Key_Return}, tabSpace{Qt::Key_Tab, Qt::Key_Space};
    QTest::newRow("message: Escape") << "message" << esc << -1 << 0 << QStringList{"OK"};
    QTest::newRow("confirm: Escape is No") << "confirm" << esc << -1 << 1 << QStringList{"Yes"};
    QTest::newRow("confirm: Enter is Yes") << "confirm" << enter << -1 << 0 << QStringList{"Yes"};
    QTest::newRow("confirm: Tab Space is No") << "confirm" << tabSpace << -1 << 1 << QStringList{"Yes", "No"};
    QTest::newRow("failure: Escape is OFFLINE") << "failure" << esc << -1 << 1 << QStringList{"CLOSE"};
    QTest::newRow("failure: Enter is CLOSE") << "failure" << enter << -1 << 0 << QStringList{"CLOSE"};
    QTest::newRow("failure: Tab Space is OFFLINE")
        << "failure" << tabSpace << -1 << 1 << QStringList{"CLOSE", "OFFLINE"};
    QTest::newRow("failure: click on CLOSE") << "failure" << QList<int>{} << 0 << 0 << QStringList{"CLOSE"};
    QTest::newRow("three buttons: Tab Tab Enter")
        << "three" << QList<int>{Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Return} << -1 << 2
        << QStringList{"A", "B", "C"};
  }
  void popupsAnswerKeysAndClicksLikePlatformMessageBoxes() {
    QFETCH(QString, kind);
    QFETCH(QList<int>, keys);
    QFETCH(int, click);
    QFETCH(int, answer);
    QFETCH(QStringList, focus);
    QtPopups popups;
    const auto visit = trivolux::test::ActOnNextPopup(keys, click);
    int got = -1;
    if (kind == "message") {
      popups.Message("INFO!", "Select TAB-window.");
      got = 0;
    } else if (kind == "confirm") {
      got = popups.Confirm("ATTENTION!", "Do you really want to reset the table?") ? 0 : 1;
    } else if (kind == "failure") {
      got = popups.Generic("ATTENTION!", "text", {"CLOSE", "OFFLINE"}, 1);
    } else {
      got = popups.Generic("T", "text", {"A", "B", "C"}, 0);
    }
    QVERIFY(visit->shown);
    QCOMPARE(visit->focus, focus);
    QCOMPARE(got, answer);
  }
};

QTEST_MAIN(ToolboxTest)
#include "toolbox_test.moc"
