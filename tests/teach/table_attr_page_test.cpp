// The table-attributes page: the row-colour mode, SET ROW COLOR, DEFAULT
// COLORS, and the table-attributes file written and read back.
#include <QFile>
#include <QLineEdit>
#include <QtTest>

#include "app/scope_app.h"
#include "app_fixture.h"
#include "ini/ini_text.h"
#include "teach/table_attr_controller.h"
#include "ui/panels.h"

namespace trivolux {

class TableAttrPageTest : public QObject {
  Q_OBJECT

  struct Rig {
    test::AppFixture fixture;
    Panels& panels;
    Ui::TableAttrPage& page;
    test::ScriptedPopups& popups = fixture.popups;
    Rig() : panels((fixture.StartOffline(), fixture.panels())), page(panels.tableAttrPage().ui) {}
    QRgb Colour(int row) { return page.GridTableAttr->item(row, 1)->background().color().rgb() & 0xFFFFFF; }
    QString Spec(int row) { return page.GridTableAttr->item(row, 0)->text(); }
    QString LastMessage() {
      for (auto it = popups.record.rbegin(); it != popups.record.rend(); ++it)
        if (it->kind == "message") return it->title + "|" + it->text;
      return {};
    }
  };

 private slots:
  void modeDimsTheManualControlsAndShowsTheSwatch() {
    Rig rig;
    rig.page.RingSetColor->setCurrentIndex(1);
    QVERIFY(!rig.page.ButtonSetRowColor->isEnabled());
    QVERIFY(!rig.page.NumRow->isEnabled());
    QVERIFY(rig.panels.dataPanel().ui.SwatchColour->isVisibleTo(&rig.panels.dataPanel()));
    rig.page.RingSetColor->setCurrentIndex(0);
    QVERIFY(rig.page.RingRowColor->isEnabled());
    QVERIFY(!rig.panels.dataPanel().ui.SwatchColour->isVisibleTo(&rig.panels.dataPanel()));
  }

  void savedFileLoadsBackAfterDefaultColours() {
    Rig rig;
    rig.page.NumRow->setValue(15);
    rig.page.RingRowColor->setCurrentIndex(2);  // BLUE
    rig.page.ButtonSetRowColor->click();
    QCOMPARE(rig.Colour(15), 0x0000FFu);
    QCOMPARE(rig.panels.teachPage().ui.GridTeach->item(15, 5)->background().color().rgb() & 0xFFFFFF,
             0x0000FFu);
    rig.page.GridTableAttr->item(3, 0)->setText("light blue cap");
    const QString path = rig.fixture.Path("attrs.ini");
    rig.popups.files.push_back({FileSelect::New, path});
    rig.page.ButtonSaveArray->click();
    QVERIFY(QFile::exists(path));

    rig.popups.confirms.push_back(false);
    rig.page.ButtonTableAttrReset->click();
    QCOMPARE(rig.Colour(15), 0x0000FFu);
    rig.popups.confirms.push_back(true);
    rig.page.ButtonTableAttrReset->click();
    QCOMPARE(rig.Colour(15), 0xFF0000u);
    QCOMPARE(rig.Spec(3), QString());

    rig.popups.files.push_back({FileSelect::Existing, path});
    rig.page.ButtonGetArray->click();
    QCOMPARE(rig.Colour(15), 0x0000FFu);
    QCOMPARE(rig.Spec(3), QString("light blue cap"));
    QCOMPARE(rig.fixture.app().tableAttr().File(), path);
  }

  void unreadableColoursAndForeignFiles() {
    Rig rig;
    IniText ini;
    ini.PutString("GENERAL INFO", "FILE TYPE:", "Parameter File");
    ini.PutString("GENERAL INFO", "SCOPE VERSION:", "TRIVOLUX VR Scope V1.2");
    for (int k = 0; k < 64; ++k) {
      const std::string section = "TABLE ATTR OF TEACH VECTOR " + std::to_string(k);
      if (k != 5) ini.PutInt(section, "Row color", 0x123456);
    }
    const QString path = rig.fixture.Path("foreign.ini");
    QCOMPARE(ini.WriteToFile(path), 0);

    rig.popups.files.push_back({FileSelect::Existing, path});
    rig.popups.confirms.push_back(false);
    rig.page.ButtonGetArray->click();
    QCOMPARE(rig.LastMessage(), QString("ATTENTION!|No parameter where read!"));
    QCOMPARE(rig.Colour(0), 0xFF0000u);

    rig.popups.files.push_back({FileSelect::Existing, path});
    rig.popups.confirms.push_back(true);
    rig.page.ButtonGetArray->click();
    QCOMPARE(rig.Colour(0), 0x123456u);
    QCOMPARE(rig.Colour(5), 0xFFFF00u);  // its default
    QVERIFY(rig.LastMessage().startsWith("Attention!|Following teach vectors could not be read"));
    QVERIFY(rig.LastMessage().endsWith("\n\nTABLE ATTR OF TEACH VECTOR 5\n"));
  }

  // Specifications written by another program come back byte for byte after
  // LOAD and SAVE: code-page text with its own bytes, UTF-8 as UTF-8; a long
  // one is cut to 99 whole characters (bytes of a code page, code points of
  // UTF-8, never half an emoji).
  void specificationsKeepTheirBytesThroughLoadAndSave() {
    Rig rig;
    const std::string emoji = "\xF0\x9F\x98\x80";
    std::string emojis;
    for (int i = 0; i < 120; ++i) emojis += emoji;
    const struct {
      int row;
      std::string file, saved;
    } cases[] = {
        {3, "gr\xFCn", "gr\xFCn"},
        {4, "bl\xC3\xBC", "bl\xC3\xBC"},
        {5, std::string(120, '\xE9'), std::string(99, '\xE9')},
        {6, emojis, emojis.substr(0, 99 * emoji.size())},
    };
    IniText ini;
    ini.PutString("GENERAL INFO", "FILE TYPE:", "Table Attributes");
    ini.PutString("GENERAL INFO", "SCOPE VERSION:", "TRIVOLUX VR Scope V1.2");
    for (const auto& c : cases)
      ini.PutString("TABLE ATTR OF TEACH VECTOR " + std::to_string(c.row), "Row specification", c.file);
    const QString foreign = rig.fixture.Path("foreign.ini");
    QCOMPARE(ini.WriteToFile(foreign), 0);
    rig.popups.files.push_back({FileSelect::Existing, foreign});
    QTest::mouseClick(rig.page.ButtonGetArray, Qt::LeftButton);
    QCOMPARE(rig.Spec(3), QString::fromUtf8("gr\xC3\xBCn"));
    QCOMPARE(rig.Spec(6).size(), 2 * 99);

    const QString saved = rig.fixture.Path("saved.ini");
    rig.popups.files.push_back({FileSelect::New, saved});
    QTest::mouseClick(rig.page.ButtonSaveArray, Qt::LeftButton);
    IniText back;
    QCOMPARE(back.ReadFromFile(saved), 0);
    for (const auto& c : cases) {
      std::string spec;
      back.GetString("TABLE ATTR OF TEACH VECTOR " + std::to_string(c.row), "Row specification", 4096, &spec);
      QCOMPARE(QByteArray::fromStdString(spec), QByteArray::fromStdString(c.saved));
    }
  }

  // The cell editor counts whole characters: an emoji typed as the 99th
  // character is kept whole, a 100th character is refused.
  void specificationEditorTakes99WholeCharacters() {
    Rig rig;
    rig.panels.ShowMainPage(MainPanel::kTableAttrPage);
    QTableWidget* grid = rig.page.GridTableAttr;
    grid->setFocus();
    grid->setCurrentCell(2, 0);
    QTest::keyClick(grid, Qt::Key_F2);
    auto* editor = grid->viewport()->findChild<QLineEdit*>();
    QVERIFY(editor);
    const QString emoji = QString::fromUtf8("\xF0\x9F\x98\x80");
    QTest::keyClicks(editor, QString(98, 'a'));
    QTest::sendKeyEvent(QTest::Click, editor, Qt::Key_unknown, emoji, Qt::NoModifier);
    QTest::keyClicks(editor, "z");
    QTest::sendKeyEvent(QTest::Click, editor, Qt::Key_unknown, emoji, Qt::NoModifier);
    QTest::keyClick(editor, Qt::Key_Return);
    QTRY_COMPARE(rig.Spec(2), QString(98, 'a') + emoji);
  }

  void aFailedSaveIsReportedWithItsPath() {
    Rig rig;
    const QString path = rig.fixture.Path("missing-dir/attrs.ini");
    rig.popups.files.push_back({FileSelect::New, path});
    rig.page.ButtonSaveArray->click();
    QVERIFY(rig.LastMessage().startsWith("ATTENTION!|The table attributes file could not be written:"));
    QVERIFY(rig.LastMessage().contains("missing-dir/attrs.ini"));
    rig.page.ButtonSaveArray->click();  // no file chosen
    QCOMPARE(rig.LastMessage(), QString("ATTENTION!|No file was selected!"));
  }
};

}  // namespace trivolux

QTEST_MAIN(trivolux::TableAttrPageTest)
#include "table_attr_page_test.moc"
