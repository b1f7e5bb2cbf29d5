// Address combo box (most-recently-used list) and masked password entry.
#include <QtTest>

#include "ui/address_combo_box.h"
#include "ui/password_edit.h"

using trivolux::AddressComboBox;
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
};

QTEST_MAIN(ToolboxTest)
#include "toolbox_test.moc"
