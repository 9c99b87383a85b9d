#pragma once
// Where the table's cells lie on the screen: the cell under a point, and the
// width the grid needs to show every column.
#include <span>

#include "selection/FrequencyTable.h"

namespace velmora {

struct GridCell {
  int row = -1;  // -1 outside the rows
  int column = -1;  // -1 outside the columns

  bool operator==(const GridCell&) const = default;
};

// The cell under (x, y), with every row `rowHeight` high, the heading row
// fixed at the top and the data rows scrolled so that `topRow` follows it.
// A column holds x when its left edge <= x <= left edge + width; hidden
// columns (width 0) hold nothing.
GridCell GridHitTest(std::span<const int> columnWidths, int rowHeight, int rows, int topRow, int x, int y);
GridCell GridHitTest(const FrequencyTable& table, int rowHeight, int topRow, int x, int y);

// The grid's room for a vertical scroll bar and its borders, in twips.
inline constexpr int kWidthFitMarginTwips = 260;

// The sum of the column widths and the margin (given in the same units).
int GridWidthFit(const FrequencyTable& table, int margin);

}  // namespace velmora
