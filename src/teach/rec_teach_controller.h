#pragma once
// The recorded-value teach panel: START records measurement frames into the
// point store and the three scatter graphs until STOP, CLOSE, a link failure
// or a full store; a released cursor picks the first recorded point at its
// position; TEACH writes the picked point into the "No.:" row as TEACH DATA
// TO does; RESET sets the count back to 0.
#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include "live/measurement_record.h"
#include "teach/recorded_points.h"
#include "ui/replot_coalescer.h"

namespace trivolux {

class ColourPlanes;
class LinkController;
class MeanTeachController;
class Panels;
class ParamController;
class Popups;
class TeachTableController;
struct SharedState;

class RecTeachController : public QObject {
  Q_OBJECT
 public:
  RecTeachController(Panels& panels, SharedState& state, Popups& popups, ParamController& params,
                     LinkController& link, ColourPlanes& planes, TeachTableController& teachTable,
                     MeanTeachController& meanTeach, QObject* parent = nullptr);

  // The recording loop: order 8 until RunFlag drops; nothing of the live
  // displays, no pending SEND or GET.
  void GetDataTP2();
  // Stores and plots the frame in the record; a full store ends the loop.
  void SetTP2Data();
  // Picks the first recorded point at the cursor of graph g (0 X/Y, 1 X/INT,
  // 2 Y/INT), entry 0 when none, and shows it in the displays and cursors.
  void SetCursorTP2(int graph);

  const RecordedPoints& points() const { return points_; }
  ReplotCoalescer& replots() { return replots_; }
  // Frames recorded since construction (for benchmarks).
  long long FrameCount() const { return frames_; }

 public slots:
  void CBF_ButtonTeachRecVal();
  void CBF_ButtonTP2Start();
  void CBF_ButtonTP2Reset();
  void CBF_ButtonTP2Teach();

 private:
  // Brings displays, count, cursors, point counts and axis windows up to
  // the store and asks for a replot.
  void Flush();
  void OnRequestWritten();
  void ApplyRanges();
  void ShowPoint(int k);

  Panels& panels_;
  SharedState& state_;
  Popups& popups_;
  ParamController& params_;
  LinkController& link_;
  ColourPlanes& planes_;
  TeachTableController& teachTable_;
  RecordedPoints points_;
  // Axis windows of X (s), Y (i) and INT (M).
  GrowingRange ranges_[3];
  bool rangesChanged_ = false;
  MeasurementRecord record_;
  ReplotCoalescer replots_;
  bool stale_ = false;
  QTimer flushTimer_;
  QElapsedTimer sinceFlush_;
  long long frames_ = 0;
};

}  // namespace trivolux
