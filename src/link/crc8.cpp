#include "link/crc8.h"

namespace trivolux {
namespace {

constexpr std::array<std::uint8_t, 256> MakeTable() {
  std::array<std::uint8_t, 256> t{};
  for (int i = 0; i < 256; ++i) {
    std::uint8_t crc = static_cast<std::uint8_t>(i);
    for (int bit = 0; bit < 8; ++bit) {
      crc = (crc & 1) ? static_cast<std::uint8_t>((crc >> 1) ^ 0x8C) : static_cast<std::uint8_t>(crc >> 1);
    }
    t[static_cast<std::size_t>(i)] = crc;
  }
  return t;
}

constexpr std::array<std::uint8_t, 256> kTable = MakeTable();
static_assert(kTable[1] == 0x5E && kTable[2] == 0xBC && kTable[7] == 0x83, "Maxim table");

}  // namespace

const std::array<std::uint8_t, 256>& Crc8Table() {
  return kTable;
}

std::uint8_t Crc8(const std::uint8_t* data, std::size_t count, std::uint8_t start) {
  std::uint8_t crc = start;
  for (std::size_t i = 0; i < count; ++i) crc = kTable[crc ^ data[i]];
  return crc;
}

std::uint8_t crc8Update(const std::uint8_t* buffer, std::size_t offset, std::size_t count,
                        const std::array<std::uint8_t, 256>& table) {
  std::uint8_t crc = kCrcStart;
  for (std::size_t i = 0; i < count; ++i) crc = table[crc ^ buffer[offset + i]];
  return crc;
}

}  // namespace trivolux
