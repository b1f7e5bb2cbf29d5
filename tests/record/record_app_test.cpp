// The record page against the simulator: the file selection and its header,
// fixed-count, continuous, manual and triggered recording, and the failures
// a long recording meets (a file that cannot be written, a sensor that goes
// away, a bad frame).
#include <QtTest>
#include <functional>
#include <memory>

#include "app/scope_app.h"
#include "app_fixture.h"
#include "base/shared_state.h"
#include "base/version.h"
#include "params/panel_access.h"
#include "record/record_controller.h"
#include "record/record_file.h"
#include "sim/simulator.h"
#include "ui/panels.h"

namespace trivolux {

class RecordAppTest : public QObject {
  Q_OBJECT

  struct Rig {
    std::unique_ptr<sim::Simulator> sim;
    test::AppFixture fixture;
    Panels& panels = fixture.panels();
    Ui::RecordPage& r = panels.recordPage().ui;
    explicit Rig(sim::SimOptions options = {}) : sim(std::make_unique<sim::Simulator>(options)) {
      fixture.StartTcp(sim->ListenTcp());
      fixture.popups.Clear();
    }
    QString Select(const QString& name, test::ScriptedPopups::FileAnswer answer = {}) {
      answer.path = name.startsWith('/') ? name : fixture.Path(name);
      if (answer.result == FileSelect::None) answer.result = FileSelect::New;
      fixture.popups.files.push_back(answer);
      r.ButtonSelRecFile->click();
      return answer.path;
    }
    QList<QByteArray> DataLines(const QString& path) {
      QFile f(path);
      if (!f.open(QIODevice::ReadOnly)) return {};
      QList<QByteArray> lines = f.readAll().split('\n');
      // Drop the header (leading LF, title, empty line, headings) and the empty tail.
      return lines.mid(4, lines.size() - 5);
    }
    // Starts a triggered recording into file; at counter value `at`, `then`
    // runs (STOP, a fault...). Returns when the recording has ended.
    QString RecordTriggered(const QString& file, int at, const std::function<void()>& then) {
      const QString path = Select(file);
      SetRingValue(r.RingRecordMode, RecordController::kTriggered);
      QObject::connect(r.DispCounter, &QDoubleSpinBox::valueChanged, [at, then](double n) {
        if (n == at) then();
      });
      r.ButtonStartTrigRec->click();
      return path;
    }
    QString LastMessage() {
      const auto messages = fixture.popups.OfKind("message");
      return messages.empty() ? QString() : messages.back().title + "|" + messages.back().text;
    }
    int Requests(quint8 order, int param = -1) {
      int n = 0;
      for (const auto& q : sim->Requests()) n += q.order == order && (param < 0 || q.param == param);
      return n;
    }
  };

 private slots:
  void fixedCountWritesExactlyValuesLinesWithoutAFurtherWait() {
    Rig rig;
    const QString path = rig.Select("rec.dat");
    QFile header(path);
    QVERIFY(header.open(QIODevice::ReadOnly));
    QCOMPARE(header.readAll(), RecordHeader(kProgramTitle, rig.r.DispRecID->text()));
    SetRingValue(rig.r.RingRecordMode, RecordController::kFixedCount);
    rig.r.NumInterval->setValue(0.1);  // raised to the minimum, visibly
    QCOMPARE(rig.r.NumInterval->value(), 0.25);
    rig.r.NumRecVal->setValue(3);
    QList<int> remaining;
    QObject::connect(rig.r.DispRemaining, &QSpinBox::valueChanged, [&](int v) { remaining << v; });
    QElapsedTimer t;
    t.start();
    rig.r.ButtonStartRecord->click();
    // Three passes are two intervals; a wait after the third would be a third.
    QVERIFY2(t.elapsed() < 700, qPrintable(QString::number(t.elapsed())));
    QCOMPARE(rig.DataLines(path).size(), 3);
    QCOMPARE(remaining.mid(remaining.size() - 3), (QList<int>{2, 1, 0}));
    QCOMPARE(rig.Requests(8), 3);
    QCOMPARE(rig.LastMessage(), QString("INFO!|File has been saved!"));
    QVERIFY(!rig.r.NumInterval->isReadOnly());
    QVERIFY(rig.r.ButtonStartRecord->isEnabled());
  }

  void stopDuringTheIntervalEndsAtOnce() {
    Rig rig;
    const QString path = rig.Select("rec.dat");
    SetRingValue(rig.r.RingRecordMode, RecordController::kContinuous);
    rig.r.NumInterval->setValue(600);
    QObject::connect(rig.sim.get(), &sim::Simulator::requestHandled, [&](quint8 order, quint16) {
      if (order == 8) QTimer::singleShot(0, rig.r.ButtonStopRecord, &QPushButton::click);
    });
    QElapsedTimer t;
    t.start();
    rig.r.ButtonStartRecord->click();
    QVERIFY(t.elapsed() < 10000);
    QCOMPARE(rig.DataLines(path).size(), 1);
    QCOMPARE(rig.r.DispCounter->value(), 1.0);
  }

  void aRecordFileDeletedWhileRecordingIsStartedAgain() {
    Rig rig;
    const QString path = rig.Select("rec.dat");
    SetRingValue(rig.r.RingRecordMode, RecordController::kFixedCount);
    rig.r.NumRecVal->setValue(0);  // VALUES is at least 1
    QCOMPARE(rig.r.NumRecVal->value(), 1);
    rig.r.NumRecVal->setValue(3);
    QObject::connect(rig.r.DispRecordedValues, &QSpinBox::valueChanged, [&](int n) {
      if (n == 1) QFile::remove(path);
    });
    rig.r.ButtonStartRecord->click();
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll().count("\r\n"), 2);  // the lines after the deletion, no header
    QCOMPARE(rig.LastMessage(), QString("INFO!|File has been saved!"));
  }

  void sensorLostDuringTheIntervalEndsTheRecording() {
    Rig rig;
    rig.Select("rec.dat");
    SetRingValue(rig.r.RingRecordMode, RecordController::kContinuous);
    rig.r.NumInterval->setValue(600);
    QObject::connect(rig.sim.get(), &sim::Simulator::requestHandled, [&](quint8 order, quint16) {
      if (order == 8) QTimer::singleShot(0, [&] { rig.sim.reset(); });
    });
    QElapsedTimer t;
    t.start();
    rig.r.ButtonStartRecord->click();
    QVERIFY(t.elapsed() < 10000);
    QCOMPARE(rig.fixture.state().RunFlag, 0);
    QCOMPARE(rig.fixture.state().SensorConnected, 0);
  }

  void fileSelectionOutcomes() {
    Rig rig;
    // Cancelled.
    rig.fixture.popups.files.push_back({});
    rig.r.ButtonSelRecFile->click();
    QCOMPARE(rig.LastMessage(),
             QString("ATTENTION!|No filename was selected! \nRecording will not be done! "));
    // Existing file, No: untouched, and the path shown stays in force.
    const QString shown = rig.r.DispRecFile->text();
    const QString old = rig.fixture.Path("old.dat");
    QFile f(old);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("keep me");
    f.close();
    rig.fixture.popups.confirms = {false};
    rig.Select(old, {FileSelect::Existing, {}});
    QCOMPARE(rig.r.DispRecFile->text(), shown);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), QByteArray("keep me"));
    f.close();
    // Yes: replaced by a fresh header.
    rig.fixture.popups.confirms = {true};
    rig.Select(old, {FileSelect::Existing, {}});
    QCOMPARE(rig.r.DispRecFile->text(), old);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QVERIFY(f.readAll().startsWith("\nRECORD RESULTS OF: "));
    f.close();
    // A header that cannot be written is reported with the file's name.
    rig.Select(rig.fixture.Path("missing/rec.dat"));
    QVERIFY(rig.LastMessage().startsWith("ATTENTION!|The record file could not be written:"));
    QVERIFY(rig.LastMessage().contains("missing"));
  }

  void linesThatCannotBeWrittenAreCountedAndReported() {
    Rig rig;
    rig.r.DispRecFile->setText(rig.fixture.Path("missing/rec.dat"));
    SetRingValue(rig.r.RingRecordMode, RecordController::kFixedCount);
    rig.r.NumRecVal->setValue(2);
    rig.r.ButtonStartRecord->click();
    QCOMPARE(rig.Requests(8), 2);  // the sensor side goes on
    QVERIFY(rig.LastMessage().startsWith("ATTENTION!|2 of 2 lines could not be saved in\n"));
    QCOMPARE(rig.fixture.Messages().count("RECORD FILE COULD NOT BE WRITTEN"), 1);
  }

  void eachModeShowsItsControls() {
    Rig rig;
    auto& r = rig.r;
    const QList<QWidget*> all{
        r.NumInterval, r.NumRecVal,         r.GroupRecordTime,  r.DispRecordedValues, r.DispRemaining,
        r.DispCounter, r.ButtonStartRecord, r.ButtonStopRecord, r.ButtonStartTrigRec, r.ButtonManualRecord};
    const QList<QList<QWidget*>> shown{
        {r.NumInterval, r.NumRecVal, r.GroupRecordTime, r.DispRecordedValues, r.DispRemaining,
         r.ButtonStartRecord, r.ButtonStopRecord},
        {r.NumInterval, r.DispCounter, r.ButtonStartRecord, r.ButtonStopRecord},
        {r.ButtonManualRecord, r.DispRecordedValues},
        {r.ButtonStartTrigRec, r.DispCounter, r.ButtonStopRecord}};
    for (int mode : {1, 2, 3, 0}) {
      SetRingValue(r.RingRecordMode, mode);
      for (QWidget* w : all) QVERIFY2(w->isHidden() != shown[mode].contains(w), qPrintable(w->objectName()));
    }
  }

  void manualRecordBeforeAnyFrameWritesTheInitialRecord() {
    Rig rig;
    const QString path = rig.Select("manual.dat");
    SetRingValue(rig.r.RingRecordMode, RecordController::kManual);
    rig.r.ButtonManualRecord->click();
    rig.r.ButtonManualRecord->click();
    const QList<QByteArray> lines = rig.DataLines(path);
    QCOMPARE(lines.size(), 2);
    QVERIFY(lines[0].endsWith("\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\r"));
    QCOMPARE(rig.r.DispRecordedValues->value(), 2);
    SetRingValue(rig.r.RingRecordMode, RecordController::kContinuous);
    SetRingValue(rig.r.RingRecordMode, RecordController::kManual);  // selecting manual resets the count
    QCOMPARE(rig.fixture.app().recorder().RecordCount, 0);
  }

  void triggeredRecordsEveryFrameUntilStopThenSwitchesSendingOff() {
    sim::SimOptions options;
    options.triggerPeriodMs = 2;
    Rig rig(options);
    const QString path = rig.RecordTriggered("trig.dat", 50, [&] { rig.r.ButtonStopRecord->click(); });
    QCOMPARE(rig.DataLines(path).size(), 50);
    QCOMPARE(rig.Requests(30, 1), 1);
    QCOMPARE(rig.Requests(30, 0), 1);
    QCOMPARE(rig.sim->Requests().back().order, quint8(30));
    QVERIFY(!rig.sim->AutoSending());
    QCOMPARE(rig.LastMessage(), QString("INFO!|File has been saved!"));
  }

  void triggeredRecordOverTheSerialLineKeepsFramesBetweenWaits() {
    sim::SimOptions options;
    options.triggerPeriodMs = 2;
    Rig rig(options);
    const QString pty = rig.sim->OpenPty();
    QVERIFY(!pty.isEmpty());
    rig.fixture.UseSerial(pty);
    const QString path = rig.RecordTriggered("serial.dat", 200, [&] { rig.r.ButtonStopRecord->click(); });
    QCOMPARE(rig.DataLines(path).size(), 200);
    QCOMPARE(rig.fixture.state().SensorConnected, 1);
    QCOMPARE(rig.sim->Requests().back().order, quint8(30));
    QCOMPARE(rig.LastMessage(), QString("INFO!|File has been saved!"));
  }

  void badTriggeredFrameEndsTheRecordingAndSendingIsSwitchedOff() {
    sim::SimOptions options;
    options.triggerPeriodMs = 5;
    Rig rig(options);
    const QString path = rig.RecordTriggered("trig.dat", 3, [&] { rig.sim->faults().corruptHeaderCrc = 1; });
    // Frames already under way when the fault was set are still good.
    QVERIFY(rig.DataLines(path).size() >= 3);
    QCOMPARE(rig.fixture.state().RunFlag, 0);
    QCOMPARE(rig.sim->Requests().back().order, quint8(30));
    QCOMPARE(rig.sim->Requests().back().param, quint16(0));
  }
};

}  // namespace trivolux

QTEST_MAIN(trivolux::RecordAppTest)
#include "record_app_test.moc"
