#include "params/table_tolerance.h"

namespace trivolux {

void SortTableTolerance(TeachTable* table, int oldCalcMode, int newCalcMode) {
  const bool from3D = mode::Is3D(oldCalcMode);
  const bool to3D = mode::Is3D(newCalcMode);
  if (from3D == to3D) return;
  // Grid columns 3, 4, 5 are CELL 2, 3, 4.
  constexpr int c3 = kCell0 + 2, c4 = kCell0 + 3, c5 = kCell0 + 4;
  for (TeachVector& row : table->row) {
    const std::uint16_t old3 = row[c3];
    const std::uint16_t old4 = row[c4];
    row[c3] = old4;
    row[c4] = old3;
    row[c5] = to3D ? 1 : old4;
  }
}

}  // namespace trivolux
