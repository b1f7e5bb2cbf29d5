#pragma once
// The teach page: TEACH DATA TO, RESET TABLE, user edits of the teach grid,
// and the commands of the grid's context menu (set, increment and reset a
// selection, teach tolerance off and on).
#include <QObject>

#include "live/measurement_record.h"

namespace trivolux {

class ColourPlanes;
class LiveController;
class Panels;
class ParamController;
class Popups;
class TableAttrController;
class TeachGridMenu;
struct SharedState;

class TeachTableController : public QObject {
  Q_OBJECT
 public:
  TeachTableController(Panels& panels, SharedState& state, Popups& popups, ParamController& params,
                       LiveController& live, TableAttrController& tableAttr, ColourPlanes& planes,
                       TeachGridMenu& menu, QObject* parent = nullptr);

  // Writes the last measurement shown into the "No.:" row (or the threshold
  // rows), with default tolerances when the teach tolerance is on.
  void TeachDataTo();
  // The same with the values of another record (a picked recorded point);
  // the automatic row colour is still the one the live displays show.
  void TeachDataTo(const MeasurementRecord& values);
  // Every value cell to 1, "No.:" to 0, the taught regions removed.
  void ResetTable();

 public slots:
  void CBF_ButtonTeachDataTo();
  void CBF_ButtonResetTable();
  void CBF_GridCtt();
  void CBF_GridCttSetSelectionTo();
  void CBF_GridCttIncrementSelectionWith();
  void CBF_GridCttResetSelection();
  void CBF_GridCttTeachTolOff();
  void CBF_GridCttTeachTolOn();

 private:
  enum class Fill { Set, Increment, Reset };
  // Writes the editable cells of the selection row by row; false when there
  // is no selection or the answer was not an integer.
  bool FillSelection(Fill fill);
  void Refresh(bool showGraph);

  Panels& panels_;
  SharedState& state_;
  Popups& popups_;
  ParamController& params_;
  LiveController& live_;
  TableAttrController& tableAttr_;
  ColourPlanes& planes_;
  TeachGridMenu& menu_;
};

}  // namespace trivolux
