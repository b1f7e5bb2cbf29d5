#pragma once
// FrameReader: a pure, incremental reader of sensor frames over a byte stream
// (no I/O). Bytes go in with Feed(); Next() hands out one event at a time:
// a complete frame (header + data), a header that failed its check, a frame
// whose data CRC is wrong, or a header announcing more data than allowed.
//
// Resynchronisation: after a bad header or an over-long length the reader
// drops bytes until the next position that holds a valid header (sync 0x55
// and a header CRC of 0). One garbage run yields one BadHeader event, so a
// burst of noise produces a single error answer, not one per byte.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "link/frame.h"

namespace trivolux {

class FrameReader {
 public:
  enum class Kind {
    Frame,       // header and data are valid
    BadHeader,   // start of a garbage run (wrong sync or header CRC)
    BadDataCrc,  // header valid, data CRC wrong; the frame was consumed
    TooLong,     // header valid, length above the limit; resync follows
  };
  struct Event {
    Kind kind = Kind::Frame;
    FrameHeader header;              // valid for Frame, BadDataCrc and TooLong
    std::vector<std::uint8_t> data;  // the frame's data bytes (Frame, BadDataCrc)
  };

  // maxLength: largest data length accepted (requests 512, answers 2040).
  explicit FrameReader(std::size_t maxLength = kMaxRequestPayload);

  void Feed(const std::uint8_t* bytes, std::size_t count);
  // The next event, or nothing when more bytes are needed.
  std::optional<Event> Next();
  // Drops everything buffered (a client went away, a partial frame went stale).
  void Reset();
  // Bytes buffered that do not yet form an event.
  std::size_t Pending() const { return buffer_.size() - start_; }
  std::size_t MaxLength() const { return maxLength_; }

 private:
  const std::uint8_t* Head() const { return buffer_.data() + start_; }
  void Drop(std::size_t count);

  std::size_t maxLength_;
  std::vector<std::uint8_t> buffer_;
  std::size_t start_ = 0;
  bool resyncing_ = false;  // inside a garbage run already reported
};

}  // namespace trivolux
