#pragma once
// SensorCore: the sensor's answer to each request, without any I/O. The
// simulator feeds it checked request frames and sends what it returns; the
// fuzz test drives it directly.
#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

#include "sim/measurement.h"
#include "sim/scope.h"
#include "sim/sensor_model.h"
#include "sim/sim_options.h"

namespace trivolux::sim {

struct OutFrame {
  std::uint8_t order = 0;
  std::uint16_t param = 0;
  std::vector<std::uint8_t> data;
};

// Answer params of the error answers.
constexpr std::uint16_t kErrUnknownOrder = 1;
constexpr std::uint16_t kErrCommunication = 2;

constexpr std::int32_t kCycleN = 8000;  // order 105: N / (T * 0.01) = 1000 Hz
constexpr std::int32_t kCycleT = 800;
constexpr std::uint16_t kSelfCalSetValue = 2000;
constexpr std::uint16_t kSelfCalMaxDelta = 400;

class SensorCore {
 public:
  SensorCore(SimOptions& options, Faults& faults);

  struct Result {
    OutFrame answer;
    bool baudChanged = false;   // switch the line rate once the answer is out
    bool scopeFireNow = false;  // SINGLE SHOT: send the result frames right after the answer
  };
  Result Handle(std::uint8_t order, std::uint16_t param, const std::uint8_t* data, std::size_t length,
                std::int64_t nowMs);

  OutFrame MeasurementFrame(std::int64_t nowMs);
  // The four result frames of an armed scope; disarms it.
  std::vector<OutFrame> FireScope(std::int64_t nowMs);

  bool autoSending = false;
  bool scopeArmed = false;
  ScopeSettings scope;
  SensorModel model;
  Measurement measurement;
  QString lastPersistError;

 private:
  static OutFrame Error(std::uint16_t code) { return {0, code, {}}; }
  void Persist();
  std::uint16_t Implausible(int count) const;

  SimOptions& options_;
  Faults& faults_;
  int scopeCount_ = 0;
};

}  // namespace trivolux::sim
