#pragma once
// What the frequency grid shows at this moment: the table's cells as they
// were last taken from the model, with the blink already applied. The grid
// paints and hit-tests this copy, so a fill in progress (drawing held back)
// never shows half done, and a new look of the model tells exactly which
// cells must be painted again.
#include <optional>
#include <string>
#include <vector>

#include "selection/FrequencyTable.h"
#include "selection/TableGeometry.h"

namespace velmora {

struct DrawnCell {
  std::string text;  // in check-box cells without the indent: the box is drawn instead
  CellAlign align = CellAlign::Left;
  bool bold = false;
  bool checkBox = false;  // a data cell of a check-box column
  bool checked = false;
  CellLook look;

  bool operator==(const DrawnCell&) const = default;
};

// The cells that differ from what was shown; `all` when the rows or the
// columns changed, so every cell and the scroll range must be redone.
struct DrawnChanges {
  bool all = false;
  std::vector<GridCell> cells;

  bool Empty() const { return !all && cells.empty(); }
};

class DrawnTable {
 public:
  // Takes the model's present look and says what changed.
  DrawnChanges Take(const FrequencyTable& table);

  int Rows() const { return rows_; }
  int Columns() const { return static_cast<int>(widths_.size()); }
  const std::vector<int>& Widths() const { return widths_; }
  const DrawnCell& At(int row, int column) const;
  // The sum of the widths of the columns left of `column`.
  int Left(int column) const;
  int TotalWidth() const { return Left(Columns()); }

 private:
  static DrawnCell FromModel(const FrequencyTable& table, int row, int column);
  static bool Same(const DrawnCell& drawn, const FrequencyTable& table, int row, int column);

  int rows_ = 0;
  std::vector<int> widths_;
  std::vector<DrawnCell> cells_;  // row by row
};

}  // namespace velmora
