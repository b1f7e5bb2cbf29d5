#pragma once
// The graph panel: one curve per recorded signal (RED, GREEN, BLUE, X, Y,
// INT, TEMP), of which the signal selector shows one. The recorder extends
// the curves; this clears them, keeps their last segment and switches the
// visible graph.
#include <QObject>
#include <array>
#include <cstdint>

#include "live/measurement_record.h"
#include "ui/graph_panel.h"

namespace trivolux {

class Panels;

// Signal of a selector value: 0 RED .. 6 TEMP; any other value is RED.
int GraphSignalOf(int selectorValue);
// The signal's value in a measurement record.
double SignalValue(const MeasurementRecord& record, int signal);

class GraphPanelCurves : public QObject {
  Q_OBJECT
 public:
  explicit GraphPanelCurves(Panels& panels, QObject* parent = nullptr);

  // Clears the seven curves and starts them at the record's values.
  void InitPanelGraph(const MeasurementRecord& record);
  // Shows the graph of the selected signal and hides the six others.
  void SetGraphVisible();

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
  Panels& panels_;
};

}  // namespace trivolux
