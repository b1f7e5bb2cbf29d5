// The frame reader over an arbitrary byte stream: every frame it hands out
// fits the limit and carries the data its header announced, and the events
// do not depend on how the stream was cut into pieces. The first byte picks
// the limit (request or answer side) and the piece size.
#include <vector>

#include "fuzz_targets.h"
#include "link/crc8.h"
#include "link/frame_reader.h"

namespace trivolux::fuzz {

namespace {

struct Seen {
  FrameReader::Kind kind;
  std::uint8_t order;
  std::uint16_t param, length;
  std::vector<std::uint8_t> data;
  bool operator==(const Seen& o) const {
    return kind == o.kind && order == o.order && param == o.param && length == o.length && data == o.data;
  }
};

void Drain(FrameReader& reader, std::vector<Seen>* seen) {
  while (auto e = reader.Next()) {
    if (e->kind == FrameReader::Kind::Frame || e->kind == FrameReader::Kind::BadDataCrc) {
      Require(e->data.size() == e->header.length, "data length differs from the header's");
      Require(e->data.size() <= reader.MaxLength(), "frame above the limit");
      const bool crcOk = Crc8(e->data.data(), e->data.size()) == e->header.dataCrc;
      Require(crcOk == (e->kind == FrameReader::Kind::Frame), "data CRC and event kind disagree");
    }
    if (e->kind == FrameReader::Kind::TooLong)
      Require(e->header.length > reader.MaxLength(), "TooLong within the limit");
    seen->push_back({e->kind, e->header.order, e->header.param, e->header.length, e->data});
  }
}

}  // namespace

void FrameReaderInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return;
  const std::size_t limit = (data[0] & 1) ? kMaxAnswerData : kMaxRequestPayload;
  const std::size_t piece = 1 + (data[0] >> 1);
  ++data;
  --size;
  FrameReader whole(limit), pieces(limit);
  std::vector<Seen> a, b;
  whole.Feed(data, size);
  Drain(whole, &a);
  for (std::size_t at = 0; at < size; at += piece) {
    pieces.Feed(data + at, std::min(piece, size - at));
    Drain(pieces, &b);
    Require(pieces.Pending() <= size, "more pending than fed");
  }
  Require(a == b, "events depend on how the stream was cut");
  Require(whole.Pending() == pieces.Pending(), "pending bytes depend on how the stream was cut");
  Require(whole.Pending() < kHeaderSize + limit, "a complete frame was left pending");
  whole.Reset();
  Require(whole.Pending() == 0 && !whole.Next(), "reset kept bytes");
}

}  // namespace trivolux::fuzz
