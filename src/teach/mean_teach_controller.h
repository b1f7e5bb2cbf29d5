#pragma once
// The mean-value teach panel: opening it runs GO, CAPTURE and UNDO fill the
// capture grid, the means and largest distances follow, RESET clears it,
// TEACH writes the means and the chosen tolerances into the "No.:" row, and
// CLOSE stops GO and returns to the data panel.
#include <QObject>

#include "teach/mean_teach.h"

namespace trivolux {

class ColourPlanes;
class LiveController;
class Panels;
class ParamController;
class Popups;
struct SharedState;

class MeanTeachController : public QObject {
  Q_OBJECT
 public:
  MeanTeachController(Panels& panels, SharedState& state, Popups& popups, ParamController& params,
                      LiveController& live, ColourPlanes& planes, QObject* parent = nullptr);

  void ResetTeachMeanPanelTable();
  void CaptureFrame();
  void UndoCapture();
  void CalcMeanValues();
  void CalcMaxDelta();
  void TeachToTable();

 public slots:
  void CBF_ButtonTeachMeanVal();
  void CBF_ButtonTP1ResetTable();
  void CBF_ButtonTP1Teach();
  void CBF_ButtonCloseTeachPanel();

 private:
  int Count() const;
  // The captured rows 1..n as cells.
  void ReadCaptures(CaptureRow* rows, int n) const;
  void SetActiveRow(int row);

  Panels& panels_;
  SharedState& state_;
  Popups& popups_;
  ParamController& params_;
  LiveController& live_;
  ColourPlanes& planes_;
  CaptureRow mean_{};
};

}  // namespace trivolux
