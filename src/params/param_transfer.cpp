#include "params/param_transfer.h"

#include <array>
#include <cstring>

#include "link/orders.h"
#include "link/sensor_link.h"

namespace trivolux {

ParamTransfer::ParamTransfer(SharedState& state, SensorLink& link, ParameterSet& workingCopy, QObject* parent)
    : QObject(parent), state_(state), link_(link), copy_(workingCopy) {}

QString ParamTransfer::RamPlausibilityText(std::uint16_t count) {
  return QString("INFO!\n%1 PARAMETER IN RAM DID NOT PASS PLAUSIBILITY CHECK AND WERE SET TO DEFAULT VALUE!")
      .arg(count);
}

QString ParamTransfer::EepromPlausibilityText(std::uint16_t count) {
  return QString(
             "INFO!\n%1 PARAMETER FROM EEPROM DID NOT PASS PLAUSIBILITY CHECK AND WERE SET TO DEFAULT "
             "VALUE!\n\n")
      .arg(count);
}

int ParamTransfer::WriteBlock(std::uint16_t param, const std::uint8_t* payload, std::uint16_t length) {
  if (link_.Exchange(order::kWriteBlock, param, payload, length) != 1) return -1;
  // The sensor still took the block; its defaults replaced the implausible values.
  if (link_.AnswerParam != 0) link_.Fail(RamPlausibilityText(link_.AnswerParam));
  return 1;
}

int ParamTransfer::ReadBlock(std::uint16_t param, std::uint16_t length, std::uint8_t* into) {
  if (link_.Exchange(order::kReadBlock, param) != 1) return -1;
  if (!link_.AnswerLengthIs(length)) return -1;
  std::memcpy(into, link_.AnswerData(), length);
  return 1;
}

int ParamTransfer::KeepSensorReservedWords() {
  std::array<std::uint8_t, kTeachHalfPayload> half{};
  TeachTable sensor;
  for (int h = 0; h < 2; ++h) {
    if (ReadBlock(TeachFrameParam(state_.ParaSet, h), kTeachHalfPayload, half.data()) != 1) return -1;
    UnpackTeachHalf(half.data(), h, &sensor);
  }
  for (int r = 0; r < kTeachRows; ++r) copy_.table[r][kReserved] = sensor[r][kReserved];
  return 1;
}

int ParamTransfer::SendPara() {
  state_.SendPending = 0;
  const int s = state_.ParaSet;

  std::array<std::uint8_t, kTeachHalfPayload> payload{};
  PackParameterBlock(copy_.block, payload.data());
  if (WriteBlock(BlockFrameParam(s), payload.data(), kBlockBytes) != 1) return -1;
  for (int half = 0; half < 2; ++half) {
    PackTeachHalf(copy_.table, half, payload.data());
    if (WriteBlock(TeachFrameParam(s, half), payload.data(), kTeachHalfPayload) != 1) return -1;
  }
  if (state_.MemorySelection == Memory::Eeprom) {
    if (link_.Exchange(order::kRamToEeprom, 0) != 1) return -1;
  }
  return 1;
}

int ParamTransfer::GetPara() {
  state_.GetPending = 0;
  const int s = state_.ParaSet;

  if (state_.MemorySelection == Memory::Eeprom) {
    if (link_.Exchange(order::kEepromToRam, 0) != 1) return -1;
    if (link_.AnswerParam != 0) {
      link_.MessageText = EepromPlausibilityText(link_.AnswerParam);
      emit eepromNotice(link_.MessageText);
    }
  }

  // All three blocks are collected first: a read that fails half-way leaves
  // the working copy exactly as it was.
  std::array<std::uint8_t, kBlockBytes> block{};
  std::array<std::array<std::uint8_t, kTeachHalfPayload>, 2> halves{};
  if (ReadBlock(BlockFrameParam(s), kBlockBytes, block.data()) != 1) return -1;
  for (int half = 0; half < 2; ++half)
    if (ReadBlock(TeachFrameParam(s, half), kTeachHalfPayload, halves[half].data()) != 1) return -1;

  UnpackParameterBlock(block.data(), &copy_.block);
  for (int half = 0; half < 2; ++half) UnpackTeachHalf(halves[half].data(), half, &copy_.table);
  return 1;
}

}  // namespace trivolux
