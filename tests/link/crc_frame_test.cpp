#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <vector>

#include "link/crc8.h"
#include "link/frame.h"

namespace trivolux {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Build(std::uint8_t order, std::uint16_t param, const Bytes& payload) {
  Bytes out(kHeaderSize + payload.size());
  BuildFrame(order, param, payload.data(), static_cast<std::uint16_t>(payload.size()), out.data());
  return out;
}

TEST(Crc8, CheckValuesWithBothStartValues) {
  const std::uint8_t digits[] = {'1', '2', '3', '4', '5', '6', '7', '8', '9'};
  EXPECT_EQ(Crc8(digits, sizeof digits), 0x6D);
  EXPECT_EQ(Crc8(digits, sizeof digits, 0), 0xA1);
  EXPECT_EQ(crc8Update(digits, 0, sizeof digits), 0x6D);
  // Offset form used where several frames lie one after another.
  const std::uint8_t shifted[] = {0xFF, 0xFF, '1', '2', '3', '4', '5', '6', '7', '8', '9'};
  EXPECT_EQ(crc8Update(shifted, 2, 9), 0x6D);
  EXPECT_EQ(Crc8(nullptr, 0), 0xAA);
}

TEST(Frame, WorkedRequests) {
  EXPECT_EQ(Build(8, 0, {}), (Bytes{0x55, 0x08, 0x00, 0x00, 0x00, 0x00, 0xAA, 0x76}));
  EXPECT_EQ(Build(7, 0, {}), (Bytes{0x55, 0x07, 0x00, 0x00, 0x00, 0x00, 0xAA, 0x52}));
  EXPECT_EQ(Build(101, 0, {0x00, 0x04, 0x00, 0x04, 0x00, 0x04}),
            (Bytes{0x55, 0x65, 0x00, 0x00, 0x06, 0x00, 0x73, 0xE5, 0x00, 0x04, 0x00, 0x04, 0x00, 0x04}));
}

TEST(Frame, HeaderCheck) {
  Bytes frame = Build(2, 0x1234, {});
  EXPECT_EQ(Crc8(frame.data(), kHeaderSize), 0) << "CRC over a whole correct header";
  const auto header = ParseHeader(frame.data());
  ASSERT_TRUE(header);
  EXPECT_EQ(header->order, 2);
  EXPECT_EQ(header->param, 0x1234);
  EXPECT_EQ(header->length, 0);
  EXPECT_EQ(header->dataCrc, 0xAA);

  // Every single-bit flip in the header is caught.
  for (std::size_t byte = 1; byte < kHeaderSize; ++byte) {
    for (int bit = 0; bit < 8; ++bit) {
      Bytes bad = frame;
      bad[byte] ^= static_cast<std::uint8_t>(1 << bit);
      EXPECT_FALSE(ParseHeader(bad.data())) << "byte " << byte << " bit " << bit;
    }
  }
  // A header whose CRC is right but whose sync byte is not 0x55 is refused.
  Bytes noSync = frame;
  noSync[0] = 0x54;
  noSync[7] = Crc8(noSync.data(), 7);
  EXPECT_EQ(Crc8(noSync.data(), kHeaderSize), 0);
  EXPECT_FALSE(ParseHeader(noSync.data()));
}

}  // namespace
}  // namespace trivolux
