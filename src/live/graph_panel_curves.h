#pragma once
// The graph panel: one curve per recorded signal (RED, GREEN, BLUE, X, Y,
// INT, TEMP), of which the signal selector shows one. The recorder extends
// the curves; this clears them, keeps their last segment and switches the
// visible graph. It also shows a whole recording read back from a file.
#include <QObject>
#include <array>
#include <cstdint>
#include <functional>
#include <vector>

#include "live/measurement_record.h"
#include "ui/graph_panel.h"

namespace trivolux {

class Panels;
class ReplotCoalescer;

// Signal of a selector value: 0 RED .. 6 TEMP; any other value is RED.
int GraphSignalOf(int selectorValue);
// The measurement-record word of a signal (a record file's value column).
int SignalWord(int signal);
// The signal's value in a measurement record.
double SignalValue(const MeasurementRecord& record, int signal);

class GraphPanelCurves : public QObject {
  Q_OBJECT
 public:
  GraphPanelCurves(Panels& panels, ReplotCoalescer& replots, QObject* parent = nullptr);

  // Clears the seven curves and starts them at the record's values.
  void InitPanelGraph(const MeasurementRecord& record);
  // Shows the graph of the selected signal and hides the six others.
  void SetGraphVisible();
  // One recorded frame: the seven value displays, and every curve extended
  // by the segment from its previous to its new point (the first segment is
  // a single point). The point counter wraps at 65536 like its display; the
  // curves then begin a new sweep, so they never hold more than 65536 points.
  void SetPanelGraphData(const MeasurementRecord& record);
  // Replaces the seven curves by a recording read back from a file: x in
  // seconds after its first line (sorted: never decreasing), values[signal]
  // one value per line. The axes fit the data, the value displays show the
  // last line and the point counter the lines (up to 65535); the next
  // recorded frame begins a new sweep with point numbers again. betweenCurves
  // runs after each curve (a long recording takes a while per curve).
  void ShowTimeCurves(const std::vector<double>& seconds, bool sorted,
                      const std::array<const std::int16_t*, GraphPanel::kSignals>& values,
                      const std::function<void()>& betweenCurves);

  // The last segment of every curve: x pair (previous and current point
  // number) and previous and current value per signal.
  std::uint16_t pointCounter = 0;
  std::array<double, 2> x{};
  std::array<double, GraphPanel::kSignals> previous{};
  std::array<double, GraphPanel::kSignals> current{};

 public slots:
  void CBF_ButtonShowGraph();
  void CBF_ButtonGpClose();

 private:
  // The seven value displays show the current values.
  void ShowValues();

  Panels& panels_;
  ReplotCoalescer& replots_;
};

}  // namespace trivolux
