// The connect page against a scripted TCP sensor: start-up connection and
// identification, every failure path with its popup (also the real one,
// answered with keys), the offline state,
// the server closing, and the connect-page rules.
#include "link/link_controller.h"

#include <QComboBox>
#include <QtTest>

#include "app/panel_settings.h"
#include "app/panel_settings_file.h"
#include "app_fixture.h"
#include "base/shared_state.h"
#include "fake_peer.h"
#include "ini/ini_text.h"
#include "link/link_texts.h"
#include "link/orders.h"
#include "popup_keys.h"
#include "sim/simulator.h"
#include "ui/panels.h"
#include "ui/qt_popups.h"

namespace trivolux {

using test::AnswerFrame;
using test::FakePeer;

namespace {
QByteArray IdentAnswer(const char* text, std::uint16_t serial) {
  return AnswerFrame(order::kIdentify, serial, QByteArray(text).leftJustified(72, '\0', true));
}
// An accepted sensor: its identification, then the three blocks of the
// parameter set that the connection check reads right after it.
void EnqueueAcceptedSensor(FakePeer& peer, const char* text, std::uint16_t serial) {
  peer.Enqueue({IdentAnswer(text, serial)});
  peer.Enqueue({AnswerFrame(order::kReadBlock, 0, QByteArray(34, '\0'))});
  peer.Enqueue({AnswerFrame(order::kReadBlock, 2, QByteArray(512, '\0'))});
  peer.Enqueue({AnswerFrame(order::kReadBlock, 3, QByteArray(512, '\0'))});
}
const QString kCouldNot =
    QStringLiteral("Could not establish connection! \nClose window or work in offline mode!");
}  // namespace

class LinkControllerTest : public QObject {
  Q_OBJECT

  // The program with settings selecting TCP/IP at host:port; tests start it.
  struct Rig {
    test::AppFixture fixture;
    test::ScriptedPopups& popups = fixture.popups;
    Panels& panels = fixture.panels();
    SharedState& state = fixture.state();
    Rig(const QString& host, const QString& port) { fixture.SeedTcp(host, port); }
    void Start() { fixture.Start(); }
    LinkController& link() { return fixture.link(); }
    QString Messages() { return fixture.Messages(); }
    std::vector<test::PopupRecord> Generics() { return popups.OfKind("generic"); }
    // Settings selecting the pseudo-terminal device at 115200 bit/s.
    void SeedSerial(const QString& device) {
      PanelSettings serial = DefaultPanelSettings(fixture.ProgramDir());
      serial.connection.comProtocol = 0;
      serial.connection.comPort = ComPortNumberForDevice(device);
      serial.connection.baudrateIndex = 4;
      IniText ini;
      WritePanelSettings(serial, ini);
      QCOMPARE(ini.WriteToFile(fixture.settings().Location().settingsPath), 0);
    }
  };

 private slots:
  void IdentifiesTheSensorAtStartUp() {
    FakePeer peer;
    EnqueueAcceptedSensor(peer, "TRIVOLUX VR V1.2.0  LINE 4", 65535);
    Rig rig("127.0.0.1", QString::number(peer.Port()));
    rig.Start();
    QCOMPARE(rig.state.SensorConnected, 1);
    QCOMPARE(rig.state.TcpConnected, 1);
    QCOMPARE(rig.link().StatusText(), QStringLiteral("TRIVOLUX VR V1.2 LINE 4"));
    QCOMPARE(rig.link().StatusToolTip(), QStringLiteral("TRIVOLUX VR V1.2.0  LINE 4"));
    QCOMPARE(rig.Messages(),
             QStringLiteral("TRY TO CONNECT!\nTRIVOLUX VR V1.2 LINE 4\nSERIAL NUMBER: 65535\n\n"));
    const auto& c = rig.panels.connectPage().ui;
    QVERIFY(c.ButtonAccept->isEnabled());
    QVERIFY(c.ButtonChangeBaudrate->isEnabled());
    QVERIFY(c.ButtonGenHwInfoFile->isEnabled());
    QVERIFY(rig.panels.mainPanel().ui.ButtonGo->isEnabled());
    QVERIFY(rig.popups.record.empty());
    QCOMPARE(peer.requests.at(0).toHex(' '), QByteArray("55 07 00 00 00 00 aa 52"));
    // The connection check reads the parameter set right after identifying the sensor.
    QCOMPARE(int(peer.requests.size()), 4);
    QCOMPARE(peer.requests.at(1).left(4).toHex(' '), QByteArray("55 02 00 00"));
    QCOMPARE(peer.requests.at(3).left(4).toHex(' '), QByteArray("55 02 03 00"));
  }

  void VersionMismatchOffersOfflineWithTheFirstTwoFields() {
    FakePeer peer;
    peer.Enqueue({IdentAnswer("TRIVOLUX VR V1.3.0 SIM", 17)});
    Rig rig("127.0.0.1", QString::number(peer.Port()));
    rig.popups.generics = {1};  // OFFLINE
    rig.Start();
    QCOMPARE(rig.Generics().size(), size_t(1));
    const auto popup = rig.Generics()[0];
    QCOMPARE(popup.title, QStringLiteral("ATTENTION!"));
    QCOMPARE(popup.buttons, (QStringList{"CLOSE", "OFFLINE"}));
    QCOMPARE(popup.text,
             QStringLiteral("Sensor firmware and scope version do not match! \nFirmware of connected "
                            "sensor is: TRIVOLUX VR V1.3\nThe serial number is: 17\n\nClose window "
                            "or work in offline mode!"));
    // Offline: parameter transfers go to files.
    QCOMPARE(rig.state.SensorConnected, 0);
    QCOMPARE(rig.state.QuitRequested, false);
    QVERIFY(rig.state.MemorySelection == Memory::File);
    const auto& m = rig.panels.mainPanel().ui;
    QVERIFY(m.ButtonFile->isChecked());
    QVERIFY(!m.ButtonRam->isChecked());
    QVERIFY(m.ButtonSend->isEnabled());
    QVERIFY(m.ButtonGet->isEnabled());
    QVERIFY(!m.ButtonGo->isEnabled());
    QVERIFY(rig.panels.connectPage().ui.ButtonTryToConnect->isEnabled());
    QVERIFY(!rig.panels.connectPage().ui.ButtonAccept->isEnabled());
    QCOMPARE(rig.link().StatusText(), QStringLiteral("NO SENSOR CONNECTED!"));
    QVERIFY(rig.Messages().endsWith("NO SENSOR CONNECTED!\n\n"));
  }

  void CloseEndsTheProgramDuringStartUp() {
    FakePeer peer;
    peer.Enqueue({AnswerFrame(order::kError, 1)});
    Rig rig("127.0.0.1", QString::number(peer.Port()));
    rig.Start();  // the unscripted popup answers CLOSE
    QVERIFY(rig.state.QuitRequested);
    QCOMPARE(rig.Generics().size(), size_t(1));
    QCOMPARE(rig.Generics()[0].text, kCouldNot);
    QVERIFY(rig.Messages().contains(
        QStringLiteral("INVALIDE ORDER NUMBER!\nVERIFY PC AND SENSOR SOFTWARE!\n\n")));
  }

  // The failure popup as the program shows it, answered with keys and clicks:
  // Escape and Tab + Space go offline and keep the program with an unsent
  // edit; Enter and a click on CLOSE end it.
  void FailurePopupAnswersTheUsersKeys_data() {
    QTest::addColumn<QList<int>>("keys");
    QTest::addColumn<int>("click");
    QTest::addColumn<bool>("ends");
    QTest::newRow("Escape") << QList<int>{Qt::Key_Escape} << -1 << false;
    QTest::newRow("Tab Space") << QList<int>{Qt::Key_Tab, Qt::Key_Space} << -1 << false;
    QTest::newRow("Enter") << QList<int>{Qt::Key_Return} << -1 << true;
    QTest::newRow("click on CLOSE") << QList<int>{} << 0 << true;
  }
  void FailurePopupAnswersTheUsersKeys() {
    QFETCH(QList<int>, keys);
    QFETCH(int, click);
    QFETCH(bool, ends);
    QtPopups shown;
    test::AppFixture fixture({}, &shown);
    fixture.SeedTcp(0);  // port 0 fails at once
    auto visit = test::ActOnNextPopup({Qt::Key_Escape});
    fixture.Start();
    QVERIFY(visit->shown);
    QVERIFY(!fixture.state().QuitRequested);
    // Offline, the user edits a parameter that is not sent yet.
    fixture.panels().mainPanel().show();
    QSpinBox* integral = fixture.panels().parameterPage().ui.NumIntegral;
    integral->selectAll();
    QTest::keyClicks(integral, "17");
    QTest::keyClick(integral, Qt::Key_Return);
    QCOMPARE(integral->value(), 17);

    visit = test::ActOnNextPopup(keys, click);
    fixture.panels().ShowMainPage(MainPanel::kConnectPage);
    QTest::mouseClick(fixture.panels().connectPage().ui.ButtonTryToConnect, Qt::LeftButton);
    QVERIFY(visit->shown);
    QCOMPARE(visit->focus.first(), QStringLiteral("CLOSE"));
    QCOMPARE(fixture.state().QuitRequested, ends);
    if (ends) return;
    QCOMPARE(fixture.state().SensorConnected, 0);
    QVERIFY(fixture.state().MemorySelection == Memory::File);
    QCOMPARE(fixture.link().StatusText(), QStringLiteral("NO SENSOR CONNECTED!"));
    QCOMPARE(integral->value(), 17);
  }

  void OpenFailuresShowTheirTextThenThePopup_data() {
    QTest::addColumn<QString>("host");
    QTest::addColumn<QString>("port");
    QTest::addColumn<QStringList>("texts");
    const QStringList refusedOrGone{"FailedToConnect"};
    QTest::newRow("port abc") << "127.0.0.1"
                              << "abc" << QStringList{"InvalidParameter"};
    QTest::newRow("port 99999") << "127.0.0.1"
                                << "99999" << QStringList{"InvalidParameter"};
    QTest::newRow("unresolvable") << "no-such-host.invalid"
                                  << "10001" << QStringList{"UnableToEstablishConnection", "TimeOutError"};
  }
  void OpenFailuresShowTheirTextThenThePopup() {
    QFETCH(QString, host);
    QFETCH(QString, port);
    QFETCH(QStringList, texts);
    Rig rig(host, port);
    rig.popups.generics = {1};
    rig.Start();
    bool shown = false;
    for (const QString& t : texts) shown |= rig.Messages().contains("TRY TO CONNECT!\n" + t + "\n\n");
    QVERIFY2(shown, qPrintable(rig.Messages()));
    QCOMPARE(rig.Generics().size(), size_t(1));
    QCOMPARE(rig.Generics()[0].text, kCouldNot);
    QCOMPARE(rig.state.SensorConnected, 0);
    QVERIFY(!rig.state.QuitRequested);
  }

  void RefusedConnectionAndSilentSensor() {
    quint16 freePort = 0;
    {
      QTcpServer probe;
      QVERIFY(probe.listen(QHostAddress::LocalHost, 0));
      freePort = probe.serverPort();
    }
    Rig refused("127.0.0.1", QString::number(freePort));
    refused.popups.generics = {1};
    refused.Start();
    QVERIFY(refused.Messages().contains("FailedToConnect\n\n"));

    FakePeer peer;
    peer.Enqueue({{}, 1, 0, false, true});
    Rig silent("127.0.0.1", QString::number(peer.Port()));
    silent.popups.generics = {1};
    silent.Start();
    QVERIFY(silent.Messages().contains(QString(link_text::kTimeout) + "\n\n"));
    QCOMPARE(silent.Generics().size(), size_t(1));
    QCOMPARE(silent.Generics()[0].text, kCouldNot);
  }

  void ServerClosingOutsideAnExchangeDropsTheConnection() {
    FakePeer peer;
    EnqueueAcceptedSensor(peer, "TRIVOLUX VR V1.2.0 A", 1);
    Rig rig("127.0.0.1", QString::number(peer.Port()));
    rig.Start();
    QCOMPARE(rig.state.SensorConnected, 1);
    rig.panels.mainPanel().ui.TabMain->setCurrentIndex(MainPanel::kTeachPage);
    peer.CloseClient();
    QTRY_VERIFY_WITH_TIMEOUT(rig.Messages().endsWith("SERVER HAS CLOSED CONNECTION!\n\n"), 5000);
    QCOMPARE(rig.state.SensorConnected, 0);
    QCOMPARE(rig.state.TcpConnected, 0);
    QCOMPARE(rig.link().StatusText(), QStringLiteral("TIMEOUT!"));
    QCOMPARE(rig.panels.mainPanel().ui.TabMain->currentIndex(), int(MainPanel::kConnectPage));
    QVERIFY(!rig.panels.connectPage().ui.ButtonAccept->isEnabled());
    QVERIFY(!rig.panels.connectPage().ui.ButtonChangeBaudrate->isEnabled());
    // TRY TO CONNECT works again once the server is back.
    EnqueueAcceptedSensor(peer, "TRIVOLUX VR V1.2.0 A", 1);
    rig.panels.connectPage().ui.ButtonTryToConnect->click();
    QCOMPARE(rig.state.SensorConnected, 1);
    QVERIFY(rig.panels.connectPage().ui.ButtonAccept->isEnabled());
  }

  void ChangedSettingsNeedANewConnection() {
    FakePeer peer;
    EnqueueAcceptedSensor(peer, "TRIVOLUX VR V1.2.0 A", 1);
    Rig rig("127.0.0.1", QString::number(peer.Port()));
    rig.Start();
    auto& c = rig.panels.connectPage().ui;
    rig.link().CBF_EditSelectBaudrate();
    QVERIFY(!c.ButtonAccept->isEnabled());
    QVERIFY(c.ButtonChangeBaudrate->isEnabled());
    QVERIFY(c.ButtonGenHwInfoFile->isEnabled());
    rig.link().CBF_EditCommunicationProtocol();
    QVERIFY(!c.ButtonChangeBaudrate->isEnabled());
    QVERIFY(!c.ButtonGenHwInfoFile->isEnabled());
  }

  void AddressListKeepsTenNewestWithoutDuplicates() {
    Rig rig("127.0.0.1", "1");
    QComboBox* box = rig.panels.connectPage().ui.StrIpAdress;
    for (int i = 1; i <= 11; ++i) {
      box->setEditText(QStringLiteral("host%1").arg(i));
      rig.link().CBF_StringIpAdress();
    }
    QCOMPARE(box->count(), 10);
    QCOMPARE(box->itemText(0), QStringLiteral("host11"));
    QCOMPARE(box->itemText(9), QStringLiteral("host2"));
    box->setEditText("host5");
    rig.link().CBF_StringIpAdress();
    QCOMPARE(box->count(), 10);
    QCOMPARE(box->itemText(0), QStringLiteral("host5"));
    QCOMPARE(box->findText("host5"), 0);
    QCOMPARE(box->itemText(1), QStringLiteral("host11"));
    QCOMPARE(box->currentText(), QStringLiteral("host5"));
  }

  void BaudChangeOverThePseudoTerminal() {
    sim::SimOptions options;
    options.serial = 65535;
    options.lineRate = true;
    options.baudIndex = 4;
    sim::Simulator simulator(options);
    const QString device = simulator.OpenPty();
    QVERIFY(!device.isEmpty());
    Rig rig("127.0.0.1", "1");
    rig.SeedSerial(device);
    rig.Start();
    QCOMPARE(rig.state.SensorConnected, 1);
    QCOMPARE(rig.link().StatusText(), QStringLiteral("TRIVOLUX VR V1.2 SIMULATOR"));
    QVERIFY(rig.Messages().endsWith("\nSERIAL NUMBER: 65535\n\n"));
    auto& c = rig.panels.connectPage().ui;
    QVERIFY(c.ButtonChangeBaudrate->isVisibleTo(&rig.panels.connectPage()));

    // A lost answer to order 190 leaves both sides at the old rate.
    simulator.faults().dropAnswerNth = 1;
    c.RingBaudrate->setCurrentIndex(c.RingBaudrate->findData(3));
    c.ButtonChangeBaudrate->click();
    QVERIFY(rig.Messages().endsWith(QString("TRY TO CHANGE BAUDRATE!\n") + link_text::kTimeout + "\n\n"));
    QCOMPARE(rig.link().serial().CurrentBaudRate(), 115200);
    QCOMPARE(rig.state.SensorConnected, 0);

    rig.panels.connectPage().ui.ButtonTryToConnect->click();
    QCOMPARE(rig.state.SensorConnected, 1);
    c.ButtonChangeBaudrate->setEnabled(true);
    c.ButtonChangeBaudrate->click();
    QCOMPARE(simulator.BaudIndex(), 3);
    QCOMPARE(rig.link().serial().CurrentBaudRate(), 57600);
    QCOMPARE(rig.state.SensorConnected, 1);
    QVERIFY(rig.Messages().contains("TRY TO CHANGE BAUDRATE!\nSUCCESS!\nTRY TO CONNECT!\n"));
    QVERIFY(rig.Messages().endsWith("ATTENTION!!!   CONFIRM NEW BAUDRATE WITH EEPROM AND SEND!\n\n"));
    QVERIFY(c.ButtonAccept->isEnabled());
    QVERIFY(rig.panels.mainPanel().ui.ButtonGo->isEnabled());
  }

  // The program ended during a triggered recording and left the sensor
  // sending on its own; the next start must still find it, behind all the
  // frames that wait in the line (the simulator holds more once the
  // terminal's buffer is full).
  void ASensorLeftSendingOnItsOwnIsIdentifiedAtTheNextStart() {
    sim::SimOptions options;
    options.triggerPeriodMs = 2;
    sim::Simulator simulator(options);
    const QString device = simulator.OpenPty();
    QVERIFY(!device.isEmpty());
    {
      QFile line(device);
      QVERIFY(line.open(QIODevice::ReadWrite | QIODevice::Unbuffered));
      const QByteArray start = test::AnswerFrame(order::kAutoSend, 1);
      QCOMPARE(line.write(start), start.size());
      QTRY_VERIFY(simulator.AutoSending());
    }
    QTRY_VERIFY(simulator.Backlog().output > 0);
    Rig rig("127.0.0.1", "1");
    rig.SeedSerial(device);
    rig.Start();
    QVERIFY(rig.Generics().empty());
    QCOMPARE(rig.state.SensorConnected, 1);
    QCOMPARE(rig.link().StatusText(), QStringLiteral("TRIVOLUX VR V1.2 SIMULATOR"));
    QVERIFY(!simulator.AutoSending());
  }

  void SplitAnswersAndClosingDuringAnExchangeOverTcp() {
    sim::Simulator simulator;
    simulator.faults().splitPieces = 5;
    simulator.faults().splitPauseMs = 30;
    Rig rig("127.0.0.1", QString::number(simulator.ListenTcp()));
    rig.Start();
    QCOMPARE(rig.state.SensorConnected, 1);
    simulator.faults() = sim::Faults{};
    simulator.faults().closeOnNextRequest = true;
    QCOMPARE(rig.link().link().Exchange(order::kMeasure, 0), -1);
    QVERIFY(rig.Messages().endsWith("SERVER HAS CLOSED CONNECTION!\n\n"));
    QCOMPARE(rig.Messages().count("SERVER HAS CLOSED CONNECTION!"), 1);
    QVERIFY(!rig.Messages().contains(link_text::kTimeout));
  }

  void PortStringsTakeTheirLeadingDigits() {
    QCOMPARE(LinkController::LeadingNumber("10001"), 10001);
    QCOMPARE(LinkController::LeadingNumber("80abc"), 80);
    QCOMPARE(LinkController::LeadingNumber("abc"), 0);
    QCOMPARE(LinkController::LeadingNumber(" 80"), 0);
    QVERIFY(LinkController::LeadingNumber("99999999999999999999") > 65535);
  }
};

}  // namespace trivolux

QTEST_MAIN(trivolux::LinkControllerTest)
#include "link_controller_test.moc"
