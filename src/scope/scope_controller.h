#pragma once
// The scope: the sensor's scan frequency, a scan started with the page's five
// settings whose four result blocks are awaited without a time limit (BREAK
// ends the wait), the blocks taken out of the sensor's ring and plotted, the
// display-signal ring, and the two cursors' deltas in samples, milliseconds
// and digits. The scope page coming to the front stops GO and shows the
// scope graph panel; CLOSE on that panel returns to the data panel.
#include <QObject>
#include <array>
#include <cstdint>

#include "scope/scope_data.h"
#include "scope/scope_scan.h"

namespace trivolux {

class LinkController;
class Panels;
class ParamController;
struct SharedState;

class ScopeController : public QObject {
  Q_OBJECT
 public:
  ScopeController(Panels& panels, SharedState& state, LinkController& link, ParamController& params,
                  QObject* parent = nullptr);

  int GetCycleTime();
  void initScopeGraph();
  // Returns when the four blocks were plotted (1), BREAK ended the wait (0)
  // or a failure was reported (-1).
  int GetScopeData();
  void BreakDataScan();
  void calcScopDeltaXY();

  // Red, green, blue traces and the binary block, in display order.
  std::array<ScopeBlock, 4> ScopeTrace{};
  std::uint16_t ScopeTriggerPos = 0;
  double ScanFrequency = 0;
  double CycleTimeMs = 0;

 public slots:
  void CBF_ButtonGetCycleTime();
  void CBF_ButtonScan();
  void CBF_ButtonBreakScan();
  void CBF_EditTriggerMode();
  void CBF_EditScopeSignal();
  void CBF_ButtonZoom11();
  void CBF_ButtonCloseSP();

 private:
  void OnMainTabChanged(int index);
  void PlotTraces();
  void ShowScanSettings();

  Panels& panels_;
  SharedState& state_;
  LinkController& link_;
  ParamController& params_;
  ScopeScan scan_;
  bool hasTrace_ = false;  // a scan was taken: the ring redraws it
};

}  // namespace trivolux
