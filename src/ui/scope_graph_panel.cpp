#include "ui/scope_graph_panel.h"

#include <QHeaderView>
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
  // Inside the plot where they are seen, not on its edges.
  cursor1->position->setCoords(kSamples / 4, 4100 / 4);
  cursor2->position->setCoords(kSamples * 3 / 4, 4100 * 3 / 4);
  binaryCursor1->position->setCoords(kSamples / 4, 0);
  binaryCursor2->position->setCoords(kSamples * 3 / 4, 0);

  const QColor triggerColour(0xE0, 0x70, 0x00);
  triggerLine_ = new QCPItemStraightLine(ui.GraphScope);
  triggerLine_->setPen(QPen(triggerColour, 1, Qt::DashDotLine));
  triggerLabel_ = new QCPItemText(ui.GraphScope);
  triggerLabel_->setText(QStringLiteral("T"));
  triggerLabel_->setColor(triggerColour);
  triggerLabel_->setPositionAlignment(Qt::AlignLeft | Qt::AlignTop);
  triggerLabel_->setPadding(QMargins(3, 0, 0, 0));  // beside the line, not across it
  triggerLabel_->position->setTypeY(QCPItemPosition::ptAxisRectRatio);
  ShowTriggerMarker(-1);

  SetupCursorTable();

  ui.LedScanActive->setOnColor(QColor(0x00, 0xC0, 0x00));
  ui.GraphScope->setFocusPolicy(Qt::StrongFocus);
  ui.GraphScope->setAccessibleDescription(
      QStringLiteral("Left and Right move cursor 1, with Shift cursor 2. Ctrl and drag zooms. A double "
                     "click fits the y axis to the lines."));
  ui.GraphScope->installEventFilter(this);
}

void ScopeGraphPanel::SetupCursorTable() {
  QTableWidget* table = ui.TableScopeCursors;
  table->setColumnCount(kCursorColumns);
  table->setRowCount(2);
  table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table->setSelectionMode(QAbstractItemView::NoSelection);
  table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
  table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  const int rowHeight = table->fontMetrics().height() + 4;
  table->verticalHeader()->setDefaultSectionSize(rowHeight);
  QStringList columns = {QStringLiteral("sample"), QStringLiteral("t [ms]"), QString(), QString(), QString()};
  for (const char* bit : {"BIT0", "BIT1"}) columns << QString::fromLatin1(bit);
  table->setHorizontalHeaderLabels(columns);
  SetLineNames({QStringLiteral("RED"), QStringLiteral("GREEN"), QStringLiteral("BLUE")});
  const QColor cursorColours[2] = {cursor1->pen().color(), cursor2->pen().color()};
  for (int row = 0; row < 2; ++row) {
    auto* header = new QTableWidgetItem(QStringLiteral("C%1").arg(row + 1));
    header->setForeground(cursorColours[row]);
    table->setVerticalHeaderItem(row, header);
    for (int col = 0; col < kCursorColumns; ++col) {
      auto* item = new QTableWidgetItem;
      item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      table->setItem(row, col, item);
    }
  }
  table->setFixedHeight(table->horizontalHeader()->sizeHint().height() + 2 * rowHeight +
                        2 * table->frameWidth());
}

void ScopeGraphPanel::SetLineNames(const QStringList& names) {
  for (int c = 0; c < 3 && c < names.size(); ++c) {
    QTableWidgetItem* header = ui.TableScopeCursors->horizontalHeaderItem(kColLine + c);
    if (!header) header = new QTableWidgetItem;
    header->setText(names[c]);
    ui.TableScopeCursors->setHorizontalHeaderItem(kColLine + c, header);
  }
}

void ScopeGraphPanel::ShowCursorRow(int row, int sample, double ms, int msDecimals,
                                    const QList<int>& values) {
  QTableWidget* table = ui.TableScopeCursors;
  table->item(row, kColSample)->setText(QString::number(sample));
  table->item(row, kColTime)->setText(QString::number(ms, 'f', msDecimals));
  for (int c = kColLine; c < kCursorColumns; ++c) {
    const int at = c - kColLine;
    table->item(row, c)->setText(at < values.size() ? QString::number(values[at]) : QString());
  }
}

void ScopeGraphPanel::ShowTriggerMarker(int sample) {
  const bool shown = sample >= 0;
  triggerLine_->setVisible(shown);
  triggerLabel_->setVisible(shown);
  if (shown) {
    triggerLine_->point1->setCoords(sample, 0);
    triggerLine_->point2->setCoords(sample, 1);
    triggerLabel_->position->setCoords(sample, 0);
  }
  ui.GraphScope->replot(QCustomPlot::rpQueuedReplot);
}

int ScopeGraphPanel::TriggerMarkerSample() const {
  return triggerLine_->visible() ? static_cast<int>(triggerLine_->point1->coords().x()) : -1;
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
    case QEvent::MouseButtonDblClick:
      if (static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton) break;
      dragged_ = nullptr;
      emit fitRequested();
      return true;
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
