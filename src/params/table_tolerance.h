#pragma once
// Re-arrangement of the teach table's value columns when CALCULATION MODE
// moves between the 2D family (0, 1: CTO and ITO per row) and the 3D family
// (2, 3: one TOL per row, column 5 unused).
#include "params/parameter_set.h"

namespace trivolux {

// 2D -> 3D: column 3 <- old column 4 (intensity), column 4 <- old column 3
// (colour tolerance becomes TOL), column 5 <- 1.
// 3D -> 2D: column 3 <- old TOL, column 4 <- old intensity, column 5 <- old TOL.
// Within one family nothing changes. Columns 1 and 2 never change.
void SortTableTolerance(TeachTable* table, int oldCalcMode, int newCalcMode);

}  // namespace trivolux
