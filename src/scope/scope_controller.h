#pragma once
// The scope: the sensor's scan frequency, a scan started with the page's five
// settings whose four result blocks are awaited without a time limit (BREAK
// ends the wait), the blocks taken out of the sensor's ring and plotted, the
// display-signal ring, and the two cursors' deltas in samples, milliseconds
// and digits. The scope page coming to the front stops GO and shows the
// scope graph panel; CLOSE on that panel returns to the data panel.
//
// Beyond that: FIT (or a double click on the graph) fits the y axis to the
// shown lines, the cursor table follows every cursor move, the trigger's
// sample is marked, and EXPORT CSV writes the scan into a file.
#include <QObject>
#include <QString>
#include <array>
#include <cstdint>

#include "scope/scope_data.h"
#include "scope/scope_scan.h"
#include "scope/scope_view.h"

namespace trivolux {

class LinkController;
class Panels;
class ParamController;
class Popups;
struct SharedState;

class ScopeController : public QObject {
  Q_OBJECT
 public:
  ScopeController(Panels& panels, SharedState& state, LinkController& link, ParamController& params,
                  Popups& popups, QObject* parent = nullptr);

  int GetCycleTime();
  void initScopeGraph();
  // Returns when the four blocks were plotted (1), BREAK ended the wait (0)
  // or a failure was reported (-1).
  int GetScopeData();
  void BreakDataScan();
  void calcScopDeltaXY();
  // The y axis around the shown lines of the last scan; nothing without one.
  void FitScopeGraph();
  // Milliseconds between two samples, as the deltas reckon them.
  double MsPerSample() const;
  // Returns true when the file was written.
  bool ExportScopeCsv();

  // Red, green, blue traces and the binary block, in display order.
  ScopeTraces ScopeTrace{};
  std::uint16_t ScopeTriggerPos = 0;
  double ScanFrequency = 0;
  double CycleTimeMs = 0;
  // Where the next EXPORT CSV dialog starts: the directory of the last
  // export, at first the user's documents directory.
  QString csvDirectory;

 public slots:
  void CBF_ButtonGetCycleTime();
  void CBF_ButtonScan();
  void CBF_ButtonBreakScan();
  void CBF_EditTriggerMode();
  void CBF_EditScopeSignal();
  void CBF_ButtonZoom11();
  void CBF_ButtonCloseSP();
  void CBF_ButtonFitScope();
  void CBF_ButtonExportScopeCsv();

 private:
  void OnMainTabChanged(int index);
  void PlotTraces();
  void ShowScanSettings();
  void ShowCursorReadout();

  Panels& panels_;
  SharedState& state_;
  LinkController& link_;
  ParamController& params_;
  Popups& popups_;
  ScopeScan scan_;
  bool hasTrace_ = false;  // a scan was taken: the ring redraws it
  std::array<QString, 3> lineNames_ = ScopeLineNames(0, 0);
};

}  // namespace trivolux
