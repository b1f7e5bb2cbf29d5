#pragma once
// The data panel: live value displays, status line, connection displays and
// the four graph pages (RGB strip chart, X/Y/INT strip charts, 2D and 3D
// colour planes). Child panel of the main panel.
#include <QWidget>

#include "ui_data_panel.h"

class QCPItemTracer;
class QLabel;

namespace trivolux {

class DataPanel : public QWidget {
  Q_OBJECT
 public:
  // Pages of TabDataP1.
  enum Page { kPageRgb = 0, kPageXyInt = 1, kPage2D = 2, kPage3D = 3 };

  explicit DataPanel(QWidget* parent = nullptr);
  Ui::DataPanel ui;

  // After a link failure the values shown are the last ones received: their
  // text turns grey and marker says so (e.g. "STALE: link lost at 14:03:22").
  // An empty marker shows them as current again.
  void ShowStale(const QString& marker);
  QString StaleMarker() const;

  // Current-point cursors of the colour planes (plot coordinates).
  QCPItemTracer* cursorXY2D = nullptr;
  QCPItemTracer* cursorINT2D = nullptr;
  QCPItemTracer* cursorXY3D = nullptr;
  QCPItemTracer* cursorXINT3D = nullptr;
  QCPItemTracer* cursorYINT3D = nullptr;

 private:
  QLabel* staleMarker_ = nullptr;
};

// Greys a value display's text (grey = true) or gives it back its own colour.
void GreyText(QWidget* display, bool grey);

}  // namespace trivolux
