#pragma once
// Row colours and specifications on the four grids that show them: the
// teach grid (column 6), the table-attributes grid (specification in column
// 1, colour in column 2), the group grid (column 2) and the hold grid
// (column 2, one row lower: its first row is HOLD FAIL).
#include <cstdint>

#include "teach/table_attributes.h"

namespace trivolux {

class ScopeApp;

void ApplyRowColour(ScopeApp& app, int row, std::int32_t colour);
// Every row colour and specification onto the grids.
void ApplyTableAttributes(ScopeApp& app, const TableAttributes& attrs);
// The grid is the master copy: colours from the table-attributes grid's colour
// cells, specifications from its text cells; rows without a cell keep
// fallback's values.
TableAttributes TableAttributesFromGrid(ScopeApp& app, const TableAttributes& fallback);

}  // namespace trivolux
