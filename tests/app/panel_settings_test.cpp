// The panel settings file on a running program: written complete after a
// start without a file, read back into the panels, and kept in the user's
// directories when the program directory is not writable.
#include "app/panel_settings.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

#include "app/scope_app.h"
#include "ini/ini_text.h"
#include "link/link_controller.h"
#include "scripted_popups.h"

namespace trivolux {

class PanelSettingsTest : public QObject {
  Q_OBJECT

  // A program without a sensor (TCP/IP port 0 fails at once, OFFLINE chosen).
  struct Rig {
    test::ScriptedPopups popups;
    ScopeApp app;
    Rig(const QString& programDir, const SettingsLocation& location) : app(popups, programDir) {
      app.panelSettings().SetLocation(location);
      popups.generics = {1, 1};
    }
  };

 private slots:
  void WrittenCompleteAndReadBack() {
    QTemporaryDir dir;
    const SettingsLocation location{dir.filePath("PanelSettings.cfg"), dir.path()};
    {
      Rig rig(dir.path(), location);
      rig.app.InitAll();  // no file: defaults (RS-232 COM1) and a failed attempt
      auto& c = rig.app.connectPage().ui;
      c.RingProtocol->setCurrentIndex(c.RingProtocol->findData(1));
      c.StrIpAdress->setEditText("10.1.2.3");
      rig.app.linkController().CBF_StringIpAdress();
      c.StrIpAdress->setEditText("127.0.0.1");
      rig.app.linkController().CBF_StringIpAdress();
      c.StrPortNumber->setText("10005");
      c.StrID->setText("LINE 7");
      c.RingBaudrate->setCurrentIndex(c.RingBaudrate->findData(2));
      rig.app.tableAttrPage().ui.GridTableAttr->item(3, 0)->setText("cream");
      rig.app.mainPanel().setGeometry(30, 50, 900, 600);
      rig.app.CBF_MAINP_Close();
    }
    IniText ini;
    QCOMPARE(ini.ReadFromFile(location.settingsPath), 0);
    QCOMPARE(ini.Sections().size(), size_t(5 + 64));
    QCOMPARE(ini.Sections().back().name, std::string("TABLE ATTR OF TEACH VECTOR 63"));
    std::int32_t colour = 0;
    QCOMPARE(ini.GetInt("TABLE ATTR OF TEACH VECTOR 15", "Row color", &colour), 1);
    QCOMPARE(colour, 0xFF0000);

    Rig again(dir.path(), location);
    again.popups.generics = {1};
    again.app.InitAll();  // nobody listens on 127.0.0.1:10005: OFFLINE
    auto& c = again.app.connectPage().ui;
    QCOMPARE(c.RingProtocol->currentData().toInt(), 1);
    QCOMPARE(c.RingBaudrate->currentData().toInt(), 2);
    QCOMPARE(c.StrIpAdress->currentText(), QStringLiteral("127.0.0.1"));
    QCOMPARE(c.StrIpAdress->count(), 2);
    QCOMPARE(c.StrIpAdress->itemText(0), QStringLiteral("127.0.0.1"));
    QCOMPARE(c.StrIpAdress->itemText(1), QStringLiteral("10.1.2.3"));
    QCOMPARE(c.StrPortNumber->text(), QStringLiteral("10005"));
    QCOMPARE(c.StrID->text(), QStringLiteral("LINE 7"));
    QCOMPARE(again.app.recordPage().ui.DispRecID->text(), QStringLiteral("LINE 7"));
    QCOMPARE(again.app.tableAttrPage().ui.GridTableAttr->item(3, 0)->text(), QStringLiteral("cream"));
    QCOMPARE(again.app.teachPage().ui.GridTeach->item(15, 5)->background().color().rgb() & 0xFFFFFF,
             0xFF0000u);
    QCOMPARE(again.app.groupHoldPage().ui.GridHold->item(6, 1)->background().color().rgb() & 0xFFFFFF,
             0xFFFF00u);
    QCOMPARE(again.app.mainPanel().size(), QSize(900, 600));
    QCOMPARE(again.app.recordPage().ui.DispRecFile->text(), dir.filePath("RecordFile.dat"));
  }

  void ForeignFileIsIgnored() {
    QTemporaryDir dir;
    const SettingsLocation location{dir.filePath("PanelSettings.cfg"), dir.path()};
    IniText foreign;
    foreign.PutString("GENERAL INFO", "FILE TYPE:", "Parameter");
    foreign.PutString("GENERAL INFO", "PANEL ID:", "FOREIGN");
    foreign.PutInt("COMMUNICATION SETTINGS", "COMPROTOCOL", 1);
    foreign.PutString("COMMUNICATION SETTINGS", "PORT NUMBER", "0");
    foreign.PutInt("TABLE ATTR OF TEACH VECTOR 0", "Row color", 0x123456);
    QCOMPARE(foreign.WriteToFile(location.settingsPath), 0);
    Rig rig(dir.path(), location);
    rig.popups.generics = {1};
    rig.app.InitAll();
    auto& c = rig.app.connectPage().ui;
    QCOMPARE(c.RingProtocol->currentData().toInt(), 0);
    QCOMPARE(c.StrPortNumber->text(), QStringLiteral("10001"));
    QVERIFY(c.StrID->text().isEmpty());
    QCOMPARE(rig.app.tableAttrPage().ui.GridTableAttr->item(0, 1)->background().color().rgb() & 0xFFFFFF,
             0xFF0000u);
  }

  void UnwritableProgramDirectoryUsesTheUserDirectories() {
    QTemporaryDir program, config, documents;
    const auto location = ResolveSettingsLocation(program.path(), config.filePath("cfg"), documents.path(),
                                                  [&](const QString& d) { return d != program.path(); });
    Rig rig(program.path(), location);
    rig.app.InitAll();
    QCOMPARE(rig.app.panelSettingsPath(), config.filePath("cfg/PanelSettings.cfg"));
    QCOMPARE(rig.app.recordPage().ui.DispRecFile->text(), documents.filePath("RecordFile.dat"));
    rig.app.StorePanelSettings();
    QVERIFY(QFile::exists(config.filePath("cfg/PanelSettings.cfg")));
    QVERIFY(!QFile::exists(program.filePath("PanelSettings.cfg")));
  }
};

}  // namespace trivolux

QTEST_MAIN(trivolux::PanelSettingsTest)
#include "panel_settings_test.moc"
