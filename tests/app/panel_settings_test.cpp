// The panel settings file on a running program: written complete, read back
// into the panels, a foreign file ignored, and an installed program's file
// taken over into the user's directory, and the demo's settings of its own.
#include "app/panel_settings.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

#include "app/start_options.h"
#include "app_fixture.h"
#include "ini/ini_file.h"
#include "ini/ini_text.h"
#include "link/link_controller.h"
#include "sim/simulator.h"
#include "ui/panels.h"

namespace trivolux {

using test::AppFixture;

namespace {
// A settings file that only selects TCP/IP at port 0 (a connection attempt
// fails at once); everything else is missing and loads as defaults.
void WriteConnectionOnly(const QString& path) {
  IniText ini;
  ini.PutString("GENERAL INFO", "FILE TYPE:", "Panel Settings");
  ini.PutInt("COMMUNICATION SETTINGS", "COMPROTOCOL", 1);
  ini.PutString("COMMUNICATION SETTINGS", "IP ADRESS", "127.0.0.1");
  ini.PutString("COMMUNICATION SETTINGS", "PORT NUMBER", "0");
  QCOMPARE(ini.WriteToFile(path), 0);
}

QByteArray ReadAll(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QRgb CellColour(QTableWidget* grid, int row, int column) {
  return grid->item(row, column)->background().color().rgb() & 0xFFFFFF;
}
}  // namespace

class PanelSettingsTest : public QObject {
  Q_OBJECT

 private slots:
  void WrittenCompleteAndReadBack() {
    QTemporaryDir dir;
    {
      AppFixture first(dir.path());
      WriteConnectionOnly(first.Path("PanelSettings.cfg"));
      first.popups.generics = {1};
      first.Start();
      Panels& panels = first.panels();
      auto& c = panels.connectPage().ui;
      c.StrIpAdress->setEditText("10.1.2.3");
      first.link().CBF_StringIpAdress();
      c.StrIpAdress->setEditText("127.0.0.1");
      first.link().CBF_StringIpAdress();
      c.StrPortNumber->setText("10005");
      c.StrID->setText("LINE 7");
      c.RingBaudrate->setCurrentIndex(c.RingBaudrate->findData(2));
      panels.tableAttrPage().ui.GridTableAttr->item(3, 0)->setText("cream");
      panels.mainPanel().setGeometry(30, 50, 900, 600);
      panels.mainPanel().close();  // the settings are stored as the window closes
    }
    IniText ini;
    QCOMPARE(ini.ReadFromFile(dir.filePath("PanelSettings.cfg")), 0);
    QCOMPARE(ini.Sections().size(), size_t(5 + 64));
    QCOMPARE(ini.Sections().back().name, std::string("TABLE ATTR OF TEACH VECTOR 63"));
    std::int32_t colour = 0;
    QCOMPARE(ini.GetInt("TABLE ATTR OF TEACH VECTOR 15", "Row color", &colour), 1);
    QCOMPARE(colour, 0xFF0000);

    AppFixture again(dir.path());
    again.popups.generics = {1};
    again.Start();  // nobody listens on 127.0.0.1:10005: OFFLINE
    Panels& panels = again.panels();
    auto& c = panels.connectPage().ui;
    QCOMPARE(c.RingProtocol->currentData().toInt(), 1);
    QCOMPARE(c.RingBaudrate->currentData().toInt(), 2);
    QCOMPARE(c.StrIpAdress->currentText(), QStringLiteral("127.0.0.1"));
    QCOMPARE(c.StrIpAdress->Items(), (QStringList{"127.0.0.1", "10.1.2.3"}));
    QCOMPARE(c.StrPortNumber->text(), QStringLiteral("10005"));
    QCOMPARE(c.StrID->text(), QStringLiteral("LINE 7"));
    QCOMPARE(panels.recordPage().ui.DispRecID->text(), QStringLiteral("LINE 7"));
    QCOMPARE(panels.bigColourPanel().ui.DispBigColourId->text(), QStringLiteral("LINE 7"));
    QCOMPARE(panels.tableAttrPage().ui.GridTableAttr->item(3, 0)->text(), QStringLiteral("cream"));
    QCOMPARE(CellColour(panels.teachPage().ui.GridTeach, 15, 5), 0xFF0000u);
    QCOMPARE(CellColour(panels.groupHoldPage().ui.GridHold, 6, 1), 0xFFFF00u);
    QCOMPARE(panels.mainPanel().size(), QSize(900, 600));
    QCOMPARE(panels.recordPage().ui.DispRecFile->text(), dir.filePath("RecordFile.dat"));
  }

  // Two demo runs: settings of their own, pointed at the simulator on every
  // start. A port typed wrong and stored on closing does not keep the next
  // run from connecting, and the user's settings beside the program stay.
  void DemoConnectsWhateverTheLastRunStored() {
    sim::Simulator simulator;
    const quint16 port = simulator.ListenTcp();
    QVERIFY(port != 0);
    QTemporaryDir programDir;
    QTemporaryDir demoDir;
    const QString users = QDir(programDir.path()).filePath("PanelSettings.cfg");
    WriteConnectionOnly(users);
    const QByteArray usersBytes = ReadAll(users);
    const StartOptions demo = ParseStartOptions({"trivolux-scope", "--settings-dir", demoDir.path() + "/new",
                                                 "--sensor", "127.0.0.1:" + QString::number(port)});
    for (int run = 1; run <= 2; ++run) {
      AppFixture fixture(programDir.path());
      QVERIFY(ApplyStartOptions(fixture.app(), demo));
      fixture.Start();
      QVERIFY2(fixture.state().SensorConnected == 1, qPrintable(fixture.Messages()));
      QLineEdit* portField = fixture.panels().connectPage().ui.StrPortNumber;
      portField->selectAll();
      QTest::keyClicks(portField, "1");
      fixture.panels().mainPanel().close();
      IniText stored;
      QVERIFY(stored.ReadFromFile(demoDir.filePath("new/PanelSettings.cfg")) >= 0);
      std::string storedPort;
      QCOMPARE(stored.GetString("COMMUNICATION SETTINGS", "PORT NUMBER", 31, &storedPort), 1);
      QCOMPARE(storedPort, std::string("1"));
    }
    QCOMPARE(ReadAll(users), usersBytes);
  }

  // Only the loading steps run: a foreign file leaves the built-in defaults,
  // whose RS-232 COM1 must not be opened by a test.
  void ForeignFileIsIgnored() {
    AppFixture fixture;
    IniText foreign;
    foreign.PutString("GENERAL INFO", "FILE TYPE:", "Parameter");
    foreign.PutString("GENERAL INFO", "PANEL ID:", "FOREIGN");
    foreign.PutInt("COMMUNICATION SETTINGS", "COMPROTOCOL", 1);
    foreign.PutString("COMMUNICATION SETTINGS", "PORT NUMBER", "0");
    foreign.PutInt("TABLE ATTR OF TEACH VECTOR 0", "Row color", 0x123456);
    QCOMPARE(foreign.WriteToFile(fixture.Path("PanelSettings.cfg")), 0);
    fixture.settings().LoadPanelSettings();
    fixture.settings().GetConnectionSettingsFromFile();
    auto& c = fixture.panels().connectPage().ui;
    QCOMPARE(c.RingProtocol->currentData().toInt(), 0);
    QCOMPARE(c.StrPortNumber->text(), QStringLiteral("10001"));
    QVERIFY(c.StrID->text().isEmpty());
    QCOMPARE(CellColour(fixture.panels().tableAttrPage().ui.GridTableAttr, 0, 1), 0xFF0000u);
  }

  // An installed program: the first start takes the settings installed in
  // the program directory, every store goes to the user's directory, and
  // later starts read the user's own file.
  void InstalledSettingsAreTakenOverIntoTheUserDirectory() {
    QTemporaryDir program, config, documents;
    const auto location = ResolveSettingsLocation(program.path(), config.filePath("cfg"), documents.path(),
                                                  [&](const QString& d) { return d != program.path(); });
    IniText installed;
    installed.PutString("GENERAL INFO", "FILE TYPE:", "Panel Settings");
    installed.PutString("GENERAL INFO", "PANEL ID:", "INSTALLED");
    installed.PutInt("COMMUNICATION SETTINGS", "COMPROTOCOL", 1);
    QCOMPARE(installed.WriteToFile(program.filePath("PanelSettings.cfg")), 0);
    {
      AppFixture fixture(program.path());
      fixture.settings().SetLocation(location);
      fixture.settings().LoadPanelSettings();
      fixture.settings().GetConnectionSettingsFromFile();
      auto& c = fixture.panels().connectPage().ui;
      QCOMPARE(c.StrID->text(), QStringLiteral("INSTALLED"));
      QCOMPARE(c.RingProtocol->currentData().toInt(), 1);
      QCOMPARE(fixture.panels().recordPage().ui.DispRecFile->text(), documents.filePath("RecordFile.dat"));
      c.StrID->setText("MINE");
      fixture.settings().StorePanelSettings();
    }
    QVERIFY(QFile::exists(config.filePath("cfg/PanelSettings.cfg")));
    IniText stillInstalled;
    QCOMPARE(stillInstalled.ReadFromFile(program.filePath("PanelSettings.cfg")), 0);
    QCOMPARE(stillInstalled.ToText(), installed.ToText());

    AppFixture later(program.path());
    later.settings().SetLocation(location);
    later.settings().LoadPanelSettings();
    QCOMPARE(later.panels().connectPage().ui.StrID->text(), QStringLiteral("MINE"));
  }
  // Texts written by the Windows program in its code page (0xFC is u-umlaut)
  // come back with the same bytes after a start and an exit; UTF-8 stays UTF-8.
  void CodePageTextsSurviveAStartAndAnExit() {
    AppFixture fixture;
    IniText ini;
    ini.PutString("GENERAL INFO", "FILE TYPE:", "Panel Settings");
    ini.PutString("GENERAL INFO", "PANEL ID:", "M\xFCller");
    ini.PutString("TABLE ATTR OF TEACH VECTOR 3", "Row specification", "gr\xFCn");
    ini.PutString("TABLE ATTR OF TEACH VECTOR 4", "Row specification", "bl\xC3\xBC");
    QCOMPARE(ini.WriteToFile(fixture.Path("PanelSettings.cfg")), 0);
    fixture.settings().LoadPanelSettings();
    QCOMPARE(fixture.panels().connectPage().ui.StrID->text(), QString::fromUtf8("M\xC3\xBCller"));
    QTableWidget* grid = fixture.panels().tableAttrPage().ui.GridTableAttr;
    QCOMPARE(grid->item(3, 0)->text(), QString::fromUtf8("gr\xC3\xBCn"));
    QCOMPARE(grid->item(4, 0)->text(), QString::fromUtf8("bl\xC3\xBC"));
    fixture.settings().StorePanelSettings();

    QFile file(fixture.Path("PanelSettings.cfg"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QVERIFY(bytes.contains("PANEL ID: = \"M\xFCller\""));
    QVERIFY(bytes.contains("Row specification = \"gr\xFCn\""));
    QVERIFY(bytes.contains("Row specification = \"bl\xC3\xBC\""));
    QVERIFY(!bytes.contains("\xEF\xBF\xBD"));
  }

  // A settings file far beyond any real one is refused unread, with a message
  // naming it; the program starts with its defaults.
  void HugeSettingsFileIsRefusedWithAMessage() {
    AppFixture fixture;
    QFile file(fixture.Path("PanelSettings.cfg"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    QVERIFY(file.resize(kIniMaxFileSize + 1));
    file.close();
    fixture.settings().LoadPanelSettings();
    const auto messages = fixture.popups.OfKind("message");
    QCOMPARE(messages.size(), size_t(1));
    QVERIFY(messages[0].text.contains(fixture.Path("PanelSettings.cfg")));
    QVERIFY(fixture.panels().connectPage().ui.StrID->text().isEmpty());
  }

  // Temporaries of killed saves go at start-up; a young one may be a second
  // instance's save in progress and stays.
  void StartRemovesStaleTemporariesOnly() {
    AppFixture fixture;
    const QString stale = fixture.Path("ini$$Ab12Cd"), young = fixture.Path("ini$$Xy34Zw");
    for (const QString& path : {stale, young}) {
      QFile f(path);
      QVERIFY(f.open(QIODevice::WriteOnly));
      f.write("partial");
    }
    QFile old(stale);
    QVERIFY(old.open(QIODevice::ReadWrite));
    QVERIFY(old.setFileTime(QDateTime::currentDateTime().addSecs(-120), QFileDevice::FileModificationTime));
    old.close();
    fixture.StartOffline();
    QVERIFY(!QFile::exists(stale));
    QVERIFY(QFile::exists(young));
  }
};

}  // namespace trivolux

QTEST_MAIN(trivolux::PanelSettingsTest)
#include "panel_settings_test.moc"
