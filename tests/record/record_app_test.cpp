// The record page against the simulator: the file selection and its header,
// fixed-count, continuous, manual and triggered recording, and the failures
// a long recording meets (a file that cannot be written or is no file, a full
// disk, a sensor that goes away, a bad frame, a program held by a popup).
#include <sys/resource.h>
#include <sys/stat.h>

#include <QtTest>
#include <csignal>
#include <functional>
#include <memory>
#include <system_error>
#include <utility>

#include "app/scope_app.h"
#include "app_fixture.h"
#include "base/shared_state.h"
#include "base/version.h"
#include "fake_peer.h"
#include "link/link_texts.h"
#include "link/orders.h"
#include "params/panel_access.h"
#include "record/record_controller.h"
#include "record/record_file.h"
#include "sim/simulator.h"
#include "ui/panels.h"

namespace trivolux {

namespace {
// The process's file size limit stands in for a full disk: a write that
// crosses it stops short and the next one fails (EFBIG, SIGXFSZ ignored).
class FileSizeLimit {
 public:
  FileSizeLimit() : handler_(std::signal(SIGXFSZ, SIG_IGN)) { getrlimit(RLIMIT_FSIZE, &saved_); }
  ~FileSizeLimit() {
    Lift();
    std::signal(SIGXFSZ, handler_);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;
  void Set(qint64 bytes) {
    rlimit limit = saved_;
    limit.rlim_cur = static_cast<rlim_t>(bytes);
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &limit), 0);
  }
  void Lift() { setrlimit(RLIMIT_FSIZE, &saved_); }

 private:
  rlimit saved_{};
  void (*handler_)(int);
};
}  // namespace

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

  // The style caches the painted button face under the palette's identity: a
  // new identity at every start and stop filled the application's pixmap
  // cache by some 14 KB per recording (the soak's memory growth).
  void repeatedRecordingsReuseTheStartButtonsPalettes() {
    Rig rig;
    rig.Select("rec.dat");
    SetRingValue(rig.r.RingRecordMode, RecordController::kFixedCount);
    rig.r.NumRecVal->setValue(1);
    QPushButton* start = rig.r.ButtonStartRecord;
    QSet<qint64> running, idle;
    QObject::connect(rig.r.DispRecordedValues, &QSpinBox::valueChanged, [&](int n) {
      if (n == 1) running << start->palette().cacheKey();
    });
    for (int run = 0; run < 3; ++run) {
      start->click();
      idle << start->palette().cacheKey();
    }
    QCOMPARE(running.size(), 1);
    QCOMPARE(idle.size(), 1);
    QVERIFY(!running.contains(*idle.begin()));
    QCOMPARE(start->palette().color(QPalette::Button), QColor(0xE0E0E0));
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

  // A frame that announces no data is no frame to record: the recording
  // waits for the next. Any other length than a measurement's is a bad frame.
  void triggeredFramesWithoutDataAreSkippedOtherLengthsEndTheRecording() {
    const QByteArray frame = test::AnswerFrame(order::kMeasure, 0, QByteArray(40, '\x01'));
    const struct {
      QByteArray between;
      int lines;
      bool goesOn;
    } cases[] = {{test::AnswerFrame(order::kMeasure, 0), 2, true},
                 {test::AnswerFrame(order::kMeasure, 0, QByteArray(20, '\x01')), 1, false}};
    for (const auto& c : cases) {
      Rig rig;
      test::FakePeer peer;
      rig.fixture.UseTcpPeer(peer.Port());
      peer.Enqueue({test::AnswerFrame(order::kAutoSend, 1) + frame + c.between + frame});
      peer.Enqueue({test::AnswerFrame(order::kAutoSend, 0)});
      const QString path = rig.RecordTriggered("trig.dat", 2, [&] { rig.r.ButtonStopRecord->click(); });
      QCOMPARE(rig.DataLines(path).size(), c.lines);
      QCOMPARE(rig.fixture.Messages().contains(link_text::kBadData), !c.goesOn);
      QCOMPARE(rig.fixture.state().SensorConnected, c.goesOn ? 1 : 0);
      QCOMPARE(peer.requests.back().left(4).toHex(' '), QByteArray("55 1e 00 00"));
    }
  }

  // The same for a recording that asks for each frame: an answer of another
  // length ends it with the message, after the whole lines before it.
  void aMeasurementAnswerOfAnotherLengthEndsAFixedCountRecording() {
    Rig rig;
    const QString path = rig.Select("rec.dat");
    SetRingValue(rig.r.RingRecordMode, RecordController::kFixedCount);
    rig.r.NumRecVal->setValue(3);
    test::FakePeer peer;
    rig.fixture.UseTcpPeer(peer.Port());
    for (int bytes : {40, 20})
      peer.Enqueue({test::AnswerFrame(order::kMeasure, 0, QByteArray(bytes, '\x01'))});
    rig.r.ButtonStartRecord->click();
    QCOMPARE(rig.DataLines(path).size(), 1);
    QVERIFY(rig.fixture.Messages().contains(link_text::kBadData));
    QCOMPARE(peer.requests.size(), std::size_t{2});
  }

  // A help popup left open for 3 s while the sensor sends 200 frames/s:
  // some 600 frames (29 KB) wait meanwhile, far more than the receive
  // buffer. None of them may be lost, cut or left unread, on either line.
  void triggeredRecordKeepsEveryFrameThroughAPopupLeftOpen_data() {
    QTest::addColumn<bool>("serial");
    QTest::newRow("TCP") << false;
    QTest::newRow("serial line") << true;
  }
  void triggeredRecordKeepsEveryFrameThroughAPopupLeftOpen() {
    QFETCH(bool, serial);
    constexpr int kFrames = 800;
    sim::SimOptions options;
    options.triggerPeriodMs = 5;
    options.autoFrameLimit = kFrames;
    Rig rig(options);
    if (serial) rig.fixture.UseSerial(rig.sim->OpenPty());
    rig.panels.mainPanel().show();
    rig.panels.ShowMainPage(MainPanel::kRecordPage);
    bool holdOpen = false;
    rig.fixture.popups.whileOpen = [&](const test::PopupRecord&) {
      if (!std::exchange(holdOpen, false)) return;
      QEventLoop open;
      QTimer::singleShot(3000, &open, &QEventLoop::quit);
      open.exec();
    };
    QObject::connect(rig.r.DispCounter, &QDoubleSpinBox::valueChanged, [&](double n) {
      if (n != 10) return;
      holdOpen = true;
      QTest::mouseClick(rig.r.DispRecFile, Qt::RightButton, {}, QPoint(3, 3));
      QVERIFY(!holdOpen);  // the help was shown
    });
    const QString path = rig.RecordTriggered("pause.dat", kFrames, [&] { rig.r.ButtonStopRecord->click(); });
    QCOMPARE(rig.sim->AutoFramesSent(), kFrames);
    QCOMPARE(rig.DataLines(path).size(), kFrames);
    QCOMPARE(rig.fixture.state().SensorConnected, 1);
    QCOMPARE(rig.LastMessage(), QString("INFO!|File has been saved!"));
  }

  // A pipe in the record file's place (or a link to one) would make opening
  // it wait for a reader forever: it is refused at once, and the line is
  // counted as not saved like any other.
  void aRecordFileReplacedByAPipeIsRefusedWithoutWaiting() {
    Rig rig;
    const QString path = rig.Select("rec.dat");
    const auto makePipe = [](const QString& at) { return ::mkfifo(QFile::encodeName(at).constData(), 0600); };
    QVERIFY(QFile::remove(path));
    QCOMPARE(makePipe(path), 0);
    SetRingValue(rig.r.RingRecordMode, RecordController::kManual);
    rig.r.ButtonManualRecord->click();
    QVERIFY(rig.LastMessage().startsWith("ATTENTION!|The line could not be saved in\n"));

    const QString pipe = rig.fixture.Path("pipe");
    QCOMPARE(makePipe(pipe), 0);
    QVERIFY(QFile::remove(path));
    QVERIFY(QFile::link(pipe, path));
    SetRingValue(rig.r.RingRecordMode, RecordController::kFixedCount);
    rig.r.NumRecVal->setValue(2);
    rig.r.ButtonStartRecord->click();
    QCOMPARE(rig.Requests(8), 2);
    QVERIFY(rig.LastMessage().startsWith("ATTENTION!|2 of 2 lines could not be saved in\n"));
    QCOMPARE(rig.fixture.Messages().count("RECORD FILE COULD NOT BE WRITTEN"), 2);
  }

  // The third of four lines meets a full disk after 10 bytes; then space
  // comes back. The file holds three whole lines and no fragment, and the
  // report names the system's reason.
  void aLineThatDoesNotFitLeavesTheFileAsItWas() {
    Rig rig;
    const QString path = rig.Select("rec.dat");
    SetRingValue(rig.r.RingRecordMode, RecordController::kFixedCount);
    rig.r.NumRecVal->setValue(4);
    FileSizeLimit limit;
    QObject::connect(rig.r.DispRecordedValues, &QSpinBox::valueChanged, [&](int n) {
      if (n == 2) limit.Set(QFileInfo(path).size() + 10);
      if (n == 3) limit.Lift();
    });
    rig.r.ButtonStartRecord->click();
    const QList<QByteArray> lines = rig.DataLines(path);
    QCOMPARE(lines.size(), 3);
    static const QRegularExpression kWhole(R"(^\d\d-\d\d-\d{4}\t\d\d:\d\d:\d\d(\t-?\d+){11}\r$)");
    for (const QByteArray& line : lines) QVERIFY2(kWhole.match(QString::fromLatin1(line)).hasMatch(), line);
    const QString reason = QString::fromStdString(std::generic_category().message(EFBIG));
    QVERIFY2(rig.LastMessage().startsWith("ATTENTION!|1 of 4 lines could not be saved in\n"),
             qPrintable(rig.LastMessage()));
    QVERIFY2(rig.LastMessage().endsWith("\n" + reason), qPrintable(rig.LastMessage()));
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
