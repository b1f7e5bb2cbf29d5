#include "live/measurement_record.h"

#include <algorithm>

namespace trivolux {

namespace {
std::uint32_t Component(std::int16_t value) {
  return static_cast<std::uint32_t>(std::clamp(value / 16, 0, 255));
}

template <std::size_t N>
void ShiftIn(std::array<double, N>& history, std::size_t count, const double* values) {
  std::copy(history.begin() + static_cast<std::ptrdiff_t>(count), history.end(), history.begin());
  std::copy(values, values + count, history.end() - static_cast<std::ptrdiff_t>(count));
}
}  // namespace

void MeasurementRecord::Decode(const std::uint8_t* bytes) {
  for (std::size_t i = 0; i < word.size(); ++i)
    word[i] = static_cast<std::int16_t>(static_cast<std::uint16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8)));
}

std::uint32_t CurrentMeasuredColour(const MeasurementRecord& r) {
  using W = MeasurementRecord;
  return Component(r[W::kRed]) << 16 | Component(r[W::kGreen]) << 8 | Component(r[W::kBlue]);
}

std::uint16_t RawSpread(const MeasurementRecord& r) {
  using W = MeasurementRecord;
  const auto [lo, hi] = std::minmax({r[W::kRawRed], r[W::kRawGreen], r[W::kRawBlue]});
  return static_cast<std::uint16_t>(hi - lo);
}

OutputLamps OutputIndicators(int evalMode, std::int16_t color) {
  OutputLamps lamps;
  if (evalMode < 3) return lamps;
  lamps.driven = true;
  auto c = static_cast<std::uint16_t>(color);
  lamps.out0 = c >= 2;
  if (lamps.out0) c = static_cast<std::uint16_t>(c - 2);
  lamps.out1 = c != 0;
  return lamps;
}

void ValueHistories::Push(const MeasurementRecord& r) {
  using W = MeasurementRecord;
  const double rgb[3] = {double(r[W::kRed]), double(r[W::kGreen]), double(r[W::kBlue])};
  ShiftIn(rgb_, 3, rgb);
  const double x = r[W::kX], y = r[W::kY], i = r[W::kInt];
  ShiftIn(x_, 1, &x);
  ShiftIn(y_, 1, &y);
  ShiftIn(int_, 1, &i);
}

void ValueHistories::Clear() {
  rgb_.fill(0);
  x_.fill(0);
  y_.fill(0);
  int_.fill(0);
}

}  // namespace trivolux
