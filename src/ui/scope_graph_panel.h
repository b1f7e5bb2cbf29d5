#pragma once
// The scope graph panel: the analog graph (three lines, two cursors), the
// binary graph (two traces, cursors following the analog ones), the cursor
// deltas, the display-signal ring and the settings of the scan shown.
// Child panel of the main panel.
//
// A cursor of the analog graph is dragged with the left button held near its
// line; Ctrl + drag zooms into a rectangle. With the keyboard focus on the
// analog graph, Left/Right move cursor 1 by one sample and Shift+Left/Right
// cursor 2. Every move reports cursorMoved.
#include <QWidget>

#include "ui_scope_graph_panel.h"

class QCPItemStraightLine;
class QCPItemText;
class QCPItemTracer;

namespace trivolux {

class ScopeGraphPanel : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kSamples = 128;

  explicit ScopeGraphPanel(QWidget* parent = nullptr);
  Ui::ScopeGraphPanel ui;

  // Cursors 1 and 2 of the analog graph and of the binary graph.
  QCPItemTracer* cursor1 = nullptr;
  QCPItemTracer* cursor2 = nullptr;
  QCPItemTracer* binaryCursor1 = nullptr;
  QCPItemTracer* binaryCursor2 = nullptr;

  // Columns of the cursor table: sample, time, three lines, two bits.
  enum CursorColumn { kColSample, kColTime, kColLine, kColBit = kColLine + 3, kCursorColumns = kColBit + 2 };
  // Names the three line columns after what the lines carry.
  void SetLineNames(const QStringList& names);
  // One cursor's row (0 or 1); values holds the three lines and two bits, or
  // is empty before the first scan.
  void ShowCursorRow(int row, int sample, double ms, int msDecimals, const QList<int>& values);
  // The trigger marker at a sample, or hidden for a negative index.
  void ShowTriggerMarker(int sample);
  // The marked sample, -1 when hidden.
  int TriggerMarkerSample() const;

 signals:
  void cursorMoved();
  void fitRequested();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void SetupCursorTable();

  QCPItemTracer* dragged_ = nullptr;
  QCPItemStraightLine* triggerLine_ = nullptr;
  QCPItemText* triggerLabel_ = nullptr;
};

}  // namespace trivolux
