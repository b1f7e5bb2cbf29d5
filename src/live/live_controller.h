#pragma once
// Live measurement on the panels: GO and STOP, the GO loop GetData (which
// also serves a SEND or GET pressed meanwhile), the displays of every frame,
// the data panel's callbacks and the big displays. Owns the measurement
// record, the histories and the taught-region bounds the planes scale to.
#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include "live/axis_window.h"
#include "live/frame_rate.h"
#include "live/graph_panel_curves.h"
#include "live/live_graphs.h"
#include "live/measurement_record.h"

namespace trivolux {

class LinkController;
class Panels;
class ParamController;
struct SharedState;

class LiveController : public QObject {
  Q_OBJECT
 public:
  LiveController(Panels& panels, SharedState& state, LinkController& link, ParamController& params,
                 QObject* parent = nullptr);

  const MeasurementRecord& record() const { return record_; }
  const ValueHistories& histories() const { return histories_; }
  const TaughtBounds& bounds() const { return bounds_; }
  LiveGraphs& graphs() { return graphs_; }
  GraphPanelCurves& graphPanel() { return graphPanel_; }
  // Frames shown since the program started.
  long long FrameCount() const { return frames_; }
  // After a link failure the displays show the last frame received, greyed
  // and marked, until the next frame arrives.
  bool DisplaysStale() const { return displaysStale_; }

  // The GO loop: returns when RunFlag is no longer 1.
  void GetData();
  // The record on every display, then the histories.
  void SetPanelData();
  // Raw values and raw spread on the calibration page.
  void SetPanelCalibData();
  // Writes what SetPanelData and SetPanelCalibData left for the next screen
  // update now (the end of a loop shows its last frame at once).
  void FlushDisplays();
  void ShowGraph();
  // New bounds of the taught regions (from the colour-plane drawing); the
  // plane windows follow at once.
  void SetTaughtBounds(const TaughtBounds& bounds);
  // Decodes an answer to order 8 into the record (40 bytes).
  void TakeFrame(const std::uint8_t* data);

  // Opens a big display (the double click on COLOR or GROUP).
  void ShowBigColour();
  void ShowBigGroup();

 signals:
  // GO is starting, the working copy is up to date: the taught rows are redrawn.
  void goStarting();

 public slots:
  void CBF_ButtonGo();
  void CBF_ButtonStop();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void InstallDataPanelCallbacks();
  // The displays take the newest frame at most once per screen update: a
  // number nobody can read 2000 times a second still costs its text layout
  // and its repaint every time.
  enum Stale : unsigned { kPanelData = 1, kCalibData = 2 };
  void MarkStale(unsigned what);
  // GO sent a request: the screen update due now overlaps the answer's wait.
  void OnRequestWritten();
  void WritePanelData();
  void WriteCalibData();
  void RunGoLoop();
  void ShowDisplaysStale(bool stale);
  // The smoothed frame rate of GO in the status strip, a few times a second.
  void ShowFrameRate();

  Panels& panels_;
  SharedState& state_;
  LinkController& link_;
  ParamController& params_;
  MeasurementRecord record_;
  ValueHistories histories_;
  TaughtBounds bounds_;
  LiveGraphs graphs_;
  GraphPanelCurves graphPanel_;
  std::uint32_t swatchColour_ = 0xFFFFFFFF;
  unsigned stale_ = 0;
  QTimer displayTimer_;
  QElapsedTimer sinceDisplay_;
  long long frames_ = 0;
  bool displaysStale_ = false;
  FrameRateMeter frameRate_;
  QTimer frameRateTimer_;
  QElapsedTimer frameRateClock_;
};

}  // namespace trivolux
