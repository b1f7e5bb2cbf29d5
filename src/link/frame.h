#pragma once
// Frame layout shared by the program and the simulator. Every frame starts
// with an 8-byte header: sync 0x55, order, param (LE), length (LE), data CRC,
// header CRC. A request is the header followed by `length` payload bytes.
#include <cstddef>
#include <cstdint>
#include <optional>

namespace trivolux {

constexpr std::uint8_t kFrameSync = 0x55;
constexpr std::size_t kHeaderSize = 8;
constexpr std::size_t kRxBufSize = 2048;
constexpr std::size_t kMaxAnswerData = kRxBufSize - kHeaderSize;  // 2040
constexpr std::size_t kMaxRequestPayload = 512;

struct FrameHeader {
  std::uint8_t order = 0;
  std::uint16_t param = 0;
  std::uint16_t length = 0;
  std::uint8_t dataCrc = 0;
};

// Writes a complete header for `payload` (length bytes) into out[0..7].
void BuildHeader(std::uint8_t order, std::uint16_t param, const std::uint8_t* payload, std::uint16_t length,
                 std::uint8_t* out);

// Builds header + payload into out (which must hold length + 8 bytes);
// returns the frame size.
std::size_t BuildFrame(std::uint8_t order, std::uint16_t param, const std::uint8_t* payload,
                       std::uint16_t length, std::uint8_t* out);

// A header is valid when byte 0 is the sync byte and the CRC over all eight
// bytes, started at 0xAA, is zero.
std::optional<FrameHeader> ParseHeader(const std::uint8_t* bytes);

inline std::uint16_t ReadU16(const std::uint8_t* p) {
  return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}
inline void WriteU16(std::uint8_t* p, std::uint16_t v) {
  p[0] = static_cast<std::uint8_t>(v & 0xFF);
  p[1] = static_cast<std::uint8_t>(v >> 8);
}
inline std::int32_t ReadI32(const std::uint8_t* p) {
  return static_cast<std::int32_t>(
      static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
      (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24));
}
inline void WriteI32(std::uint8_t* p, std::int32_t v) {
  const auto u = static_cast<std::uint32_t>(v);
  for (int i = 0; i < 4; ++i) p[i] = static_cast<std::uint8_t>((u >> (8 * i)) & 0xFF);
}

}  // namespace trivolux
