#include "sim/colour_model.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace trivolux::sim {
namespace {

int Round(double v) {
  return static_cast<int>(std::lround(v));
}
int ClampWord(int v) {
  return std::clamp(v, -32768, 32767);
}

struct RowMatch {
  int distance = 0;
  bool hit = false;
  bool intensityInside = false;  // 2D: |INT - row INT| <= ITO; 3D: always
};

RowMatch Match(bool threeD, const TeachRow& row, const ColourPoint& p) {
  RowMatch m;
  const double da = p.a - row[0];
  const double db = p.b - row[1];
  if (threeD) {
    const double dc = p.c - row[2];
    m.distance = Round(std::sqrt(da * da + db * db + dc * dc));
    m.hit = m.distance <= row[3];
    m.intensityInside = true;
  } else {
    m.distance = Round(std::hypot(da, db));
    m.intensityInside = std::abs(p.c - row[3]) <= row[4];
    m.hit = m.distance <= row[2] && m.intensityInside;
  }
  return m;
}

}  // namespace

double GainFactor(int gain) {
  return std::pow(2.0, (std::clamp(gain, 0, 7) - 5) / 2.0);
}

double AdcLevel(double target, int dark, const ParamWords& p) {
  double signal = 0.0;
  if (p[pw::kLedMode] != kLedOff) signal = target * (p[pw::kPower] / 500.0) * GainFactor(p[pw::kGain]);
  return std::clamp(dark + signal, 0.0, static_cast<double>(kAdcMax));
}

ColourPoint ToXyInt(int r, int g, int b) {
  r = std::max(r, 0), g = std::max(g, 0), b = std::max(b, 0);
  const double sum = static_cast<double>(r) + g + b;
  if (sum <= 0) return {};
  return {Round(4095.0 * r / sum), Round(4095.0 * g / sum), ClampWord(Round(sum / 3.0))};
}

ColourPoint ToSiM(int r, int g, int b) {
  r = std::max(r, 0), g = std::max(g, 0), b = std::max(b, 0);
  const double sum = static_cast<double>(r) + g + b;
  if (sum <= 0) return {5000, 5000, 0};
  return {Round(5000.0 + 5000.0 * (r - g) / sum), Round(5000.0 + 2500.0 * (r + g - 2.0 * b) / sum),
          ClampWord(Round(10000.0 * sum / (3.0 * kAdcMax)))};
}

ColourPoint ToPoint(int calcMode, int r, int g, int b) {
  return (calcMode == 1 || calcMode == 3) ? ToSiM(r, g, b) : ToXyInt(r, g, b);
}

Evaluation Evaluate(const ParamWords& p, const TeachRows& rows, const ColourPoint& point, int r, int g,
                    int b) {
  const int mode = p[pw::kEvalMode];
  Evaluation e;
  if (mode >= kThdRedGreen) {
    // Bit 0 = OUT0 (first channel above the threshold in row 0), bit 1 = OUT1.
    const int first = mode == kThdGreenBlue ? g : r;
    const int second = mode == kThdRedGreen ? g : b;
    e.color = (second > rows[1][0] ? 2 : 0) | (first > rows[0][0] ? 1 : 0);
    e.deltaC = 0;
    e.group = e.color;
    return e;
  }
  if (point.c < p[pw::kIntlim]) return e;  // below INTLIM: error state

  const bool threeD = p[pw::kCalcMode] >= 2;
  const int count = std::clamp<int>(p[pw::kMaxVecNo], 1, kTeachRows);
  std::array<RowMatch, kTeachRows> m{};
  for (int i = 0; i < count; ++i) m[i] = Match(threeD, rows[i], point);

  auto bestOf = [&](auto accept) {
    int best = -1;
    for (int i = 0; i < count; ++i)
      if (accept(m[i]) && (best < 0 || m[i].distance < m[best].distance)) best = i;
    return best;
  };

  int row = -1;
  switch (mode) {
    case kFirstHit:
      for (int i = 0; i < count && row < 0; ++i)
        if (m[i].hit) row = i;
      // No hit: the distance to the last enabled row is still shown.
      e.deltaC = ClampWord(m[row >= 0 ? row : count - 1].distance);
      break;
    case kBestHit:
      row = bestOf([](const RowMatch& x) { return x.hit; });
      if (row >= 0) e.deltaC = ClampWord(m[row].distance);
      break;
    case kMinDist:
      row = bestOf([](const RowMatch& x) { return x.intensityInside; });
      if (row >= 0) e.deltaC = ClampWord(m[row].distance);
      break;
    case kCol2: {
      // Rows 0 and 1 are evaluated together: bit 0 = row 0 hit, bit 1 = row 1 hit.
      const int n = std::min(count, 2);
      e.color = 0;
      e.deltaC = ClampWord(m[0].distance);
      for (int i = 0; i < n; ++i) {
        if (m[i].hit) e.color |= 1 << i;
        e.deltaC = std::min(e.deltaC, ClampWord(m[i].distance));
      }
      e.group = e.color;
      return e;
    }
    default:
      return e;
  }
  if (row < 0) {
    e.color = 255;
    e.group = 255;
    return e;
  }
  e.color = row;
  e.group = p[pw::kColorGroup] == 1 ? rows[row][tw::kGroup] : row;
  return e;
}

}  // namespace trivolux::sim
