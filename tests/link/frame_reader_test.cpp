#include "link/frame_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "link/crc8.h"
#include "link/frame.h"

namespace trivolux {
namespace {

using Bytes = std::vector<std::uint8_t>;
using Kind = FrameReader::Kind;

Bytes Frame(std::uint8_t order, std::uint16_t param, std::size_t length = 0, std::uint8_t fill = 0x11) {
  Bytes payload(length, fill);
  Bytes out(kHeaderSize + length);
  BuildFrame(order, param, payload.data(), static_cast<std::uint16_t>(length), out.data());
  return out;
}

Bytes Cat(std::initializer_list<Bytes> parts) {
  Bytes out;
  for (const Bytes& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

// Compact event trace: "F8/0:0" frame order/param:length, "H" bad header,
// "D1" bad data CRC of order 1, "L1" over-long order 1.
std::string Trace(FrameReader& reader) {
  std::string out;
  while (auto e = reader.Next()) {
    if (!out.empty()) out += ' ';
    switch (e->kind) {
      case Kind::Frame:
        out += "F" + std::to_string(e->header.order) + "/" + std::to_string(e->header.param) + ":" +
               std::to_string(e->data.size());
        break;
      case Kind::BadHeader:
        out += "H";
        break;
      case Kind::BadDataCrc:
        out += "D" + std::to_string(e->header.order);
        break;
      case Kind::TooLong:
        out += "L" + std::to_string(e->header.order);
        break;
    }
  }
  return out;
}

Bytes BadDataCrc() {
  Bytes f = Frame(1, 0, 34);
  f[20] ^= 0x01;
  return f;
}

Bytes BadHeaderCrc() {
  Bytes f = Frame(8, 0);
  f[7] ^= 0x40;
  return f;
}

struct Case {
  const char* name;
  Bytes stream;
  std::string expected;
  std::size_t pendingAfter = 0;
};

TEST(FrameReader, Streams) {
  const Case cases[] = {
      {"single request", Frame(8, 0), "F8/0:0"},
      {"request with payload", Frame(1, 2, 512), "F1/2:512"},
      {"back to back", Cat({Frame(7, 0), Frame(2, 4), Frame(1, 0, 34)}), "F7/0:0 F2/4:0 F1/0:34"},
      {"leading garbage is one error", Cat({Bytes{1, 2, 3, 0x55, 0x55, 9}, Frame(8, 0)}), "H F8/0:0"},
      {"garbage between frames", Cat({Frame(7, 0), Bytes(40, 0xEE), Frame(8, 0)}), "F7/0:0 H F8/0:0"},
      {"bad header CRC then resync", Cat({BadHeaderCrc(), Frame(8, 0)}), "H F8/0:0"},
      {"bad data CRC consumes the frame", Cat({BadDataCrc(), Frame(2, 0)}), "D1 F2/0:0"},
      {"length 513 is refused and its data skipped", Cat({Frame(1, 2, 513, 0x00), Frame(7, 0)}), "L1 F7/0:0"},
      {"length 512 is fine", Frame(1, 3, 512, 0x55), "F1/3:512"},
      {"empty frame with wrong data CRC",
       [] {
         Bytes f = Frame(8, 0);
         f[6] = 0x00;
         f[7] = Crc8(f.data(), 7);
         return f;
       }(),
       "D8"},
      {"truncated header waits", Bytes{0x55, 0x08, 0x00}, "", 3},
      {"truncated data waits",
       [] {
         Bytes f = Frame(1, 0, 34);
         f.resize(20);
         return f;
       }(),
       "", 20},
      {"sync bytes inside a payload do not confuse", Frame(1, 2, 512, 0x55), "F1/2:512"},
  };
  for (const Case& c : cases) {
    // Whole stream at once, then byte by byte: same trace.
    FrameReader whole;
    whole.Feed(c.stream.data(), c.stream.size());
    EXPECT_EQ(Trace(whole), c.expected) << c.name;
    EXPECT_EQ(whole.Pending(), c.pendingAfter) << c.name;

    FrameReader trickle;
    std::string trace;
    for (std::uint8_t b : c.stream) {
      trickle.Feed(&b, 1);
      const std::string part = Trace(trickle);
      if (!part.empty()) trace += (trace.empty() ? "" : " ") + part;
    }
    EXPECT_EQ(trace, c.expected) << c.name << " (byte by byte)";
  }
}

TEST(FrameReader, DataAndResetAfterDisconnectMidFrame) {
  FrameReader reader;
  Bytes f = Frame(1, 0, 34, 0x42);
  reader.Feed(f.data(), 20);
  EXPECT_FALSE(reader.Next());
  reader.Reset();  // the client went away mid-frame
  EXPECT_EQ(reader.Pending(), 0u);
  reader.Feed(f.data(), f.size());
  auto e = reader.Next();
  ASSERT_TRUE(e);
  EXPECT_EQ(e->kind, Kind::Frame);
  EXPECT_EQ(e->data, Bytes(34, 0x42));
}

TEST(FrameReader, AnswerSizedLimit) {
  FrameReader reader(kMaxAnswerData);
  Bytes f = Frame(194, 0, 2040);
  reader.Feed(f.data(), f.size());
  EXPECT_EQ(Trace(reader), "F194/0:2040");
}

}  // namespace
}  // namespace trivolux
