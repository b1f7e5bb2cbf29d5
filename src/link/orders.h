#pragma once
// Order codes of the sensor protocol (request byte 1).
#include <cstddef>
#include <cstdint>

namespace trivolux::order {

constexpr std::uint8_t kError = 0;       // answer only: param 1 unknown order, 2 comm error
constexpr std::uint8_t kWriteBlock = 1;  // param: block number; payload 34 or 512 bytes
constexpr std::uint8_t kReadBlock = 2;   // param: block number; answer 34 or 512 bytes
constexpr std::uint8_t kRamToEeprom = 3;
constexpr std::uint8_t kEepromToRam = 4;     // answer param: implausible count
constexpr std::uint8_t kIdentify = 7;        // answer: 72-byte text, param = serial number
constexpr std::uint8_t kMeasure = 8;         // answer: 40-byte measurement frame
constexpr std::uint8_t kAutoSend = 30;       // param 1 start, 0 stop
constexpr std::uint8_t kDetectOffset = 100;  // param 1
constexpr std::uint8_t kWriteCalib = 101;    // param 0 factors, 1 offsets; 6 bytes
constexpr std::uint8_t kReadCalib = 102;     // answer: 6 u16
constexpr std::uint8_t kSelfCalib = 103;     // answer: 5 u16
constexpr std::uint8_t kCycleTime = 105;     // answer: two i32 N and T
constexpr std::uint8_t kScope = 110;         // param 1 start (10 bytes), 0 break
constexpr std::uint8_t kBaudrate = 190;      // param: new baud-rate index
constexpr std::uint8_t kHardwareInfo = 194;  // param 0x5A3C; answer 512 bytes

constexpr std::uint16_t kHardwareInfoCode = 0x5A3C;
constexpr std::uint16_t kErrUnknownOrder = 1;
constexpr std::uint16_t kErrCommunication = 2;

// Block numbers for orders 1 and 2 with parameter set s.
constexpr std::uint16_t ParamBlock(int s) {
  return static_cast<std::uint16_t>(s);
}
constexpr std::uint16_t TeachBlockLow(int s) {
  return static_cast<std::uint16_t>(2 * s + 2);
}
constexpr std::uint16_t TeachBlockHigh(int s) {
  return static_cast<std::uint16_t>(2 * s + 3);
}

constexpr std::size_t kParamBlockBytes = 34;
constexpr std::size_t kTeachHalfBytes = 512;
constexpr std::size_t kIdentBytes = 72;
constexpr std::size_t kMeasureBytes = 40;
constexpr std::size_t kScopeFrameData = 258;

}  // namespace trivolux::order
