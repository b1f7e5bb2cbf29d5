#include "link/frame.h"

#include <cstring>

#include "link/crc8.h"

namespace trivolux {

void BuildHeader(std::uint8_t order, std::uint16_t param, const std::uint8_t* payload, std::uint16_t length,
                 std::uint8_t* out) {
  out[0] = kFrameSync;
  out[1] = order;
  WriteU16(out + 2, param);
  WriteU16(out + 4, length);
  out[6] = length ? Crc8(payload, length) : kCrcStart;
  out[7] = Crc8(out, 7);
}

std::size_t BuildFrame(std::uint8_t order, std::uint16_t param, const std::uint8_t* payload,
                       std::uint16_t length, std::uint8_t* out) {
  if (length) std::memmove(out + kHeaderSize, payload, length);
  BuildHeader(order, param, out + kHeaderSize, length, out);
  return kHeaderSize + length;
}

std::optional<FrameHeader> ParseHeader(const std::uint8_t* bytes) {
  if (bytes[0] != kFrameSync || Crc8(bytes, kHeaderSize) != 0) return std::nullopt;
  FrameHeader h;
  h.order = bytes[1];
  h.param = ReadU16(bytes + 2);
  h.length = ReadU16(bytes + 4);
  h.dataCrc = bytes[6];
  return h;
}

}  // namespace trivolux
