#pragma once
// The working copy <-> the controls of the parameter, group/hold and teach
// pages, from one table of {parameter word, control} bindings. Reserved
// teach words are never touched here.
#include "params/parameter_set.h"

class QWidget;

namespace trivolux {

class Panels;

// The control of each parameter word, in word order. HOLD FAIL has none: it
// lives in row 1 of the hold grid.
struct WordControl {
  int word;
  QWidget* control;  // a ring, spin box, slider or check box
};
std::array<WordControl, kParamWordCount - 1> ParameterControls(Panels& panels);

// Controls -> working copy, in word order (HOLD FAIL from hold grid row 1),
// then per teach row GROUP, HOLD and CELL 0..4.
void GetPanelValues(Panels& panels, ParameterSet* set);
// Working copy -> controls. EXTERN TEACH and the TRIGGER ring rule come first
// so that the ring offers the items the stored TRIGGER needs. The caller
// keeps the rule handlers quiet meanwhile (programmatic updates).
void SetPanelValues(Panels& panels, const ParameterSet& set);

}  // namespace trivolux
