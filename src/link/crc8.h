#pragma once
// CRC-8 of the sensor frames: the reflected Dallas/Maxim table (polynomial
// x^8 + x^5 + x^4 + 1, LSB first), register started at 0xAA, no final XOR.
#include <array>
#include <cstddef>
#include <cstdint>

namespace trivolux {

constexpr std::uint8_t kCrcStart = 0xAA;

const std::array<std::uint8_t, 256>& Crc8Table();

// Folds count bytes of buffer, starting at offset, into a register that
// starts at 0xAA. The table parameter keeps the documented call shape.
std::uint8_t crc8Update(const std::uint8_t* buffer, std::size_t offset, std::size_t count,
                        const std::array<std::uint8_t, 256>& table = Crc8Table());

// Same CRC with a caller-chosen start value (0 gives the standard Maxim check).
std::uint8_t Crc8(const std::uint8_t* data, std::size_t count, std::uint8_t start = kCrcStart);

}  // namespace trivolux
