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

 signals:
  void cursorMoved();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QCPItemTracer* dragged_ = nullptr;
};

}  // namespace trivolux
