#include "sim/measurement.h"

#include <algorithm>
#include <cmath>

#include "link/frame.h"

namespace trivolux::sim {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kNoiseDigits = 3.0;  // peak noise of one scan at AVERAGE 1
constexpr int kSubScans = 8;

std::int16_t Word(int v) {
  return static_cast<std::int16_t>(std::clamp(v, -32768, 32767));
}

// Noise-free INT of the calibrated channels at a given power.
double IntensityAt(const std::array<double, 3>& target, const SensorModel& model, ParamWords p, int power) {
  p[pw::kPower] = static_cast<std::uint16_t>(power);
  double sum = 0;
  for (int c = 0; c < 3; ++c) {
    const double raw = std::max(0.0, AdcLevel(target[c], kDarkLevel[c], p) - model.offsets[c]);
    sum += raw * model.calFactors[c] / 1024.0;
  }
  return sum / 3.0;
}

}  // namespace

std::array<double, 3> Measurement::Target(const SimOptions& options, std::int64_t ms) {
  if (options.target) {
    const auto& t = *options.target;
    return {double(t[0]), double(t[1]), double(t[2])};
  }
  const double a = 2.0 * kPi * static_cast<double>(ms % 120000) / 120000.0;
  return {1500 + 900 * std::cos(a), 1500 + 900 * std::cos(a - 2 * kPi / 3),
          1500 + 900 * std::cos(a + 2 * kPi / 3)};
}

bool Measurement::In0(const SimOptions& options, std::int64_t ms) {
  if (options.triggerPeriodMs <= 0) return false;
  return ms % options.triggerPeriodMs < std::max(1, options.triggerPeriodMs / 5);
}

int Measurement::ActiveSet(const SensorModel& model, const SimOptions& options, std::int64_t ms) {
  const ParamWords p0 = UnpackParams(model.ram[0].params);
  return (p0[pw::kTrigger] == kPara && In0(options, ms)) ? 1 : 0;
}

int Measurement::Temperature(std::int64_t ms) {
  return 35 +
         static_cast<int>(std::lround(std::sin(2.0 * kPi * static_cast<double>(ms % 600000) / 600000.0)));
}

Sample Measurement::Take(const SensorModel& model, const SimOptions& options, std::int64_t ms,
                         double noiseScale) {
  const int set = ActiveSet(model, options, ms);
  ParamWords p = UnpackParams(model.ram[set].params);
  const TeachRows rows = UnpackTeach(model.ram[set].teach);
  const std::array<double, 3> target = Target(options, ms);

  Sample s;
  s.in0 = In0(options, ms);
  s.power = p[pw::kPower];
  if (p[pw::kPowerMode] == 1 && p[pw::kLedMode] != kLedOff) {
    // DYN: tune the power so that INT lands in the middle of DYNWIN LO..HI.
    const double mid = (p[pw::kDynWinLo] + p[pw::kDynWinHi]) / 2.0;
    const double i0 = IntensityAt(target, model, p, 0);
    const double i1 = IntensityAt(target, model, p, 1000);
    s.power =
        i1 > i0 ? std::clamp(static_cast<int>(std::lround(1000.0 * (mid - i0) / (i1 - i0))), 0, 1000) : 1000;
    p[pw::kPower] = static_cast<std::uint16_t>(s.power);
  }
  const double averaging = std::max(1, p[pw::kAverage] * std::max<int>(1, p[pw::kIntegral]));
  const double amplitude = noiseScale * kNoiseDigits / std::sqrt(averaging);
  for (int c = 0; c < 3; ++c) {
    const double adc = std::clamp(AdcLevel(target[c], kDarkLevel[c], p) + amplitude * noise_.Uniform(), 0.0,
                                  double(kAdcMax));
    s.raw[c] = std::max(0, static_cast<int>(std::lround(adc)) - model.offsets[c]);
    s.cal[c] = std::min(32767, s.raw[c] * model.calFactors[c] / 1024);
  }
  s.point = ToPoint(p[pw::kCalcMode], s.cal[0], s.cal[1], s.cal[2]);
  s.eval = Evaluate(p, rows, s.point, s.cal[0], s.cal[1], s.cal[2]);
  return s;
}

std::array<std::uint8_t, 40> Measurement::Frame(const SensorModel& model, const SimOptions& options,
                                                std::int64_t ms) {
  std::array<int, 3> rawSum{}, calSum{};
  std::array<int, 3> lo{32767, 32767, 32767}, hi{-32768, -32768, -32768};
  for (int k = 0; k < kSubScans; ++k) {
    const Sample s = Take(model, options, ms);
    for (int c = 0; c < 3; ++c) {
      rawSum[c] += s.raw[c];
      calSum[c] += s.cal[c];
      lo[c] = std::min(lo[c], s.cal[c]);
      hi[c] = std::max(hi[c], s.cal[c]);
    }
  }
  const int set = ActiveSet(model, options, ms);
  const ParamWords p = UnpackParams(model.ram[set].params);
  const TeachRows rows = UnpackTeach(model.ram[set].teach);
  std::array<int, 3> cal{}, raw{};
  for (int c = 0; c < 3; ++c) {
    cal[c] = (calSum[c] + kSubScans / 2) / kSubScans;
    raw[c] = (rawSum[c] + kSubScans / 2) / kSubScans;
  }
  const ColourPoint point = ToPoint(p[pw::kCalcMode], cal[0], cal[1], cal[2]);
  const Evaluation e = Evaluate(p, rows, point, cal[0], cal[1], cal[2]);
  const Sample last = Take(model, options, ms, 0.0);  // power and IN0 of this moment

  int trigger = last.in0 ? 1 : 0;
  if (p[pw::kTrigger] == kSelf) trigger = point.c >= std::max<int>(1, p[pw::kIntlim]) ? 1 : 0;

  std::array<std::int16_t, 20> w{};
  for (int c = 0; c < 3; ++c) {
    w[c] = Word(cal[c]);
    w[11 + c] = Word(raw[c]);
    w[14 + c] = Word(lo[c]);
    w[17 + c] = Word(hi[c]);
  }
  w[3] = Word(point.a);
  w[4] = Word(point.b);
  // In POWER MODE DYN the intensity word shows the transmitter power.
  w[5] = Word(p[pw::kPowerMode] == 1 ? last.power : point.c);
  w[6] = Word(e.deltaC);
  w[7] = Word(e.color);
  w[8] = Word(e.group);
  w[9] = Word(trigger);
  w[10] = Word(Temperature(ms));
  std::array<std::uint8_t, 40> out{};
  for (int i = 0; i < 20; ++i) WriteU16(out.data() + 2 * i, static_cast<std::uint16_t>(w[i]));
  return out;
}

}  // namespace trivolux::sim
