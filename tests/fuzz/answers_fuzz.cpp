// The decoders of sensor answers, on arbitrary answer bytes. The first byte
// picks the answer; the rest is its data, taken as the program takes it once
// the length check passed (shorter data is padded with zeros, as a caller
// would refuse it anyway). Everything derived from the answer must stay in
// its documented range; the sanitizers catch overflows and reads beyond the data.
#include <algorithm>
#include <vector>

#include "calib/calibration.h"
#include "calib/hw_info_file.h"
#include "fuzz_targets.h"
#include "ini/ini_text.h"
#include "link/frame.h"
#include "link/identification.h"
#include "live/axis_window.h"
#include "live/measurement_record.h"
#include "record/record_file.h"
#include "scope/scope_data.h"
#include "teach/mean_teach.h"

namespace trivolux::fuzz {

namespace {

using W = MeasurementRecord;

std::uint16_t Word(const std::vector<std::uint8_t>& d, std::size_t k) {
  return static_cast<std::uint16_t>(d[2 * k] | (d[2 * k + 1] << 8));
}

// Order 8: the measurement record and what the displays, the recorder, the
// mean-value teach and the calibration derive from it.
void Measurement(const std::vector<std::uint8_t>& d, std::uint8_t selector) {
  MeasurementRecord r;
  r.Decode(d.data());
  const std::uint32_t colour = CurrentMeasuredColour(r);
  Require(colour <= 0xFFFFFF, "colour beyond 24 bits");
  RawSpread(r);
  const OutputLamps lamps = OutputIndicators(selector % 8, r[W::kColor]);
  Require(lamps.driven || (!lamps.out0 && !lamps.out1), "lamps lit while not driven");
  ValueHistories histories;
  for (int i = 0; i < ValueHistories::kLength + 1; ++i) histories.Push(r);
  Require(histories.X().back() == r[W::kX], "history lost the newest value");
  // Taught bounds are ordered (lowest, highest); here from the extreme words.
  const int xLow = std::min(r[W::kExtremeA], r[W::kExtremeB]),
            xHigh = std::max(r[W::kExtremeA], r[W::kExtremeB]);
  const int yLow = std::min(r[W::kExtremeA + 1], r[W::kExtremeB + 1]);
  const int yHigh = std::max(r[W::kExtremeA + 1], r[W::kExtremeB + 1]);
  const AxisSpan across = AxisSpanFor(r[W::kX], xLow, xHigh);
  const AxisSpan up = AxisSpanFor(r[W::kY], yLow, yHigh);
  const PlaneWindow w = PlaneWindowFor(across, up);
  Require(w.xLow <= w.xHigh && w.yLow <= w.yHigh, "plane window upside down");
  IntensityCursor(selector % 4, r[W::kInt]);
  const QByteArray line = RecordLine(QDateTime(QDate(2024, 2, 29), QTime(23, 59, 59)), r);
  Require(line.endsWith("\r\n") && line.count('\t') == 12, "record line not 13 tab-separated fields");
  CaptureRow rows[kMaxCaptures];
  for (CaptureRow& row : rows) {
    for (int c = 0; c < 6; ++c) row[static_cast<std::size_t>(c)] = static_cast<std::uint16_t>(r[W::kRed + c]);
  }
  const CaptureRow mean = MeanValues(rows, kMaxCaptures);
  MaxDeltaOf(rows, kMaxCaptures, mean, selector % 4);
  RawSums sums;
  for (int i = 0; i < kCalSamples; ++i)
    sums.Add(r[W::kRawRed], r[W::kRawGreen], r[W::kRawBlue], RawSpread(r));
  const CalResult cal = CalcFactors(sums, Word(d, 18), Word(d, 19));
  if (cal.outcome == CalOutcome::Passed)
    for (std::uint16_t f : cal.factors) Require(f <= kMaxCalFactor, "calibration factor above 4096");
}

// Orders 102 (factors and offsets, 12 bytes) and 103 (self calibration, 10
// bytes), then the factors the program would calculate from such values.
void Calibration(const std::vector<std::uint8_t>& d) {
  RawSums sums;
  for (int i = 0; i < kCalSamples; ++i)
    sums.Add(static_cast<std::int16_t>(Word(d, i % 6)), static_cast<std::int16_t>(Word(d, (i + 1) % 6)),
             static_cast<std::int16_t>(Word(d, (i + 2) % 6)), Word(d, (i + 3) % 6));
  const CalResult cal = CalcFactors(sums, Word(d, 3), Word(d, 4));
  if (cal.outcome == CalOutcome::Passed)
    for (std::uint16_t f : cal.factors) Require(f <= kMaxCalFactor, "calibration factor above 4096");
}

// Order 194: the hardware data, written into the hardware information file
// and read back.
void HardwareInformation(const std::vector<std::uint8_t>& d, std::size_t length) {
  const QString hex = HardwareDataText(d.data(), static_cast<int>(length));
  Require(hex.size() == static_cast<qsizetype>(length / 2 * 4), "hex text of the wrong length");
  HardwareInfo info;
  info.hardwareData = hex;
  info.firmware = FirmwareTextFromAnswer(d.data(), std::min<std::size_t>(length, 72));
  IniText ini;
  PutHardwareInfoFile(ini, info, ParameterSet{});
  IniText back;
  back.ReadFromBytes(ini.ToText());
  std::string data;
  Require(back.GetString("HARDWARE INFO", "DATA", std::string::npos, &data) == 1 && data == hex.toStdString(),
          "hardware data changed by a write and read");
}

// Order 110 result blocks (258 bytes) with the scan settings of the request,
// and order 105 (N and T, 32 bits each) for the scan frequency.
void Scope(const std::vector<std::uint8_t>& d, std::uint8_t selector) {
  std::uint16_t position = 0;
  const int mode = selector % 5;
  const auto preTrigger = static_cast<std::int16_t>(Word(d, 129));
  const ScopeBlock block = TakeScopeBlock(d.data(), mode, preTrigger, &position);
  Require(position == Word(d, kScopeSamples), "ring position not word 128");
  if (mode == 0) Require(block[0] == Word(d, 0), "single shot not read from word 0");
  std::array<double, kScopeSamples> a{}, b{};
  BinaryTraces(block, &a, &b);
  for (int i = 0; i < kScopeSamples; ++i) {
    Require(a[static_cast<std::size_t>(i)] >= 2 && a[static_cast<std::size_t>(i)] <= 3,
            "trace A out of its band");
    Require(b[static_cast<std::size_t>(i)] >= 0 && b[static_cast<std::size_t>(i)] <= 1,
            "trace B out of its band");
  }
  const std::int32_t n = ReadI32(d.data() + 260), t = ReadI32(d.data() + 264);
  const double f = ScanFrequencyOf(n, t);
  Require(f >= 0, "negative scan frequency");
  FrequencyDecimals(f);
  CycleTimeDecimals(f);
  const int i1 = selector % kScopeSamples, i2 = Word(d, 130) % kScopeSamples;
  const ScopeDelta delta =
      ScopeDeltaOf(i1, block[static_cast<std::size_t>(i1)], i2, block[static_cast<std::size_t>(i2)],
                   f > 0 ? 1000.0 / f : 0, Word(d, 131) % 256);
  DeltaXDecimals(delta.ms);
}

// Order 7: the identification text and the version check.
void Identify(const std::vector<std::uint8_t>& d, std::uint16_t serial) {
  const QString text = FirmwareTextFromAnswer(d.data(), 72);
  Require(text.size() <= 72, "identification beyond 72 bytes");
  const Identification id = SplitIdentification(text);
  id.Displayed();
  if (!id.Matches()) VersionMismatchText(id, serial);
}

}  // namespace

void AnswersInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return;
  const std::uint8_t kind = data[0], selector = data[1];
  const std::size_t length = std::min<std::size_t>(size - 2, kMaxAnswerData);
  // Room for the largest fixed layout read below (the scope block and order 105).
  std::vector<std::uint8_t> d(std::max<std::size_t>(length, 272), 0);
  std::copy(data + 2, data + 2 + length, d.begin());
  switch (kind % 5) {
    case 0:
      Measurement(d, selector);
      break;
    case 1:
      Calibration(d);
      break;
    case 2:
      HardwareInformation(d, length);
      break;
    case 3:
      Scope(d, selector);
      break;
    default:
      Identify(d, static_cast<std::uint16_t>(selector * 257));
  }
}

}  // namespace trivolux::fuzz
