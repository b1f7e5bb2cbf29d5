#pragma once
// The recorded-value teach panel: three scatter graphs (X/Y, X/INT, Y/INT or
// s/i, s/M, i/M) with one cursor each, the picked point and the recorded
// count. Child panel of the main panel.
#include <QWidget>

#include "ui_rec_teach_panel.h"

class QCPGraph;
class QCPItemTracer;
class QCustomPlot;

namespace trivolux {

class RecTeachPanel : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kGraphs = 3;  // 0 X/Y, 1 X/INT, 2 Y/INT
  static constexpr int kMaxPoints = 60000;

  explicit RecTeachPanel(QWidget* parent = nullptr);
  Ui::RecTeachPanel ui;

  QCustomPlot* Graph(int g) const { return graphs_[g]; }
  // The point graph (red markers) and the cursor of graph g.
  QCPGraph* Points(int g) const { return points_[g]; }
  QCPItemTracer* Cursor(int g) const { return cursors_[g]; }

 private:
  QCustomPlot* graphs_[kGraphs]{};
  QCPGraph* points_[kGraphs]{};
  QCPItemTracer* cursors_[kGraphs]{};
};

}  // namespace trivolux
