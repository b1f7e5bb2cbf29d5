#pragma once
// The graph panel: one growing curve per recorded signal (RED, GREEN, BLUE,
// X, Y, INT, TEMP), of which the signal ring shows one at a time. Child panel
// of the main panel; the recorder extends the curves.
#include <QWidget>

#include "ui_graph_panel.h"

class QCustomPlot;

namespace trivolux {

class GraphPanel : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kSignals = 7;

  explicit GraphPanel(QWidget* parent = nullptr);
  Ui::GraphPanel ui;

  // The graph of a signal ring value (0 RED .. 6 TEMP); any other value is RED.
  QCustomPlot* GraphOf(int signal) const;
  // Curve colour of a signal ring value, 24-bit RGB.
  static unsigned ColourOf(int signal);
};

}  // namespace trivolux
