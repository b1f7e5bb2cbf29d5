#include "sim/sensor_core.h"

#include <algorithm>
#include <cstring>

#include "link/frame.h"
#include "link/orders.h"

namespace trivolux::sim {
namespace {

std::vector<std::uint8_t> Words(std::initializer_list<std::uint16_t> words) {
  std::vector<std::uint8_t> out(2 * words.size());
  std::size_t i = 0;
  for (std::uint16_t w : words) WriteU16(out.data() + 2 * i++, w);
  return out;
}

// Hardware data of order 194: identification words, then a fixed pattern.
std::vector<std::uint8_t> HardwareData(std::uint16_t serial) {
  std::vector<std::uint8_t> out(512);
  const std::uint16_t head[] = {
      serial, 0x0120 /* firmware 1.2.0 */, 0x0003 /* board rev */, 0x07E8 /* 2024 */, 0x0A1B /* LED type */,
      12 /* ADC bits */};
  for (int i = 0; i < 256; ++i) {
    const std::uint16_t w = i < 6 ? head[i] : static_cast<std::uint16_t>(0x00AF + 0x0101 * (i - 6));
    WriteU16(out.data() + 2 * i, w);
  }
  return out;
}

}  // namespace

int BaudRateForIndex(int index) {
  static constexpr int kRates[] = {9600, 19200, 38400, 57600, 115200, 230400, 460800, 921600};
  return (index >= 0 && index <= 7) ? kRates[index] : 115200;
}

SensorCore::SensorCore(SimOptions& options, Faults& faults)
    : measurement(options.noiseSeed), options_(options), faults_(faults) {}

std::uint16_t SensorCore::Implausible(int count) const {
  return static_cast<std::uint16_t>(faults_.implausibleCount > 0 ? faults_.implausibleCount : count);
}

void SensorCore::Persist() {
  if (options_.eepromFile.isEmpty()) return;
  lastPersistError = model.Save(options_.eepromFile)
                         ? QString()
                         : QStringLiteral("cannot write EEPROM file %1").arg(options_.eepromFile);
}

OutFrame SensorCore::MeasurementFrame(std::int64_t nowMs) {
  if (faults_.fixedFrame) {
    OutFrame f{order::kMeasure, 0, std::vector<std::uint8_t>(order::kMeasureBytes)};
    for (std::size_t i = 0; i < faults_.fixedFrame->size(); ++i)
      WriteU16(f.data.data() + 2 * i, static_cast<std::uint16_t>((*faults_.fixedFrame)[i]));
    return f;
  }
  const auto frame = measurement.Frame(model, options_, nowMs);
  return {order::kMeasure, 0, std::vector<std::uint8_t>(frame.begin(), frame.end())};
}

std::vector<OutFrame> SensorCore::FireScope(std::int64_t nowMs) {
  scopeArmed = false;
  const Sample s = measurement.Take(model, options_, nowMs, 0.0);
  ScopeLevels levels;
  levels.line = scope.signal == 1 ? std::array<int, 3>{s.point.a, s.point.b, s.point.c} : s.cal;
  levels.binary = static_cast<std::uint16_t>((s.in0 ? 1 : 0) | (s.eval.color == 0 ? 2 : 0));
  // The ring position wanders from scan to scan like a free-running ring.
  const int ringPos = (61 + 37 * scopeCount_++) % kScopeSamples;
  Noise& noise = measurement.noise();
  const auto blocks = RecordScope(scope, levels, ringPos, [&noise] { return noise.Uniform(); });
  std::vector<OutFrame> frames;
  for (int k = 0; k < 4; ++k) {
    OutFrame f{order::kScope, static_cast<std::uint16_t>(k),
               std::vector<std::uint8_t>(order::kScopeFrameData)};
    for (int i = 0; i <= kScopeSamples; ++i) WriteU16(f.data.data() + 2 * i, blocks[k][i]);
    frames.push_back(std::move(f));
  }
  return frames;
}

SensorCore::Result SensorCore::Handle(std::uint8_t ord, std::uint16_t param, const std::uint8_t* data,
                                      std::size_t length, std::int64_t nowMs) {
  Result r;
  r.answer = {ord, 0, {}};
  if (faults_.unknownOrderForAll) {
    r.answer = Error(kErrUnknownOrder);
    return r;
  }
  switch (ord) {
    case order::kWriteBlock: {
      const std::size_t size = SensorModel::BlockSize(param);
      if (size == 0 || length != size) return {Error(kErrUnknownOrder)};
      r.answer.param = Implausible(model.WriteBlock(param, data));
      return r;
    }
    case order::kReadBlock: {
      const std::size_t size = SensorModel::BlockSize(param);
      if (size == 0) return {Error(kErrUnknownOrder)};
      r.answer.param = param;
      r.answer.data.resize(size);
      model.ReadBlock(param, r.answer.data.data());
      return r;
    }
    case order::kRamToEeprom:
      model.StoreEeprom();
      Persist();
      return r;
    case order::kEepromToRam:
      r.answer.param = Implausible(model.LoadEeprom());
      return r;
    case order::kIdentify: {
      r.answer.param = options_.serial;
      r.answer.data.assign(order::kIdentBytes, 0);
      const QByteArray text = options_.ident.toLatin1().left(static_cast<int>(order::kIdentBytes));
      std::memcpy(r.answer.data.data(), text.constData(), static_cast<std::size_t>(text.size()));
      return r;
    }
    case order::kMeasure:
      return {MeasurementFrame(nowMs)};
    case order::kAutoSend:
      if (param > 1) return {Error(kErrUnknownOrder)};
      autoSending = param == 1;
      r.answer.param = param;
      return r;
    case order::kDetectOffset: {
      if (param != 1) return {Error(kErrUnknownOrder)};
      model.offsets = Measurement::DarkLevel();
      Persist();
      return r;
    }
    case order::kWriteCalib: {
      if (param > 1 || length != 6) return {Error(kErrUnknownOrder)};
      const std::array<std::uint16_t, 3> v{ReadU16(data), ReadU16(data + 2), ReadU16(data + 4)};
      const int count = param == 0 ? model.WriteCalFactors(v) : model.WriteOffsets(v);
      Persist();
      r.answer.param = Implausible(count);
      return r;
    }
    case order::kReadCalib: {
      const auto& cf = faults_.calFactorAnswer ? *faults_.calFactorAnswer : model.calFactors;
      const auto& off = model.offsets;
      r.answer.data = Words({cf[0], cf[1], cf[2], off[0], off[1], off[2]});
      return r;
    }
    case order::kSelfCalib: {
      // The factors that bring the present (white) target to the set value;
      // they act at once but are kept only when the program writes them back.
      std::array<int, 3> sum{};
      for (int k = 0; k < 16; ++k) {
        const Sample s = measurement.Take(model, options_, nowMs);
        for (int c = 0; c < 3; ++c) sum[c] += s.raw[c];
      }
      std::array<std::uint16_t, 3> cf{};
      for (int c = 0; c < 3; ++c) {
        const int mean = std::max(1, sum[c] / 16);
        cf[c] = static_cast<std::uint16_t>(std::min(4096, kSelfCalSetValue * 1024 / mean));
      }
      model.calFactors = cf;
      r.answer.data = Words({cf[0], cf[1], cf[2], kSelfCalSetValue, kSelfCalMaxDelta});
      return r;
    }
    case order::kCycleTime:
      r.answer.data.resize(8);
      WriteI32(r.answer.data.data(), kCycleN);
      WriteI32(r.answer.data.data() + 4, kCycleT);
      return r;
    case order::kScope:
      if (param == 0) {
        scopeArmed = false;
        return r;
      }
      if (param != 1 || length != 10) return {Error(kErrUnknownOrder)};
      scope = ScopeSettings::FromPayload(data);
      scopeArmed = true;
      r.answer.param = 1;
      r.scopeFireNow = scope.triggerMode == 0;
      return r;
    case order::kBaudrate:
      options_.baudIndex = param;
      r.answer.param = param;
      r.baudChanged = true;
      return r;
    case order::kHardwareInfo:
      if (param != order::kHardwareInfoCode) return {Error(kErrUnknownOrder)};
      r.answer.data = HardwareData(options_.serial);
      return r;
    default:
      return {Error(kErrUnknownOrder)};
  }
}

}  // namespace trivolux::sim
