#include "selection/win32/DrawnTable.h"

#include <algorithm>

namespace velmora {
namespace {

const DrawnCell kNoCell{};

bool IsCheckBox(const FrequencyTable& table, int row, int column) {
  return row > 0 && table.Column(column).checkBoxes;
}

// The text as shown: a check-box cell's blanks only made room for the box.
std::string_view ShownText(const FrequencyTable& table, int row, int column) {
  std::string_view text = table.CellAt(row, column).text;
  if (!IsCheckBox(table, row, column)) return text;
  size_t start = text.find_first_not_of(' ');
  return start == std::string_view::npos ? std::string_view() : text.substr(start);
}

}  // namespace

DrawnCell DrawnTable::FromModel(const FrequencyTable& table, int row, int column) {
  const Cell& cell = table.CellAt(row, column);
  DrawnCell drawn;
  drawn.text = ShownText(table, row, column);
  drawn.align = cell.align;
  drawn.bold = cell.bold;
  drawn.checkBox = table.HasCheckBox(row, column);
  drawn.checked = drawn.checkBox && cell.checked;
  drawn.look = table.Look(row, column);
  return drawn;
}

bool DrawnTable::Same(const DrawnCell& drawn, const FrequencyTable& table, int row, int column) {
  const Cell& cell = table.CellAt(row, column);
  CellLook look = table.Look(row, column);
  return drawn.checkBox == table.HasCheckBox(row, column) && drawn.text == ShownText(table, row, column) &&
         drawn.align == cell.align && drawn.bold == cell.bold &&
         drawn.checked == (drawn.checkBox && cell.checked) && drawn.look.fore == look.fore &&
         drawn.look.back == look.back;
}

DrawnChanges DrawnTable::Take(const FrequencyTable& table) {
  DrawnChanges changes;
  std::vector<int> widths;
  widths.reserve(static_cast<size_t>(table.Columns()));
  for (const auto& column : table.ColumnList()) widths.push_back(std::max(column.width, 0));

  if (table.Rows() != rows_ || widths != widths_) {
    rows_ = table.Rows();
    widths_ = std::move(widths);
    cells_.clear();
    cells_.reserve(static_cast<size_t>(rows_) * widths_.size());
    for (int r = 0; r < rows_; ++r)
      for (int c = 0; c < Columns(); ++c) cells_.push_back(FromModel(table, r, c));
    changes.all = true;
    return changes;
  }
  // Same shape: only the cells whose look changed (compared in place, as
  // the blink asks this twice a second of tables of hundreds of cells).
  for (int r = 0; r < rows_; ++r)
    for (int c = 0; c < Columns(); ++c) {
      DrawnCell& drawn = cells_[static_cast<size_t>(r * Columns() + c)];
      if (Same(drawn, table, r, c)) continue;
      drawn = FromModel(table, r, c);
      changes.cells.push_back({r, c});
    }
  return changes;
}

const DrawnCell& DrawnTable::At(int row, int column) const {
  if (row < 0 || row >= rows_ || column < 0 || column >= Columns()) return kNoCell;
  return cells_[static_cast<size_t>(row * Columns() + column)];
}

int DrawnTable::Left(int column) const {
  int left = 0;
  for (int c = 0; c < std::min(column, Columns()); ++c) left += widths_[static_cast<size_t>(c)];
  return left;
}

}  // namespace velmora
