#include "teach/recorded_points.h"

#include <algorithm>

namespace trivolux {

namespace {
constexpr int kAxes[RecordedPoints::kGraphs][2] = {{0, 1}, {0, 2}, {1, 2}};
}

RecordedPoints::RecordedPoints() : store_(kCapacity, RecordedPoint{{0, 0, 0}}) {}

bool RecordedPoints::Append(double x, double y, double intensity) {
  if (Full()) return false;
  store_[static_cast<std::size_t>(count_++)] = RecordedPoint{{x, y, intensity}};
  return true;
}

int RecordedPoints::AcrossOf(int graph) {
  return kAxes[std::clamp(graph, 0, kGraphs - 1)][0];
}

int RecordedPoints::UpOf(int graph) {
  return kAxes[std::clamp(graph, 0, kGraphs - 1)][1];
}

int RecordedPoints::FirstMatch(int graph, double a, double b) const {
  const int across = AcrossOf(graph), up = UpOf(graph);
  for (int k = 0; k < count_; ++k) {
    const auto& v = store_[static_cast<std::size_t>(k)].v;
    if (v[static_cast<std::size_t>(across)] == a && v[static_cast<std::size_t>(up)] == b) return k;
  }
  return 0;
}

bool GrowingRange::Take(double value) {
  if (empty) {
    empty = false;
    lower = value - kMargin;
    upper = value + kMargin;
    return true;
  }
  if (value >= lower && value <= upper) return false;
  const double step = std::max(kMargin, (upper - lower) / 4);
  if (value < lower) lower = value - step;
  if (value > upper) upper = value + step;
  return true;
}

}  // namespace trivolux
