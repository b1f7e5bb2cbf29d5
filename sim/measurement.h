#pragma once
// Synthesises what the sensor measures: the 40-byte measurement frame, the
// averaged raw levels used by self calibration and offset detection, and the
// per-sample levels the scope records. Deterministic for a given noise seed
// and time.
#include <array>
#include <cstdint>

#include "sim/colour_model.h"
#include "sim/sensor_model.h"
#include "sim/sim_options.h"

namespace trivolux::sim {

// xorshift32: small, fast and the same on every platform.
class Noise {
 public:
  explicit Noise(std::uint32_t seed) : state_(seed ? seed : 0x9E3779B9u) {}
  std::uint32_t Next() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return state_;
  }
  double Uniform() { return (Next() & 0xFFFFFF) / double(0x800000) - 1.0; }  // -1 .. 1

 private:
  std::uint32_t state_;
};

struct Sample {
  std::array<int, 3> raw{};  // after offset subtraction
  std::array<int, 3> cal{};  // raw * CF / 1024
  ColourPoint point;         // colour point of the calculation mode
  Evaluation eval;
  int power = 0;     // transmitter power used (POWER, or tuned in POWER MODE DYN)
  bool in0 = false;  // simulated trigger input IN0
};

class Measurement {
 public:
  explicit Measurement(std::uint32_t seed) : noise_(seed) {}

  // Target colour at a time: fixed, or a slow drift around the hue circle
  // (one turn in 120 s, levels 600..2400 digits).
  static std::array<double, 3> Target(const SimOptions& options, std::int64_t ms);
  // IN0 is high for the first fifth of every trigger period.
  static bool In0(const SimOptions& options, std::int64_t ms);
  // Set 1 measures while set 0 selects TRIGGER = PARA and IN0 is high.
  static int ActiveSet(const SensorModel& model, const SimOptions& options, std::int64_t ms);

  // One sample; noiseScale 0 gives the noise-free level.
  Sample Take(const SensorModel& model, const SimOptions& options, std::int64_t ms, double noiseScale = 1.0);
  // The measurement frame: mean of 8 sub-scans plus their extremes.
  std::array<std::uint8_t, 40> Frame(const SensorModel& model, const SimOptions& options, std::int64_t ms);
  // Dark level (receiver covered, LED off) of each channel, before offsets.
  static std::array<std::uint16_t, 3> DarkLevel() {
    return {static_cast<std::uint16_t>(kDarkLevel[0]), static_cast<std::uint16_t>(kDarkLevel[1]),
            static_cast<std::uint16_t>(kDarkLevel[2])};
  }
  // Temperature inside the sensor in whole degrees Celsius (34..36, slow).
  static int Temperature(std::int64_t ms);

  Noise& noise() { return noise_; }

 private:
  Noise noise_;
};

}  // namespace trivolux::sim
