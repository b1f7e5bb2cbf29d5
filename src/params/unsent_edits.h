#pragma once
// Whether the panels hold parameter or teach-table values that differ from
// the set last read from or written to the sensor or a file. The set the
// panels showed right after that transfer is kept; any change of a parameter
// control or of a cell of the teach, group or hold grid (by the user or by
// the program) compares the panels with it again, once per burst of changes.
// An edit that is undone by hand counts as no edit.
#include <QObject>
#include <QTimer>

#include "params/parameter_set.h"

namespace trivolux {

class Panels;

class UnsentEdits : public QObject {
  Q_OBJECT
 public:
  explicit UnsentEdits(Panels& panels, QObject* parent = nullptr);

  // The panels now show what the sensor or a file holds.
  void MarkInSync();
  // Compares the panels with the kept set now; true when they differ.
  bool Pending();

 signals:
  void pendingChanged(bool pending);

 private:
  void Schedule();
  void Update(bool pending);

  Panels& panels_;
  ParameterSet synced_;
  bool pending_ = false;
  QTimer compare_;
};

}  // namespace trivolux
