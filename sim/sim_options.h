#pragma once
// Settings, fault switches, limits and the request log of the sensor simulator.
#include <QString>
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

namespace trivolux::sim {

// What the simulator holds for one connection at most, in bytes. Output is
// every frame byte the kernel has not taken yet, wherever it waits (delayed,
// paced, or in the link because the peer does not read): like a sensor
// talking to a stuck peer, a frame that does not fit is dropped whole. Paced
// input is what arrived faster than the line rate: like an overrun receiver,
// the bytes that do not fit are lost.
inline constexpr qsizetype kOutputBacklogCap = 64 * 1024;
inline constexpr qsizetype kPacedInputCap = 64 * 1024;

struct RequestRecord {
  std::uint8_t order;
  std::uint16_t param;
  std::uint16_t length;
};

// Fault injection. Everything is off by default; tests change the fields at
// any time. Counters count requests or frames from the moment they are set.
struct Faults {
  int dropAnswerNth = 0;            // drop the answer to the n-th request from now (0 = off)
  int dropEveryNth = 0;             // drop every n-th answer
  int corruptSync = 0;              // corrupt the sync byte of the next n frames
  int corruptHeaderCrc = 0;         // ... the header CRC of the next n frames
  int corruptDataCrc = 0;           // ... the data CRC of the next n frames that carry data
  int splitPieces = 0;              // send frames in this many pieces (0/1 = whole)
  int splitPauseMs = 0;             // pause between pieces
  int delayMs = 0;                  // delay every answer by this much (3500 > the 3 s limit)
  bool closeOnNextRequest = false;  // close the connection instead of answering the next request
  int implausibleCount = 0;         // report k implausible values on orders 1, 4 and 101
  bool unknownOrderForAll = false;  // answer every request with order 0 / param 1
  // Answer order 8 with these 20 words instead of a measured frame.
  std::optional<std::array<std::int16_t, 20>> fixedFrame;
  // Answer order 102 with these calibration factors instead of the stored
  // ones (a sensor whose calibration memory holds what it would refuse).
  std::optional<std::array<std::uint16_t, 3>> calFactorAnswer;
};

// Faults at random moments (see random_faults.h), for soak runs.
struct RandomFaultPlan {
  std::uint32_t seed = 1;
  int meanGapMs = 5000;   // mean pause between two faults
  int delayMs = 3500;     // the Delay fault: beyond the program's 3 s wait
  int splitPieces = 4;    // the Split fault: pieces ...
  int splitPauseMs = 30;  // ... this far apart
};

struct SimOptions {
  QString ident = "TRIVOLUX VR V1.2.0  SIMULATOR";  // order-7 text (72 bytes, zero padded)
  std::uint16_t serial = 4711;
  int triggerPeriodMs = 200;  // simulated trigger events: automatic sending and the scope
  // Automatic sending stays on but sends nothing more once this many frames
  // went out since the start (0 = no limit), so a test knows the last one.
  long long autoFrameLimit = 0;
  bool lineRate = false;                     // pace both directions at the current baud rate (10 bits/byte)
  int baudIndex = 4;                         // current baud-rate index (0..7; >7 = 115200)
  QString eepromFile;                        // keep the EEPROM in this file when not empty
  std::optional<std::array<int, 3>> target;  // fixed target colour R,G,B; slow drift when unset
  std::uint32_t noiseSeed = 1;               // deterministic noise
  bool verbose = false;
  // Requests() keeps at most this many records; beyond it the oldest tenth is
  // dropped, so a simulator left running under a GO loop does not grow without end.
  std::size_t requestLogLimit = 1000000;
  std::optional<RandomFaultPlan> randomFaults;  // off unless set
};

// Baud-rate table of the serial line; any index above 7 gives 115200.
int BaudRateForIndex(int index);

}  // namespace trivolux::sim
