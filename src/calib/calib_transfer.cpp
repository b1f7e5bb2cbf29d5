#include "calib/calib_transfer.h"

#include "calib/calibration.h"
#include "link/frame.h"
#include "link/orders.h"
#include "link/sensor_link.h"
#include "params/param_transfer.h"

namespace trivolux {

namespace {
constexpr int kCalibAnswerBytes = 12;  // three factors, three offsets
constexpr int kHardwareBytes = 512;
}  // namespace

int GetCalibration(SensorLink& link, CalibValues* values) {
  if (link.Exchange(order::kReadCalib, 0) != 1 || !link.AnswerLengthIs(kCalibAnswerBytes)) return -1;
  const std::uint8_t* d = link.AnswerData();
  for (std::size_t c = 0; c < 3; ++c) {
    values->factors[c] = ReadU16(d + 2 * c);
    values->offsets[c] = ReadU16(d + 6 + 2 * c);
  }
  return 1;
}

int WriteCalibration(SensorLink& link, std::uint16_t param, const ChannelWords& words) {
  std::uint8_t payload[6];
  for (std::size_t c = 0; c < 3; ++c) WriteU16(payload + 2 * c, words[c]);
  if (link.Exchange(order::kWriteCalib, param, payload, sizeof payload) != 1) return -1;
  if (link.AnswerParam == 0) return 1;
  link.Fail(ParamTransfer::RamPlausibilityText(link.AnswerParam));
  return 0;
}

int ReadHardwareData(SensorLink& link, QString* hexText) {
  if (link.Exchange(order::kHardwareInfo, order::kHardwareInfoCode) != 1 ||
      !link.AnswerLengthIs(kHardwareBytes))
    return -1;
  *hexText = HardwareDataText(link.AnswerData(), link.AnswerLength);
  return 1;
}

}  // namespace trivolux
