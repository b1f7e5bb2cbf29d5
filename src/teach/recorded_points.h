#pragma once
// The point record of the recorded-value teach: one fixed store of 60 000
// (X, Y, INT) entries, allocated once and reused by every recording, and the
// growing axis windows of its three graphs. Pure; the panel only shows it.
#include <array>
#include <vector>

namespace trivolux {

struct RecordedPoint {
  // X, Y, INT (or s, i, M) of one frame.
  std::array<double, 3> v;
};

class RecordedPoints {
 public:
  static constexpr int kCapacity = 60000;
  static constexpr int kGraphs = 3;  // 0 X/Y, 1 X/INT, 2 Y/INT

  RecordedPoints();

  int Count() const { return count_; }
  bool Full() const { return count_ >= kCapacity; }
  // Stores the point as entry Count(); false (nothing stored) when full.
  bool Append(double x, double y, double intensity);
  // Count back to 0; the entries stay and are overwritten by the next recording.
  void Reset() { count_ = 0; }
  const RecordedPoint& operator[](int k) const { return store_[static_cast<std::size_t>(k)]; }
  // The whole store, for the graphs: entry k's value c at data()[3 k + c].
  const double* data() const { return store_.front().v.data(); }

  // Which of X (0), Y (1), INT (2) graph g shows across and up.
  static int AcrossOf(int graph);
  static int UpOf(int graph);
  // The first entry of the current recording whose coordinates in graph g
  // equal (a, b) exactly; entry 0 when none does.
  int FirstMatch(int graph, double a, double b) const;

 private:
  std::vector<RecordedPoint> store_;
  int count_ = 0;
};

// An axis range that grows to take in new values: the first value opens a
// window of kMargin around itself; a value outside it widens that side by the
// margin or a quarter of the span, whichever is larger, so that a recording
// changes the windows only a few times.
struct GrowingRange {
  static constexpr double kMargin = 25;
  double lower = 0;
  double upper = 0;
  bool empty = true;

  // True when the range changed.
  bool Take(double value);
};

}  // namespace trivolux
