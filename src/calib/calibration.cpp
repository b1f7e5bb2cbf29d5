#include "calib/calibration.h"

namespace trivolux {

CalResult CalcFactors(const RawSums& sums, std::uint16_t setValue, std::uint16_t maxDelta) {
  CalResult result;
  const std::int32_t means[3] = {sums.red / kCalSamples, sums.green / kCalSamples, sums.blue / kCalSamples};
  const auto meanDelta = static_cast<std::uint16_t>(sums.delta / kCalSamples);
  if (meanDelta > maxDelta) {
    result.outcome = CalOutcome::DeltaTooHigh;
    return result;
  }
  for (int c = 0; c < 3; ++c) {
    // The division is unsigned: a negative mean is a very large divisor.
    auto mean = static_cast<std::uint32_t>(means[c]);
    if (mean == 0) mean = 1;
    const std::uint32_t factor = static_cast<std::uint32_t>(setValue) * 1024u / mean;
    if (factor > kMaxCalFactor) {
      result.outcome = CalOutcome::OutOfRange;
      return result;
    }
    result.factors[static_cast<std::size_t>(c)] = static_cast<std::uint16_t>(factor);
  }
  return result;
}

QString HardwareDataText(const std::uint8_t* data, int bytes) {
  QString text;
  text.reserve(bytes * 2);
  for (int i = 0; i + 1 < bytes; i += 2) {
    const unsigned word = data[i] | (data[i + 1] << 8);
    text += QStringLiteral("%1").arg(word, 4, 16, QLatin1Char('0')).toUpper();
  }
  return text;
}

}  // namespace trivolux
