#include "ui/rec_teach_panel.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <algorithm>

#include "qcustomplot.h"
#include "ui/mnemonics.h"
#include "ui/plot_style.h"
#include "ui/point_cloud.h"

namespace trivolux {

namespace {
constexpr int kPageStep = 100;
}

RecTeachPanel::RecTeachPanel(QWidget* parent) : QWidget(parent) {
  ui.setupUi(this);
  AssignMnemonics(this);
  graphs_[0] = ui.GraphXYTP2;
  graphs_[1] = ui.GraphXIntTP2;
  graphs_[2] = ui.GraphYIntTP2;
  const char* axes[kGraphs][2] = {{"X", "Y"}, {"X", "INT"}, {"Y", "INT"}};
  for (int g = 0; g < kGraphs; ++g) {
    SetupPlane(graphs_[g], axes[g][0], axes[g][1], 10000, 10000);
    points_[g] = new PointCloud(graphs_[g], QColor(0xFF, 0x00, 0x00));
    cursors_[g] = AddCursor(graphs_[g], QColor(0x20, 0x20, 0x20));
    graphs_[g]->setFocusPolicy(Qt::StrongFocus);
    graphs_[g]->setAccessibleDescription(
        QStringLiteral("Left and Right step the cursor through the recorded points."));
    graphs_[g]->installEventFilter(this);
  }
}

QPointF RecTeachPanel::CursorPosition(int g) const {
  return cursors_[g]->position->coords();
}

void RecTeachPanel::SetCursor(int g, int k, const QPointF& coords) {
  snapped_[g] = k;
  cursors_[g]->position->setCoords(coords);
}

int RecTeachPanel::GraphIndex(const QObject* watched) const {
  const auto it = std::find(std::begin(graphs_), std::end(graphs_), watched);
  return it == std::end(graphs_) ? -1 : static_cast<int>(it - std::begin(graphs_));
}

void RecTeachPanel::SnapCursor(int g, int k) {
  if (k < 0 || k >= points_[g]->Count()) return;
  SetCursor(g, k, points_[g]->Coords(k));
  graphs_[g]->replot(QCustomPlot::rpQueuedReplot);
}

bool RecTeachPanel::eventFilter(QObject* watched, QEvent* event) {
  const int g = GraphIndex(watched);
  if (g < 0) return QWidget::eventFilter(watched, event);
  switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseMove: {
      auto* mouse = static_cast<QMouseEvent*>(event);
      const bool press = event->type() == QEvent::MouseButtonPress;
      if (press ? mouse->button() != Qt::LeftButton : !(dragging_ && (mouse->buttons() & Qt::LeftButton)))
        break;
      dragging_ = true;
      SnapCursor(g, points_[g]->Nearest(mouse->position()));
      return true;
    }
    case QEvent::MouseButtonRelease:
      if (static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton || !dragging_) break;
      dragging_ = false;
      emit cursorReleased(g);
      return true;
    case QEvent::KeyPress: {
      const int n = points_[g]->Count();
      int k = snapped_[g];
      switch (static_cast<QKeyEvent*>(event)->key()) {
        case Qt::Key_Left:
          k -= 1;
          break;
        case Qt::Key_Right:
          k += 1;
          break;
        case Qt::Key_PageDown:
          k -= kPageStep;
          break;
        case Qt::Key_PageUp:
          k += kPageStep;
          break;
        case Qt::Key_Home:
          k = 0;
          break;
        case Qt::Key_End:
          k = n - 1;
          break;
        default:
          return QWidget::eventFilter(watched, event);
      }
      if (n == 0) return true;
      SnapCursor(g, std::clamp(k, 0, n - 1));
      emit cursorReleased(g);
      return true;
    }
    default:
      break;
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace trivolux
