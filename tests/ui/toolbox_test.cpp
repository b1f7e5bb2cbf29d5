// Address combo box (most-recently-used list) and masked password entry.
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QtTest>

#include "ui/address_combo_box.h"
#include "ui/message_dialog.h"
#include "ui/password_edit.h"

using trivolux::AddressComboBox;
using trivolux::MessageDialog;
using trivolux::PasswordEdit;

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

  void popupButtonsAnswerWithTheirIndexAndEscapeWithItsOwn() {
    MessageDialog box("ATTENTION!", "text", {"CLOSE", "OFFLINE"}, 0);
    box.show();
    box.buttons()[1]->click();
    QCOMPARE(box.ClickedIndex(), 1);
    MessageDialog confirm("ATTENTION!", "text", {"Yes", "No"}, 1);
    confirm.show();
    QTest::keyClick(&confirm, Qt::Key_Escape);
    QCOMPARE(confirm.ClickedIndex(), 1);
    MessageDialog enter("ATTENTION!", "text", {"Yes", "No"}, 1);
    enter.show();
    QTest::keyClick(enter.buttons()[0], Qt::Key_Return);
    QCOMPARE(enter.ClickedIndex(), 0);
  }
};

QTEST_MAIN(ToolboxTest)
#include "toolbox_test.moc"
