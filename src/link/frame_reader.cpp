#include "link/frame_reader.h"

#include <cstring>

#include "link/crc8.h"

namespace trivolux {

FrameReader::FrameReader(std::size_t maxLength) : maxLength_(maxLength) {}

void FrameReader::Feed(const std::uint8_t* bytes, std::size_t count) {
  if (count == 0) return;
  // Compact lazily so that a steady stream does not grow the buffer.
  if (start_ > 0 && start_ >= buffer_.size() / 2) {
    buffer_.erase(buffer_.begin(), buffer_.begin() + static_cast<std::ptrdiff_t>(start_));
    start_ = 0;
  }
  buffer_.insert(buffer_.end(), bytes, bytes + count);
}

void FrameReader::Reset() {
  buffer_.clear();
  start_ = 0;
  resyncing_ = false;
}

void FrameReader::Drop(std::size_t count) {
  start_ += count;
  if (start_ >= buffer_.size()) {
    buffer_.clear();
    start_ = 0;
  }
}

std::optional<FrameReader::Event> FrameReader::Next() {
  while (Pending() > 0) {
    const std::uint8_t* head = Head();
    if (head[0] != kFrameSync) {
      // Skip to the next candidate sync byte in one step.
      const void* sync = std::memchr(head + 1, kFrameSync, Pending() - 1);
      const std::size_t skip =
          sync ? static_cast<std::size_t>(static_cast<const std::uint8_t*>(sync) - head) : Pending();
      Drop(skip);
      if (!resyncing_) {
        resyncing_ = true;
        return Event{Kind::BadHeader, {}, {}};
      }
      continue;
    }
    if (Pending() < kHeaderSize) return std::nullopt;
    const std::optional<FrameHeader> header = ParseHeader(head);
    if (!header) {
      Drop(1);
      if (!resyncing_) {
        resyncing_ = true;
        return Event{Kind::BadHeader, {}, {}};
      }
      continue;
    }
    if (header->length > maxLength_) {
      // The data of an over-long frame cannot be trusted to be data: drop the
      // header only and resynchronise on whatever follows.
      Drop(kHeaderSize);
      resyncing_ = true;
      return Event{Kind::TooLong, *header, {}};
    }
    if (Pending() < kHeaderSize + header->length) return std::nullopt;
    resyncing_ = false;
    Event event;
    event.header = *header;
    event.data.assign(head + kHeaderSize, head + kHeaderSize + header->length);
    Drop(kHeaderSize + header->length);
    const std::uint8_t crc = Crc8(event.data.data(), event.data.size());
    event.kind = crc == header->dataCrc ? Kind::Frame : Kind::BadDataCrc;
    return event;
  }
  return std::nullopt;
}

}  // namespace trivolux
