#include "selection/TableGeometry.h"

#include <algorithm>
#include <vector>

namespace velmora {

GridCell GridHitTest(std::span<const int> columnWidths, int rowHeight, int rows, int topRow, int x, int y) {
  GridCell hit;
  int left = 0;
  for (size_t c = 0; c < columnWidths.size(); ++c) {
    int width = columnWidths[c];
    if (width <= 0) continue;
    if (left <= x && x <= left + width) {
      hit.column = static_cast<int>(c);
      break;
    }
    left += width;
  }
  if (rowHeight <= 0 || y < 0) return hit;
  int visible = y / rowHeight;  // the row that starts at or above y
  if (y > 0 && y % rowHeight == 0) --visible;  // a boundary belongs to the row above it
  int row = visible == 0 ? 0 : std::max(topRow, 1) + visible - 1;
  if (row < rows) hit.row = row;
  return hit;
}

GridCell GridHitTest(const FrequencyTable& table, int rowHeight, int topRow, int x, int y) {
  std::vector<int> widths;
  for (const auto& column : table.ColumnList()) widths.push_back(column.width);
  return GridHitTest(widths, rowHeight, table.Rows(), topRow, x, y);
}

int GridWidthFit(const FrequencyTable& table, int margin) {
  int width = margin;
  for (const auto& column : table.ColumnList()) width += std::max(column.width, 0);
  return width;
}

}  // namespace velmora
