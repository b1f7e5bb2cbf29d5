#include "ui/scope_graph_panel.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <algorithm>
#include <cmath>

#include "qcustomplot.h"
#include "ui/mnemonics.h"
#include "ui/panel_setup.h"
#include "ui/plot_style.h"

namespace trivolux {

ScopeGraphPanel::ScopeGraphPanel(QWidget* parent) : QWidget(parent) {
  ui.setupUi(this);
  AssignMnemonics(this);
  AssignRingIndexValues(this);

  // Full range: 128 samples across, 0..4100 digits up (0..10000 for s/i/M).
  SetupPlane(ui.GraphScope, "sample", "digit", kSamples, 4100);
  // Binary traces lie one above the other: A at 2..3, B at 0..1.
  SetupPlane(ui.GraphScopeBinary, QString(), "IN", kSamples, 4);
  ui.GraphScopeBinary->yAxis->ticker()->setTickCount(2);

  cursor1 = AddCursor(ui.GraphScope, QColor(0x80, 0x00, 0x80));
  cursor2 = AddCursor(ui.GraphScope, QColor(0x00, 0x80, 0x80));
  binaryCursor1 = AddCursor(ui.GraphScopeBinary, QColor(0x80, 0x00, 0x80));
  binaryCursor2 = AddCursor(ui.GraphScopeBinary, QColor(0x00, 0x80, 0x80));
  cursor2->position->setCoords(kSamples, 0);
  binaryCursor2->position->setCoords(kSamples, 0);

  ui.LedScanActive->setOnColor(QColor(0x00, 0xC0, 0x00));
  ui.GraphScope->setFocusPolicy(Qt::StrongFocus);
  ui.GraphScope->setAccessibleDescription(
      QStringLiteral("Left and Right move cursor 1, with Shift cursor 2. Ctrl and drag zooms."));
  ui.GraphScope->installEventFilter(this);
}

bool ScopeGraphPanel::eventFilter(QObject* watched, QEvent* event) {
  QCustomPlot* plot = ui.GraphScope;
  if (watched != plot) return QWidget::eventFilter(watched, event);
  const auto moveTo = [&](QCPItemTracer* cursor, double x, double y) {
    cursor->position->setCoords(std::clamp(x, 0.0, double(kSamples)), y);
    plot->replot(QCustomPlot::rpQueuedReplot);
    emit cursorMoved();
  };
  switch (event->type()) {
    case QEvent::MouseButtonPress: {
      auto* mouse = static_cast<QMouseEvent*>(event);
      if (mouse->button() != Qt::LeftButton) break;
      const bool zoom = mouse->modifiers() & Qt::ControlModifier;
      plot->setSelectionRectMode(zoom ? QCP::srmZoom : QCP::srmNone);
      if (zoom) break;
      // The nearer cursor within a few pixels is taken.
      const double x = mouse->position().x();
      const double d1 = std::abs(cursor1->position->pixelPosition().x() - x);
      const double d2 = std::abs(cursor2->position->pixelPosition().x() - x);
      constexpr double kGrip = 6;
      dragged_ = d1 <= d2 ? (d1 <= kGrip ? cursor1 : nullptr) : (d2 <= kGrip ? cursor2 : nullptr);
      return dragged_ != nullptr;
    }
    case QEvent::MouseMove:
      if (!dragged_) break;
      moveTo(dragged_, plot->xAxis->pixelToCoord(static_cast<QMouseEvent*>(event)->position().x()),
             plot->yAxis->pixelToCoord(static_cast<QMouseEvent*>(event)->position().y()));
      return true;
    case QEvent::MouseButtonRelease:
      if (!dragged_) break;
      dragged_ = nullptr;
      return true;
    case QEvent::KeyPress: {
      auto* key = static_cast<QKeyEvent*>(event);
      const int step = key->key() == Qt::Key_Left ? -1 : key->key() == Qt::Key_Right ? 1 : 0;
      if (step == 0) break;
      QCPItemTracer* cursor = key->modifiers() & Qt::ShiftModifier ? cursor2 : cursor1;
      const QPointF at = cursor->position->coords();
      moveTo(cursor, std::floor(at.x()) + step, at.y());
      return true;
    }
    default:
      break;
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace trivolux
