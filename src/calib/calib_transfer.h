#pragma once
// The calibration requests over the checked exchange, without panels: read
// the factors and offsets (order 102), write factors or offsets (order 101
// with the status rule), read the hardware data (order 194). An answer of
// another length than documented is a data-frame failure and changes nothing.
#include <QString>
#include <array>
#include <cstdint>

namespace trivolux {

class SensorLink;

using ChannelWords = std::array<std::uint16_t, 3>;  // red, green, blue

struct CalibValues {
  ChannelWords factors{};
  ChannelWords offsets{};
};

// Order 102: 1 with *values filled, -1 after a reported failure.
int GetCalibration(SensorLink& link, CalibValues* values);

inline constexpr std::uint16_t kWriteFactors = 0;
inline constexpr std::uint16_t kWriteOffsets = 1;
// Order 101 with param kWriteFactors or kWriteOffsets. 1: accepted. 0: the
// sensor set implausible values to their defaults; the plausibility message
// was reported through SensorLink::Fail (the status rule). -1: the exchange
// failed (reported).
int WriteCalibration(SensorLink& link, std::uint16_t param, const ChannelWords& words);

// Order 194 with the service code: 1 with the 256 words as hex text, -1
// after a reported failure.
int ReadHardwareData(SensorLink& link, QString* hexText);

}  // namespace trivolux
