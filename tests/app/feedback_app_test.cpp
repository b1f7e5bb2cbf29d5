// The program's running feedback against the simulator: the connection line
// of the status strip, the stale marker after a lost link, the frame rate of
// GO, the line every transfer leaves, the marker of unsent edits and the
// question before they would be replaced, and the hover help.
#include <QTabBar>
#include <QTabWidget>
#include <QTcpServer>
#include <QWindow>
#include <QtTest>
#include <functional>

#include "app/scope_app.h"
#include "app_fixture.h"
#include "base/help_catalogue.h"
#include "base/shared_state.h"
#include "base/version.h"
#include "link/link_controller.h"
#include "live/live_controller.h"
#include "params/panel_access.h"
#include "params/param_controller.h"
#include "params/parameter_set.h"
#include "record/record_controller.h"
#include "sim/simulator.h"
#include "sim_rig.h"
#include "ui/panels.h"
#include "user_input.h"

namespace trivolux {

namespace {

QString Help(const char* callback) {
  return QString::fromUtf8(FindHelp(QString::fromLatin1(callback))->text);
}

// The tool tip a control shows when the mouse rests on it.
QString HoverText(QWidget* control) {
  QHelpEvent hover(QEvent::ToolTip, QPoint(2, 2), control->mapToGlobal(QPoint(2, 2)));
  QApplication::sendEvent(control, &hover);
  return control->toolTip();
}

const QColor kGrey(0x98, 0x98, 0x98);

}  // namespace

class FeedbackAppTest : public QObject {
  Q_OBJECT

  struct Rig : test::SimRig {
    StatusStrip& strip = panels.statusStrip();
    bool startAsked = false;  // start-up put a question
    Rig() {
      startAsked = !fixture.popups.OfKind("confirm").empty();
      fixture.popups.Clear();
    }
    void SaveParameterFile() {
      fixture.popups.files.push_back({FileSelect::New, fixture.Path("P.ini")});
      main().ButtonSend->click();
    }
    Ui::MainPanel& main() { return panels.mainPanel().ui; }
    QTableWidget* teachGrid() { return panels.teachPage().ui.GridTeach; }
    // GO until onFrame(n) (after the simulator's n-th measurement) returns true.
    void GoUntil(const std::function<bool(int)>& onFrame) {
      int n = 0;
      auto c = QObject::connect(&sim, &sim::Simulator::requestHandled, [&](quint8 order, quint16) {
        if (order == 8 && (onFrame(++n) || n == 200000)) state.RunFlag = 0;
      });
      main().ButtonGo->click();
      QObject::disconnect(c);
    }
    // GO, and the sensor stops answering at the second frame.
    void LoseLinkDuringGo() {
      fixture.link().link().SetTimeouts(std::chrono::milliseconds(300), std::chrono::milliseconds(300));
      GoUntil([&](int n) {
        if (n == 2) sim.faults().dropAnswerNth = 1;
        return false;
      });
    }
    // Shows the teach page and types the first cell's value + 11; returns the
    // value it had (-1 when typing failed).
    int EditTeachCell() {
      main().TabMain->setCurrentWidget(&panels.teachPage());
      const int sensorValue = CellValue(teachGrid(), 0, 0);
      if (!test::TypeIntoCell(teachGrid(), 0, 0, QString::number(sensorValue + 11))) return -1;
      return sensorValue;
    }
    bool EditShown() {
      return panels.mainPanel().UnsentEditsShown() && panels.mainPanel().isWindowModified() &&
             panels.mainPanel().windowHandle()->title() == QLatin1String(kProgramTitle) + "*";
    }
  };

 private slots:
  void connectionLineNamesTheStateAndTheReason() {
    {
      Rig rig;
      const QString connected = QStringLiteral("CONNECTED: %1, TCP/IP 127.0.0.1:%2")
                                    .arg(rig.fixture.link().StatusText())
                                    .arg(rig.port);
      QCOMPARE(rig.strip.LinkText(), connected);
      QCOMPARE(rig.strip.LampColour(), QColor(0x00, 0xC0, 0x00));
      // The sensor stops answering during GO: the status line keeps its
      // documented text, the strip says what happened.
      rig.LoseLinkDuringGo();
      QCOMPARE(rig.fixture.link().StatusText(), QString("TIMEOUT!"));
      QCOMPARE(
          rig.strip.LinkText(),
          QStringLiteral("NOT CONNECTED: no answer from the sensor (TCP/IP 127.0.0.1:%1)").arg(rig.port));
      QCOMPARE(rig.strip.LampColour(), QColor(0xE0, 0x00, 0x00));
    }
    // Nobody listens on the port: refused, then OFFLINE (the popup's second button).
    QTcpServer closed;
    QVERIFY(closed.listen(QHostAddress::LocalHost));
    const quint16 port = closed.serverPort();
    closed.close();
    test::AppFixture fixture;
    fixture.SeedTcp(port);
    fixture.popups.generics.push_back(1);
    fixture.Start();
    QVERIFY(fixture.Messages().contains("FailedToConnect"));
    QCOMPARE(fixture.panels().statusStrip().LinkText(),
             QString("OFFLINE after connection refused: parameters go to and from files"));
    QVERIFY(!fixture.panels().statusStrip().LampColour().isValid());
  }

  void staleMarkerAfterALinkLossUntilTheNextFrame() {
    Rig rig;
    auto& d = rig.panels.dataPanel();
    rig.LoseLinkDuringGo();
    QVERIFY(rig.fixture.app().live().DisplaysStale());
    QVERIFY2(d.StaleMarker().startsWith("STALE: link lost at "), qPrintable(d.StaleMarker()));
    QVERIFY(!d.findChild<QLabel*>("LabelStale")->isHidden());
    for (QSpinBox* display : {d.ui.DispX, d.ui.DispRed2, rig.panels.calibrationPage().ui.DispRawRed})
      QCOMPARE(display->palette().color(QPalette::Text), kGrey);
    const qint64 greyedKey = d.ui.DispX->palette().cacheKey();
    // GO again: the first frame that arrives makes the displays current.
    rig.GoUntil([&](int) { return true; });
    QVERIFY(!rig.fixture.app().live().DisplaysStale());
    QCOMPARE(d.StaleMarker(), QString());
    QVERIFY(d.ui.DispX->palette().color(QPalette::Text) != kGrey);
    // A second loss greys with the very same palette: one built anew at every
    // loss added the displays' faces to the style's pixmap cache each time.
    rig.LoseLinkDuringGo();
    QCOMPARE(d.ui.DispX->palette().cacheKey(), greyedKey);
    // A reconnection gives X and Y their mode's colours while they are grey;
    // each time, they must come back with the same palette.
    QList<qint64> shown;
    for (int round = 0; round < 2; ++round) {
      rig.panels.connectPage().ui.ButtonTryToConnect->click();
      rig.GoUntil([&](int) { return true; });
      shown << d.ui.DispX->palette().cacheKey();
      rig.LoseLinkDuringGo();
    }
    QCOMPARE(shown[0], shown[1]);
  }

  void frameRateWhileGoRunsAndTheReasonOfTheDimmedButtons() {
    Rig rig;
    QString rate;
    QString tryToConnect;
    rig.GoUntil([&](int) {
      rate = rig.strip.FrameRate();
      if (rate.isEmpty()) return false;
      tryToConnect = HoverText(rig.panels.connectPage().ui.ButtonTryToConnect);
      return true;
    });
    QVERIFY2(QRegularExpression("^GO [0-9.]+ frames/s$").match(rate).hasMatch(), qPrintable(rate));
    QCOMPARE(tryToConnect, Help("CBF_ButtonTryToConnect") + "\n\nDimmed: GO is running.");
    QCOMPARE(rig.strip.FrameRate(), QString());
    QCOMPARE(HoverText(rig.panels.connectPage().ui.ButtonTryToConnect), Help("CBF_ButtonTryToConnect"));
  }

  void everyTransferLeavesOneLine() {
    const struct {
      const char* name;
      std::function<void(Rig&)> act;
      QString start;
      QString end;
    } cases[] = {
        {"SEND RAM", [](Rig& r) { r.main().ButtonSend->click(); }, "SEND ParaSet 0 to RAM: done in ",
         " ms, sensor: all values plausible"},
        {"SEND EEPROM, implausible",
         [](Rig& r) {
           r.sim.faults().implausibleCount = 2;
           r.main().ButtonEeprom->click();
           r.main().ButtonSend->click();
         },
         "SEND ParaSet 0 to EEPROM: done in ",
         " ms, sensor: 6 values failed the plausibility check and set to default"},
        {"GET EEPROM",
         [](Rig& r) {
           r.main().ButtonEeprom->click();
           r.main().ButtonGet->click();
         },
         "GET ParaSet 0 from EEPROM: done in ", " ms, sensor: all values plausible"},
        {"SEND set 1 RAM",
         [](Rig& r) {
           // The sets are chosen only with the parameter-set trigger.
           QComboBox* trigger = r.panels.parameterPage().ui.RingTrigger;
           QTest::keyClick(trigger, Qt::Key_End);
           QCOMPARE(RingValue(trigger), int(mode::kTrigPara));
           r.main().ButtonParaSet1->click();
           r.main().ButtonSend->click();
         },
         "SEND ParaSet 1 to RAM: done in ", " ms, sensor: all values plausible"},
        {"parameter file save",
         [](Rig& r) {
           r.main().ButtonFile->click();
           r.SaveParameterFile();
         },
         "SEND to file %1/P.ini: done in ", " ms"},
        {"parameter file load",
         [](Rig& r) {
           r.main().ButtonFile->click();
           r.SaveParameterFile();
           r.fixture.popups.files.push_back({FileSelect::Existing, r.fixture.Path("P.ini")});
           r.main().ButtonGet->click();
         },
         "GET from file %1/P.ini: done in ", " ms"},
        {"table attributes save",
         [](Rig& r) {
           r.fixture.popups.files.push_back({FileSelect::New, r.fixture.Path("T.ini")});
           r.panels.tableAttrPage().ui.ButtonSaveArray->click();
         },
         "SAVE table attributes to file %1/T.ini: done in ", " ms"},
        {"table attributes load",
         [](Rig& r) {
           r.fixture.popups.files.push_back({FileSelect::New, r.fixture.Path("T.ini")});
           r.panels.tableAttrPage().ui.ButtonSaveArray->click();
           r.fixture.popups.files.push_back({FileSelect::Existing, r.fixture.Path("T.ini")});
           r.panels.tableAttrPage().ui.ButtonGetArray->click();
         },
         "LOAD table attributes from file %1/T.ini: done in ", " ms"},
        {"SEND CF", [](Rig& r) { r.panels.calibrationPage().ui.ButtonSendCF->click(); },
         "SEND CF 1024 1024 1024 to EEPROM: done in ", " ms, sensor: all values plausible"},
        {"SEND OFFSET",
         [](Rig& r) {
           r.panels.offsetPage().ui.NumOffsetRed->setValue(7);
           r.panels.offsetPage().ui.ButtonSendOffset->click();
         },
         "SEND OFFSET 7 0 0 to EEPROM: done in ", " ms, sensor: all values plausible"},
        {"hardware information",
         [](Rig& r) {
           r.fixture.popups.files.push_back({FileSelect::New, r.fixture.Path("H.ini")});
           r.panels.connectPage().ui.ButtonGenHwInfoFile->click();
         },
         "SAVE hardware information to file %1/H.ini: done in ", " ms"},
    };
    for (const auto& c : cases) {
      Rig rig;
      c.act(rig);
      const QString notice = rig.strip.Notice();
      const QString start =
          QString(c.start).replace("%1/", QDir::toNativeSeparators(rig.fixture.ProgramDir() + "/"));
      QVERIFY2(notice.startsWith(start) && notice.endsWith(c.end),
               qPrintable(c.name + QString(": ") + notice));
      // A line, not a popup (the file dialogs are the user's own choice).
      for (const auto& popup : rig.fixture.popups.record) QVERIFY2(popup.kind == "file", c.name);
    }
  }

  void unsentMarkerClearedBySendAndByAFileSave() {
    Rig rig;
    rig.panels.mainPanel().show();
    QVERIFY(!rig.EditShown());
    QCOMPARE(rig.panels.mainPanel().windowHandle()->title(), QString(kProgramTitle));
    const int sensorValue = rig.EditTeachCell();
    QTRY_VERIFY(sensorValue >= 0 && rig.EditShown());
    // Typing the old value back is no edit.
    QVERIFY(test::TypeIntoCell(rig.teachGrid(), 0, 0, QString::number(sensorValue)));
    QTRY_VERIFY(!rig.EditShown());
    QCOMPARE(rig.EditTeachCell(), sensorValue);
    QTRY_VERIFY(rig.EditShown());
    rig.main().ButtonSend->click();
    QVERIFY(!rig.EditShown());
    // A parameter control counts too; a save to a file clears the marker.
    QTest::keyClick(rig.panels.parameterPage().ui.RingGain, Qt::Key_Down);
    QTRY_VERIFY(rig.EditShown());
    rig.main().ButtonFile->click();
    rig.fixture.popups.files.push_back({FileSelect::New, rig.fixture.Path("P.ini")});
    rig.main().ButtonSend->click();
    QVERIFY(!rig.EditShown());
  }

  void replacingUnsentEditsAsksFirst() {
    enum Read { Reconnect, Get, File, HwInfo };
    const struct {
      const char* name;
      Read read;
      bool yes;
    } cases[] = {{"reconnect, Yes", Reconnect, true},
                 {"reconnect, No", Reconnect, false},
                 {"GET, Yes", Get, true},
                 {"GET, No", Get, false},
                 {"file, Yes", File, true},
                 {"file, No", File, false},
                 {"hardware information, No", HwInfo, false}};
    for (const auto& c : cases) {
      Rig rig;
      QVERIFY2(!rig.startAsked, c.name);
      rig.panels.mainPanel().show();
      if (c.read == File) {
        rig.main().ButtonFile->click();
        rig.SaveParameterFile();
      }
      const int sensorValue = rig.EditTeachCell();
      QTRY_VERIFY(sensorValue >= 0 && rig.EditShown());
      rig.fixture.popups.confirms.push_back(c.yes);
      if (c.read == File)
        rig.fixture.popups.files.push_back({FileSelect::Existing, rig.fixture.Path("P.ini")});
      rig.sim.ClearRequests();
      if (c.read == Reconnect)
        rig.panels.connectPage().ui.ButtonTryToConnect->click();
      else if (c.read == HwInfo)
        rig.panels.connectPage().ui.ButtonGenHwInfoFile->click();
      else
        rig.main().ButtonGet->click();
      const auto asked = rig.fixture.popups.OfKind("confirm");
      QVERIFY2(asked.size() == 1 && asked[0].text.contains("not sent or saved"), c.name);
      QCOMPARE(CellValue(rig.teachGrid(), 0, 0), c.yes ? sensorValue : sensorValue + 11);
      QCOMPARE(rig.EditShown(), !c.yes);
      bool read = false;
      for (const auto& r : rig.sim.Requests()) read |= r.order == 2;
      QCOMPARE(read, c.yes && c.read != File);
      QCOMPARE(rig.state.SensorConnected, std::uint16_t(1));
    }
  }

  void tooltipsShowTheHelpAndWhyAButtonIsDimmed() {
    Rig rig;
    auto& m = rig.main();
    // Every control of every panel that has a right-click help text.
    int controls = 0;
    for (QWidget* root :
         {static_cast<QWidget*>(&rig.panels.mainPanel()), static_cast<QWidget*>(&rig.panels.bigColourPanel()),
          static_cast<QWidget*>(&rig.panels.bigGroupPanel()),
          static_cast<QWidget*>(&rig.panels.passwordPanel())}) {
      for (QWidget* control : root->findChildren<QWidget*>()) {
        const HelpEntry* entry = FindHelp(control->property("cbf").toString());
        if (!entry || !control->isEnabled()) continue;
        auto* tabs = qobject_cast<QTabWidget*>(control);
        QWidget* shown = tabs ? tabs->tabBar() : control;
        QVERIFY2(HoverText(shown) == QString::fromUtf8(entry->text), qPrintable(control->objectName()));
        ++controls;
      }
    }
    QVERIFY2(controls > 100, qPrintable(QString::number(controls)));
    QCOMPARE(m.TabMain->toolTip(), QString());  // not on the pages

    // A dimmed GO during a recording.
    auto& r = rig.panels.recordPage().ui;
    rig.fixture.popups.files.push_back({FileSelect::New, rig.fixture.Path("rec.dat")});
    r.ButtonSelRecFile->click();
    SetRingValue(r.RingRecordMode, RecordController::kContinuous);
    r.NumInterval->setValue(600);
    QString go;
    QObject::connect(&rig.sim, &sim::Simulator::requestHandled, [&](quint8 order, quint16) {
      if (order != 8) return;
      QTimer::singleShot(0, [&] {
        go = HoverText(m.ButtonGo);
        r.ButtonStopRecord->click();
      });
    });
    r.ButtonStartRecord->click();
    QCOMPARE(go, Help("CBF_ButtonGo") + "\n\nDimmed: a recording is running.");
    QCOMPARE(HoverText(m.ButtonGo), Help("CBF_ButtonGo"));
    // Offline.
    rig.panels.connectPage().ui.ButtonDisconnect->click();
    QCOMPARE(HoverText(m.ButtonGo), Help("CBF_ButtonGo") + "\n\nDimmed: offline, no sensor.");
  }
};

}  // namespace trivolux

QTEST_MAIN(trivolux::FeedbackAppTest)
#include "feedback_app_test.moc"
