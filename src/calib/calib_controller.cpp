#include "calib/calib_controller.h"

#include <QFileInfo>
#include <QPushButton>
#include <QSpinBox>

#include "base/shared_state.h"
#include "calib/calib_transfer.h"
#include "calib/calibration.h"
#include "calib/hw_info_file.h"
#include "link/link_controller.h"
#include "link/orders.h"
#include "link/sensor_link.h"
#include "link/transport.h"
#include "live/live_controller.h"
#include "params/param_controller.h"
#include "ui/panel_setup.h"
#include "ui/panels.h"
#include "ui/popups.h"

namespace trivolux {

static_assert(static_cast<std::uint32_t>(CalibrationPage::kMaxCalFactor) == kMaxCalFactor,
              "the page marks what the sensor refuses");

namespace {
using W = MeasurementRecord;
}  // namespace

CalibController::CalibController(Panels& panels, SharedState& state, Popups& popups, LinkController& link,
                                 ParamController& params, LiveController& live, QObject* parent)
    : QObject(parent),
      panels_(panels),
      state_(state),
      popups_(popups),
      link_(link),
      params_(params),
      live_(live) {
  auto& cal = panels_.calibrationPage().ui;
  auto& off = panels_.offsetPage().ui;
  connect(cal.ButtonGetCF, &QPushButton::clicked, this, &CalibController::CBF_ButtonGetCF);
  connect(cal.ButtonSendCF, &QPushButton::clicked, this, &CalibController::CBF_ButtonSendCF);
  connect(cal.ButtonCalcCF, &QPushButton::clicked, this, &CalibController::CBF_ButtonCalcCF);
  connect(cal.ButtonStartSelfCalibration, &QPushButton::clicked, this,
          &CalibController::CBF_ButtonStartSelfCalibration);
  connect(off.ButtonSendOffset, &QPushButton::clicked, this, &CalibController::CBF_ButtonSendOffset);
  connect(off.ButtonGetOffset, &QPushButton::clicked, this, &CalibController::CBF_ButtonGetOffset);
  connect(off.ButtonCalcOffset, &QPushButton::clicked, this, &CalibController::CBF_ButtonCalcOffset);
  connect(&link_, &LinkController::hwInfoFileRequested, this, &CalibController::GenerateHWInfoFile);
}

int CalibController::GetCF() {
  CalibValues values;
  if (GetCalibration(link_.link(), &values) != 1) return -1;
  auto& cal = panels_.calibrationPage().ui;
  auto& off = panels_.offsetPage().ui;
  QSpinBox* cf[3] = {cal.NumCFR, cal.NumCFG, cal.NumCFB};
  QSpinBox* offsets[3] = {off.NumOffsetRed, off.NumOffsetGreen, off.NumOffsetBlue};
  CalFactor = values.factors;
  OffsetValue = values.offsets;
  for (std::size_t c = 0; c < 3; ++c) {
    cf[c]->setValue(CalFactor[c]);
    offsets[c]->setValue(OffsetValue[c]);
  }
  return 1;
}

int CalibController::SendCF() {
  auto& cal = panels_.calibrationPage().ui;
  // A factor out of the sensor's range (one it answered itself, shown as it
  // came) is never sent clamped: the user sets a valid one first.
  for (const QSpinBox* factor : {cal.NumCFR, cal.NumCFG, cal.NumCFB}) {
    if (!CalibrationPage::OutOfRange(factor)) continue;
    popups_.Message(
        QStringLiteral("ATTENTION!"),
        QStringLiteral("A calibration factor is out of range! \nCF RED, CF GREEN and CF BLUE must lie "
                       "between 0 and %1. \nNothing was sent to the sensor.")
            .arg(CalibrationPage::kMaxCalFactor));
    return -1;
  }
  CalFactor = {static_cast<std::uint16_t>(cal.NumCFR->value()),
               static_cast<std::uint16_t>(cal.NumCFG->value()),
               static_cast<std::uint16_t>(cal.NumCFB->value())};
  return WriteCalibration(link_.link(), kWriteFactors, CalFactor) == 1 ? 1 : -1;
}

int CalibController::SendOffset() {
  auto& off = panels_.offsetPage().ui;
  OffsetValue = {static_cast<std::uint16_t>(off.NumOffsetRed->value()),
                 static_cast<std::uint16_t>(off.NumOffsetGreen->value()),
                 static_cast<std::uint16_t>(off.NumOffsetBlue->value())};
  return WriteCalibration(link_.link(), kWriteOffsets, OffsetValue) == 1 ? 1 : -1;
}

bool CalibController::CalcCF() {
  state_.RunFlag = 0;
  SensorLink& link = link_.link();
  if (link.ActiveTransport() && link.ActiveTransport()->Kind() == TransportKind::Serial)
    link.ActiveTransport()->FlushQueues();
  if (!popups_.Confirm(
          QStringLiteral("CONFIRM CALCULATION!"),
          QStringLiteral("Are you sure, that you have selected the right calibration parameters? "))) {
    popups_.Message(
        QStringLiteral("INFO!"),
        QStringLiteral("Please insert the right values and press \n CALCULATE CALIBRATION FACTORS again."));
    return false;
  }
  QPushButton* button = panels_.calibrationPage().ui.ButtonCalcCF;
  RawSums sums;
  bool red = false;
  for (int i = 0; i < kCalSamples; ++i) {
    if (i % 5 == 0) {
      red = !red;
      SetButtonColour(button, red ? QColor(0xFF0000) : QColor(0xE0E0E0));
    }
    // Sampling ends at the first failed exchange: sums of fewer samples
    // divided by 100 would give wrong factors.
    if (link.Exchange(order::kMeasure, 0) != 1) {
      SetButtonColour(button, QColor(0xE0E0E0));
      return false;
    }
    if (!link.AnswerLengthIs(W::kBytes)) {
      SetButtonColour(button, QColor(0xE0E0E0));
      return false;
    }
    live_.TakeFrame(link.AnswerData());
    live_.SetPanelCalibData();
    const MeasurementRecord& r = live_.record();
    sums.Add(r[W::kRawRed], r[W::kRawGreen], r[W::kRawBlue], RawSpread(r));
  }
  live_.FlushDisplays();
  auto& cal = panels_.calibrationPage().ui;
  CalSetValue = static_cast<std::uint16_t>(cal.NumSetValue->value());
  CalMaxDelta = static_cast<std::uint16_t>(cal.NumMaxDelta->value());
  const CalResult result = CalcFactors(sums, CalSetValue, CalMaxDelta);
  if (result.outcome == CalOutcome::DeltaTooHigh) {
    popups_.Message(
        QStringLiteral("ATTENTION!"),
        QStringLiteral("The maximum delta of the raw data values RED,GREEN and BLUE is to high. \n"
                       "Calibration is not possible. \nVerify, that the sensor shines on a WHITE target! \n"
                       "Increase MAXIMUM DELTA OF RAW DATAS! "));
    return false;
  }
  if (result.outcome == CalOutcome::OutOfRange) {
    popups_.Message(
        QStringLiteral("ATTENTION!"),
        QStringLiteral("One of the calibration factor is out of range. \nCalibration is not possible. \n"
                       "Verify, that the senor shines on a WHITE target! \nChoose a proper POWER value. "));
    return false;
  }
  CalFactor = result.factors;
  cal.NumCFR->setValue(CalFactor[0]);
  cal.NumCFG->setValue(CalFactor[1]);
  cal.NumCFB->setValue(CalFactor[2]);
  return true;
}

int CalibController::StartSelfCalibration() {
  state_.SensorConnected = 1;
  SensorLink& link = link_.link();
  if (link.Exchange(order::kSelfCalib, 0) != 1 || state_.SensorConnected != 1 || !link.AnswerLengthIs(10))
    return -1;
  const std::uint8_t* d = link.AnswerData();
  auto& cal = panels_.calibrationPage().ui;
  CalFactor = {ReadU16(d), ReadU16(d + 2), ReadU16(d + 4)};
  CalSetValue = ReadU16(d + 6);
  CalMaxDelta = ReadU16(d + 8);
  cal.NumCFR->setValue(CalFactor[0]);
  cal.NumCFG->setValue(CalFactor[1]);
  cal.NumCFB->setValue(CalFactor[2]);
  cal.NumSetValue->setValue(CalSetValue);
  cal.NumMaxDelta->setValue(CalMaxDelta);
  popups_.Message(QStringLiteral("ATTENTION!"), QStringLiteral("Confirm calibration factors with SEND CF."));
  return 1;
}

int CalibController::CalcOffset() {
  if (link_.link().Exchange(order::kDetectOffset, 1) != 1) return -1;
  return GetCF();
}

bool CalibController::ConfirmSendPower() {
  return popups_.Confirm(
      QStringLiteral("SEND POWER"),
      QStringLiteral(
          "Make sure, that the sensor shines on a WHITE target! \nSelect a proper POWER value that the RAW "
          "DATAS are within the dynamic range.  \nRepeat as long as the intensity for the RAW DATAS is NOT "
          "OK."));
}

void CalibController::CBF_ButtonGetCF() {
  panels_.RunDimmed([this] { GetCF(); });
}

void CalibController::CBF_ButtonSendCF() {
  panels_.RunDimmed([this] { SendCF(); });
}

void CalibController::CBF_ButtonCalcCF() {
  if (!ConfirmSendPower()) return;
  panels_.SetButtonsDimmed(0, 1);
  const bool passed = CalcCF();
  // After a lost link there is nothing to send to and no GO to run: the
  // failure has been reported once already.
  if (state_.SensorConnected == 1) {
    const int sent = SendCF();
    // The pass message says the factors are in the sensor: only once they are.
    if (passed && sent == 1)
      popups_.Message(
          QStringLiteral("CALIBRATION PASSED!"),
          QStringLiteral("Calibration successful! \nCalibration factors were sent to the EEPROM of the "
                         "sensor. \nGO mode will be activated. "));
    if (sent == 1 && !state_.QuitRequested) {
      panels_.SetButtonsDimmed(1, 1);
      live_.GetData();
      live_.FlushDisplays();
    }
  }
  if (!state_.QuitRequested) panels_.SetButtonsDimmed(0, 0);
}

void CalibController::CBF_ButtonStartSelfCalibration() {
  if (!ConfirmSendPower()) return;
  panels_.RunDimmed([this] { StartSelfCalibration(); });
}

void CalibController::CBF_ButtonSendOffset() {
  panels_.RunDimmed([this] { SendOffset(); });
}

void CalibController::CBF_ButtonGetOffset() {
  panels_.RunDimmed([this] { GetCF(); });
}

void CalibController::CBF_ButtonCalcOffset() {
  if (!popups_.Confirm(QStringLiteral("CALCULATE OFFSET"),
                       QStringLiteral("Make sure, that the receiver of the sensor is covered!")))
    return;
  panels_.RunDimmed([this] { CalcOffset(); });
}

void CalibController::GenerateHWInfoFile() {
  SensorLink& link = link_.link();
  auto& messages = panels_.connectPage();
  state_.SensorConnected = 1;
  const Memory memory = state_.MemorySelection;
  state_.MemorySelection = Memory::Ram;
  params_.GetPara();
  state_.MemorySelection = memory;
  if (state_.SensorConnected == 0) return;
  if (GetCF() != 1 || state_.SensorConnected == 0) return;
  HardwareInfo info;
  if (ReadHardwareData(link, &info.hardwareData) != 1 || state_.SensorConnected == 0) return;
  info.firmware = link_.FirmwareText;

  const QFileInfo current(HwInfoPath);
  const FileRequest request{current.isDir() ? current.absoluteFilePath() : current.absolutePath(),
                            QString::fromLatin1(hwfile::kDefaultName), QStringLiteral("*.ini"),
                            QStringLiteral("HardwareInitialFile"), true};
  QString path;
  if (popups_.SelectFile(request, &path) == FileSelect::None || path.isEmpty()) {
    messages.AppendMessage(QStringLiteral("ATTENTION!   NO FILE WAS SELECTED!\n\n"));
    return;
  }
  HwInfoPath = path;
  params_.GetPanelValues();
  auto& cal = panels_.calibrationPage().ui;
  auto& off = panels_.offsetPage().ui;
  info.factors = {static_cast<std::uint16_t>(cal.NumCFR->value()),
                  static_cast<std::uint16_t>(cal.NumCFG->value()),
                  static_cast<std::uint16_t>(cal.NumCFB->value())};
  info.offsets = {static_cast<std::uint16_t>(off.NumOffsetRed->value()),
                  static_cast<std::uint16_t>(off.NumOffsetGreen->value()),
                  static_cast<std::uint16_t>(off.NumOffsetBlue->value())};
  IniText ini;
  PutHardwareInfoFile(ini, info, params_.para());
  // The writer replaces the file only when the new one is complete.
  if (ini.WriteToFile(path) < 0) {
    messages.AppendMessage(
        QStringLiteral("ATTENTION! \nHARDWARE INI FILE COULD NOT BE WRITTEN TO:\n%1\n%2\n\n")
            .arg(QDir::toNativeSeparators(path),
                 QStringLiteral("Check that the directory exists, is writable and has free space.")));
    return;
  }
  messages.AppendMessage(QStringLiteral("HARDWARE INI FILE HAS BEEN SAVED TO:\n%1\n\n").arg(path));
}

}  // namespace trivolux
