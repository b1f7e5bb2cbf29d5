// Fuzzes the request path (frame reader + sensor core) with mutated valid
// requests and random bytes from a fixed-seed generator. Every answer must be
// a well-formed frame of at most 2040 data bytes; nothing may crash.
#include <gtest/gtest.h>

#include "link/frame_reader.h"
#include "link/orders.h"
#include "sim/sensor_core.h"
#include "sim_client.h"

namespace trivolux::sim::test {
namespace {

std::vector<Bytes> Corpus() {
  std::vector<Bytes> c;
  for (int o : {1, 2, 3, 4, 7, 8, 30, 100, 101, 102, 103, 105, 110, 190, 194}) c.push_back(Request(o, 0));
  c.push_back(Request(1, 0, Bytes(34, 3)));
  c.push_back(Request(1, 3, Bytes(512, 0xFF)));
  c.push_back(Request(101, 0, {0x00, 0x04, 0x00, 0x04, 0x00, 0x04}));
  c.push_back(Request(110, 1, {1, 0, 2, 0, 3, 0, 4, 0, 1, 0}));
  c.push_back(Request(194, order::kHardwareInfoCode));
  c.push_back(Request(30, 1));
  return c;
}

TEST(SimFuzz, RequestParserAndDispatch) {
  SimOptions options;
  Faults faults;
  SensorCore core(options, faults);
  FrameReader reader;
  Noise rng(12345);
  const std::vector<Bytes> corpus = Corpus();
  std::size_t frames = 0, errors = 0;
  for (int round = 0; round < 20000; ++round) {
    Bytes input = corpus[rng.Next() % corpus.size()];
    switch (rng.Next() % 6) {
      case 0:  // flip bits
        for (int k = 1 + static_cast<int>(rng.Next() % 4); k > 0; --k)
          input[rng.Next() % input.size()] ^= static_cast<std::uint8_t>(1u << (rng.Next() % 8));
        break;
      case 1:  // truncate
        input.resize(rng.Next() % input.size());
        break;
      case 2:  // random bytes
        input.assign(rng.Next() % 64, 0);
        for (auto& b : input) b = static_cast<std::uint8_t>(rng.Next());
        break;
      case 3: {  // valid header with a random order, param and length
        Bytes payload(rng.Next() % 600);
        for (auto& b : payload) b = static_cast<std::uint8_t>(rng.Next());
        input =
            Request(static_cast<std::uint8_t>(rng.Next()), static_cast<std::uint16_t>(rng.Next()), payload);
        break;
      }
      default:
        break;  // unchanged
    }
    reader.Feed(input.data(), input.size());
    while (auto e = reader.Next()) {
      if (e->kind != FrameReader::Kind::Frame) {
        ++errors;
        continue;
      }
      ++frames;
      ASSERT_LE(e->data.size(), kMaxRequestPayload);
      const SensorCore::Result r =
          core.Handle(e->header.order, e->header.param, e->data.data(), e->data.size(), round);
      ASSERT_LE(r.answer.data.size(), kMaxAnswerData);
      if (r.answer.order == 0) {
        ASSERT_TRUE(r.answer.param == 1 || r.answer.param == 2);
      }
      if (r.scopeFireNow) {
        ASSERT_EQ(core.FireScope(round).size(), 4u);
      }
    }
    if (rng.Next() % 50 == 0) reader.Reset();  // a client going away
  }
  EXPECT_GT(frames, 5000u);
  EXPECT_GT(errors, 1000u);
  // The sensor's state stays within its rules.
  for (int s = 0; s < 2; ++s) {
    ParamWords w = UnpackParams(core.model.ram[s].params);
    EXPECT_EQ(CheckParams(w), 0);
  }
}

}  // namespace
}  // namespace trivolux::sim::test
