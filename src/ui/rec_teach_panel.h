#pragma once
// The recorded-value teach panel: three scatter graphs (X/Y, X/INT, Y/INT or
// s/i, s/M, i/M) with one cursor each, the picked point and the recorded
// count. Child panel of the main panel.
//
// A graph's cursor snaps to the plotted point nearest to the mouse while the
// left button is held and reports cursorReleased when it is let go. With the
// keyboard focus on a graph, Left/Right step the cursor through the recorded
// points, Page Up/Down by a hundred, Home/End to the first and last; each
// step reports cursorReleased as well.
#include <QWidget>

#include "ui_rec_teach_panel.h"

class QCPItemTracer;
class QCustomPlot;

namespace trivolux {

class PointCloud;

class RecTeachPanel : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kGraphs = 3;  // 0 X/Y, 1 X/INT, 2 Y/INT

  explicit RecTeachPanel(QWidget* parent = nullptr);
  Ui::RecTeachPanel ui;

  QCustomPlot* Graph(int g) const { return graphs_[g]; }
  // The recorded points (red markers) and the cursor of graph g.
  PointCloud* Points(int g) const { return points_[g]; }
  QCPItemTracer* Cursor(int g) const { return cursors_[g]; }
  QPointF CursorPosition(int g) const;
  // Places cursor g on recorded entry k at the given coordinates.
  void SetCursor(int g, int k, const QPointF& coords);

 signals:
  void cursorReleased(int graph);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  int GraphIndex(const QObject* watched) const;
  // Moves cursor g onto point k and redraws the graph.
  void SnapCursor(int g, int k);

  QCustomPlot* graphs_[kGraphs]{};
  PointCloud* points_[kGraphs]{};
  QCPItemTracer* cursors_[kGraphs]{};
  // The point each cursor was last snapped to, for keyboard steps.
  int snapped_[kGraphs]{};
  bool dragging_ = false;
};

}  // namespace trivolux
