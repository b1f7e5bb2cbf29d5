#include "record/record_controller.h"

#include <QComboBox>
#include <QDateTime>
#include <QDoubleSpinBox>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

#include "base/event_wait.h"
#include "base/shared_state.h"
#include "base/version.h"
#include "link/link_controller.h"
#include "link/orders.h"
#include "link/sensor_link.h"
#include "live/live_controller.h"
#include "params/panel_access.h"
#include "record/record_file.h"
#include "ui/panel_setup.h"
#include "ui/panels.h"
#include "ui/popups.h"

namespace trivolux {

namespace {
using W = MeasurementRecord;
const char* const kMakeSure =
    " Make sure, that the file is not opened by any other program. \n Otherwise it can not be saved.";

}  // namespace

RecordController::RecordController(Panels& panels, SharedState& state, Popups& popups, LinkController& link,
                                   LiveController& live, QObject* parent)
    : QObject(parent),
      panels_(panels),
      state_(state),
      popups_(popups),
      link_(link),
      live_(live),
      viewer_(panels, state, popups, live.graphPanel()) {
  auto& r = panels_.recordPage().ui;
  // Typed numbers count once committed; arrow steps and assistive values at once.
  r.NumInterval->setKeyboardTracking(false);
  r.NumRecVal->setKeyboardTracking(false);
  connect(r.RingRecordMode, &QComboBox::currentIndexChanged, this, &RecordController::CBF_EditSelectDataRec);
  connect(r.NumInterval, &QDoubleSpinBox::valueChanged, this, &RecordController::CBF_EditInterval);
  connect(r.NumRecVal, &QSpinBox::valueChanged, this, &RecordController::CBF_EditRecVal);
  connect(r.ButtonSelRecFile, &QPushButton::clicked, this, &RecordController::CBF_ButtonSelRecFile);
  connect(r.ButtonStartRecord, &QPushButton::clicked, this, &RecordController::CBF_ButtonStartRecord);
  connect(r.ButtonStopRecord, &QPushButton::clicked, this, &RecordController::CBF_ButtonStopRecord);
  connect(r.ButtonStartTrigRec, &QPushButton::clicked, this, &RecordController::CBF_ButtonStartTrigRec);
  connect(r.ButtonManualRecord, &QPushButton::clicked, this, &RecordController::CBF_ButtonManualRecord);
  connect(&panels_, &Panels::mainTabChanged, this, &RecordController::OnMainTabChanged);
  InitRecordPanel();
}

QString RecordController::RecordPath() const {
  return panels_.recordPage().ui.DispRecFile->text();
}

int RecordController::Mode() const {
  return RingValue(panels_.recordPage().ui.RingRecordMode);
}

void RecordController::OnMainTabChanged(int index) {
  if (index != MainPanel::kRecordPage) return;
  InitRecordPanel();
  if (Mode() == kFixedCount) CalcRecTime();
}

void RecordController::InitRecordPanel() {
  auto& r = panels_.recordPage().ui;
  const int mode = Mode();
  const bool fixed = mode == kFixedCount, continuous = mode == kContinuous;
  const bool manual = mode == kManual, triggered = mode == kTriggered;
  const bool interval = fixed || continuous;
  for (QWidget* w : QWidgetList{r.LabelInterval, r.NumInterval}) w->setVisible(interval);
  for (QWidget* w :
       QWidgetList{r.LabelRecVal, r.NumRecVal, r.GroupRecordTime, r.LabelRemaining, r.DispRemaining})
    w->setVisible(fixed);
  for (QWidget* w : QWidgetList{r.LabelRecordedValues, r.DispRecordedValues}) w->setVisible(fixed || manual);
  for (QWidget* w : QWidgetList{r.LabelCounter, r.DispCounter}) w->setVisible(continuous || triggered);
  r.ButtonStartRecord->setVisible(interval);
  r.ButtonStopRecord->setVisible(interval || triggered);
  r.ButtonStartTrigRec->setVisible(triggered);
  r.ButtonManualRecord->setVisible(manual);
}

void RecordController::CalcRecTime() {
  auto& r = panels_.recordPage().ui;
  RecordInterval = r.NumInterval->value();
  RecordValues = static_cast<std::uint16_t>(r.NumRecVal->value());
  r.DispRecordedValues->setValue(0);
  r.DispRemaining->setValue(RecordValues);
  if (RecordInterval < kMinRecordInterval) {
    RecordInterval = kMinRecordInterval;
    const QSignalBlocker block(r.NumInterval);
    r.NumInterval->setValue(kMinRecordInterval);
  }
  const RecordTime t = RecordTimeFor(RecordInterval, RecordValues);
  r.DispRecDays->setValue(t.days);
  r.DispRecHours->setValue(t.hours);
  r.DispRecMinutes->setValue(t.minutes);
  r.DispRecSeconds->setValue(t.seconds);
}

void RecordController::CBF_EditSelectDataRec() {
  state_.RunFlag = 0;
  if (Mode() == kManual) {
    panels_.recordPage().ui.DispRecordedValues->setValue(0);
    RecordCount = 0;
  }
  if (Mode() == kFixedCount) CalcRecTime();
  live_.graphPanel().InitPanelGraph(live_.record());
  InitRecordPanel();
}

void RecordController::CBF_EditInterval() {
  CalcRecTime();
}

void RecordController::CBF_EditRecVal() {
  CalcRecTime();
}

void RecordController::CBF_ButtonSelRecFile() {
  SelRecFile();
}

void RecordController::SelRecFile() {
  auto& r = panels_.recordPage().ui;
  const QFileInfo current(RecordPath());
  const FileRequest request{current.absolutePath(), QStringLiteral("RecordFile.dat"), QStringLiteral("*.dat"),
                            QStringLiteral("FILENAME!"), true};
  QString path;
  const FileSelect result = popups_.SelectFile(request, &path);
  if (result == FileSelect::None || path.isEmpty()) {
    popups_.Message(QStringLiteral("ATTENTION!"),
                    QStringLiteral("No filename was selected! \nRecording will not be done! "));
    return;
  }
  if (result == FileSelect::Existing || QFileInfo::exists(path)) {
    // Declined: the path shown stays the path used.
    if (!popups_.Confirm(QStringLiteral("ATTENTION!"),
                         QStringLiteral("File already exist! \nDo you want to select existing file?")))
      return;
    popups_.Message(QStringLiteral("ATTENTION!"), QString::fromLatin1(kMakeSure));
  }
  r.DispRecFile->setText(path);
  // The new header replaces the file only once it is complete; a file that
  // cannot be written keeps what it had.
  QString error;
  if (!ReplaceRecordFile(path, RecordHeader(QString::fromLatin1(kProgramTitle), r.DispRecID->text()),
                         &error)) {
    popups_.Message(QStringLiteral("ATTENTION!"),
                    QStringLiteral("The record file could not be written:\n%1\n%2")
                        .arg(QDir::toNativeSeparators(path), error));
  }
}

bool RecordController::ConfirmFileName() {
  return popups_.Confirm(QStringLiteral("ATTENTION!"),
                         QStringLiteral("Are you sure, that you have selected the right file name?"));
}

void RecordController::SetStartColour(bool running, bool triggered) {
  auto& r = panels_.recordPage().ui;
  SetButtonColour(triggered ? r.ButtonStartTrigRec : r.ButtonStartRecord,
                  running ? QColor(0xFF0000) : QColor(0xE0E0E0));
}

void RecordController::CBF_ButtonStartRecord() {
  panels_.SetButtonsDimmed(0, 1);
  live_.graphPanel().InitPanelGraph(live_.record());
  Record();
  if (!state_.QuitRequested) panels_.SetButtonsDimmed(0, 0);
}

void RecordController::Record() {
  if (!ConfirmFileName()) return;
  popups_.Message(QStringLiteral("ATTENTION!"), QString::fromLatin1(kMakeSure));
  auto& r = panels_.recordPage().ui;
  r.NumInterval->setReadOnly(true);
  r.NumRecVal->setReadOnly(true);
  SetStartColour(true, false);
  BeginRun();
  RecordFrame();
  EndRun();
  r.NumInterval->setReadOnly(false);
  r.NumRecVal->setReadOnly(false);
  SetStartColour(false, false);
}

void RecordController::RecordFrame() {
  auto& r = panels_.recordPage().ui;
  SensorLink& link = link_.link();
  state_.RunFlag = 1;
  RecordCount = 0;
  CalcRecTime();
  double counter = 0;
  QElapsedTimer clock;
  clock.start();
  // Each request is due one interval after the one before was due, so a
  // timer that wakes a little late does not shift the ones after it; a pass
  // longer than the interval is followed by the next request at once.
  qint64 due = 0;
  while (state_.RunFlag == 1) {
    if (link.Exchange(order::kMeasure, 0) == 1 && link.AnswerLength == W::kBytes) {
      live_.TakeFrame(link.AnswerData());
      TakeRecordedFrame();
    } else if (state_.RunFlag == 1) {
      // Refused, or a well-framed answer of another length: no frame.
      if (link.AnswerLength != W::kBytes && link.AnswerLength != 0)
        link.Fail(QStringLiteral("ATTENTION! \nRECEIVED DATA FRAME IS INCORRECT!"));
      state_.RunFlag = 0;
    }
    if (Mode() == kFixedCount) {
      ++RecordCount;
      r.DispRecordedValues->setValue(RecordCount);
      r.DispRemaining->setValue(RecordValues - RecordCount);
      if (RecordCount == RecordValues) state_.RunFlag = 0;
    } else if (Mode() == kContinuous) {
      r.DispCounter->setValue(++counter);
    }
    if (state_.RunFlag != 1) break;
    // Start to start: the exchange, the displays and the file write are part
    // of the interval. The wait runs the event loop; STOP ends it at once.
    due += static_cast<qint64>(RecordInterval * 1e9);
    const qint64 left = due - clock.nsecsElapsed();
    if (left < 0) due -= left;
    if (left > 0)
      WaitUntil(
          state_, [&] { return state_.RunFlag != 1; },
          QDeadlineTimer(std::chrono::nanoseconds(left), Qt::PreciseTimer));
  }
  live_.FlushDisplays();
}

void RecordController::TakeRecordedFrame() {
  live_.graphPanel().SetPanelGraphData(live_.record());
  live_.SetPanelData();
  live_.ShowGraph();
  ToFile();
}

void RecordController::CBF_ButtonStartTrigRec() {
  if (!ConfirmFileName()) return;
  panels_.SetButtonsDimmed(0, 1);
  popups_.Message(QStringLiteral("ATTENTION!"), QString::fromLatin1(kMakeSure));
  SetStartColour(true, true);
  BeginRun();
  TriggeredRecord();
  EndRun();
  SetStartColour(false, true);
  if (!state_.QuitRequested) panels_.SetButtonsDimmed(0, 0);
}

void RecordController::TriggeredRecord() {
  auto& r = panels_.recordPage().ui;
  SensorLink& link = link_.link();
  if (link.Exchange(order::kAutoSend, 1) == 1) {
    link.ComStatus = 0;
    state_.RunFlag = 1;
    double counter = 0;
    r.DispCounter->setValue(0);
    // Serial bytes between two waits belong to the next frame.
    link.SetListening(true);
    while (state_.RunFlag == 1) {
      const int got = link.GetSensorFrame();
      if (got != 1) break;                   // stopped, or a failure that was reported
      if (link.AnswerLength == 0) continue;  // a frame without data: nothing to record
      if (link.AnswerLength != W::kBytes) {
        link.Fail(QStringLiteral("ATTENTION! \nRECEIVED DATA FRAME IS INCORRECT!"));
        break;
      }
      live_.TakeFrame(link.AnswerData());
      ++counter;
      TakeRecordedFrame();
      r.DispCounter->setValue(counter);
    }
    link.SetListening(false);
    live_.FlushDisplays();
  }
  // Automatic sending off in every case; its answer is not examined.
  if (!state_.QuitRequested && link.ActiveTransport()) link.StopAutoSend();
  state_.RunFlag = 0;
}

void RecordController::CBF_ButtonManualRecord() {
  QPushButton* button = panels_.recordPage().ui.ButtonManualRecord;
  button->setEnabled(false);
  RecordManually();
  button->setEnabled(true);
}

void RecordController::RecordManually() {
  BeginRun();
  live_.graphPanel().SetPanelGraphData(live_.record());
  ToFile();
  ++RecordCount;
  panels_.recordPage().ui.DispRecordedValues->setValue(RecordCount);
  if (failedLines_ > 0)
    popups_.Message(QStringLiteral("ATTENTION!"),
                    QStringLiteral("The line could not be saved in\n%1\n%2")
                        .arg(QDir::toNativeSeparators(RecordPath()), firstFailure_));
}

void RecordController::CBF_ButtonStopRecord() {
  state_.RunFlag = 0;
}

void RecordController::BeginRun() {
  lines_ = 0;
  failedLines_ = 0;
  firstFailure_.clear();
}

void RecordController::ToFile() {
  ++lines_;
  QString error;
  if (AppendRecordBytes(RecordPath(), RecordLine(QDateTime::currentDateTime(), live_.record()), &error))
    return;
  if (failedLines_++ == 0) {
    firstFailure_ = error;
    panels_.connectPage().AppendMessage(
        QStringLiteral("ATTENTION! \nRECORD FILE COULD NOT BE WRITTEN: \n%1\n%2\n")
            .arg(QDir::toNativeSeparators(RecordPath()), error));
  }
}

void RecordController::EndRun() {
  if (state_.QuitRequested) return;
  if (failedLines_ == 0) {
    popups_.Message(QStringLiteral("INFO!"), QStringLiteral("File has been saved!"));
    return;
  }
  popups_.Message(QStringLiteral("ATTENTION!"),
                  QStringLiteral("%1 of %2 lines could not be saved in\n%3\n%4")
                      .arg(failedLines_)
                      .arg(lines_)
                      .arg(QDir::toNativeSeparators(RecordPath()), firstFailure_));
}

}  // namespace trivolux
