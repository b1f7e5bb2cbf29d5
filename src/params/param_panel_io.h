#pragma once
// The working copy <-> the controls of the parameter, group/hold and teach
// pages. Reserved teach words are never touched here.
#include "params/parameter_set.h"

namespace trivolux {

class ScopeApp;

// Controls -> working copy, in documented order: the 17 parameters (HOLD FAIL
// from hold grid row 1), then per teach row GROUP, HOLD and CELL 0..4.
void GetPanelValues(ScopeApp& app, ParameterSet* set);
// Working copy -> controls. EXTERN TEACH and the TRIGGER ring rule come first
// so that the ring offers the items the stored TRIGGER needs.
void SetPanelValues(ScopeApp& app, const ParameterSet& set);

}  // namespace trivolux
