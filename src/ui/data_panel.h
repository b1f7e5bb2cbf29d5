#pragma once
// The data panel: live value displays, status line, connection displays and
// the four graph pages (RGB strip chart, X/Y/INT strip charts, 2D and 3D
// colour planes). Child panel of the main panel.
#include <QWidget>

#include "ui_data_panel.h"

class QCPItemTracer;

namespace trivolux {

class DataPanel : public QWidget {
  Q_OBJECT
 public:
  // Pages of TabDataP1.
  enum Page { kPageRgb = 0, kPageXyInt = 1, kPage2D = 2, kPage3D = 3 };

  explicit DataPanel(QWidget* parent = nullptr);
  Ui::DataPanel ui;

  // Current-point cursors of the colour planes (plot coordinates).
  QCPItemTracer* cursorXY2D = nullptr;
  QCPItemTracer* cursorINT2D = nullptr;
  QCPItemTracer* cursorXY3D = nullptr;
  QCPItemTracer* cursorXINT3D = nullptr;
  QCPItemTracer* cursorYINT3D = nullptr;
};

}  // namespace trivolux
