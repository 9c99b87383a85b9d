#include "selection/FrequencyTable.h"

#include <algorithm>

#include "common/TextParse.h"

namespace velmora {
namespace {

const Cell kNoCell{};
const TableColumn kNoColumn{};
const TableRow kNoRow{};

std::string_view WithoutIndent(std::string_view text) {
  size_t start = text.find_first_not_of(' ');
  return start == std::string_view::npos ? std::string_view() : text.substr(start);
}

}  // namespace

void FrequencyTable::Clear(std::vector<TableColumn> columns) {
  columns_ = std::move(columns);
  rows_.assign(1, TableRow(columns_.size()));
  for (size_t c = 0; c < columns_.size(); ++c) {
    Cell& heading = rows_[0][c];
    heading.text = columns_[c].heading;
    heading.align = CellAlign::Center;
    heading.back = kHeadingBack;
  }
  StructureChanged();
}

const TableColumn& FrequencyTable::Column(int column) const {
  return column >= 0 && column < Columns() ? columns_[static_cast<size_t>(column)] : kNoColumn;
}

int FrequencyTable::RowAdd() {
  TableRow row(columns_.size());
  for (size_t c = 0; c < columns_.size(); ++c) row[c].align = columns_[c].align;
  rows_.push_back(std::move(row));
  Changed();
  return Rows() - 1;
}

void FrequencyTable::RowRemove(int row) {
  if (row < 1 || row >= Rows()) return;
  rows_.erase(rows_.begin() + row);
  StructureChanged();
}

void FrequencyTable::RowsCut(int rows) {
  rows = std::max(rows, 1);
  if (rows >= Rows()) return;
  rows_.resize(static_cast<size_t>(rows));
  StructureChanged();
}

int FrequencyTable::ColumnAdd(TableColumn column) {
  for (auto& row : rows_) row.emplace_back();
  rows_[0].back().text = column.heading;
  rows_[0].back().back = kHeadingBack;
  columns_.push_back(std::move(column));
  StructureChanged();
  return Columns() - 1;
}

void FrequencyTable::ColumnRemoveLast() {
  if (columns_.empty()) return;
  columns_.pop_back();
  for (auto& row : rows_) row.pop_back();
  StructureChanged();
}

bool FrequencyTable::Valid(int row, int column) const {
  return row >= 0 && row < Rows() && column >= 0 && column < Columns();
}

Cell* FrequencyTable::At(int row, int column) {
  return Valid(row, column) ? &rows_[static_cast<size_t>(row)][static_cast<size_t>(column)] : nullptr;
}

const Cell& FrequencyTable::CellAt(int row, int column) const {
  return Valid(row, column) ? rows_[static_cast<size_t>(row)][static_cast<size_t>(column)] : kNoCell;
}

void FrequencyTable::CellSet(int row, int column, std::string_view text, std::optional<CellAlign> align,
                             bool bold) {
  Cell* cell = At(row, column);
  if (!cell) return;
  bool checkBox = row > 0 && Column(column).checkBoxes;
  cell->text = checkBox ? std::string(kCheckCellIndent) + std::string(WithoutIndent(text)) : std::string(text);
  cell->align = align.value_or(row == 0 ? CellAlign::Center : Column(column).align);
  cell->bold = bold;
  Changed();
}

std::string FrequencyTable::CellGet(int row, int column) const {
  const Cell& cell = CellAt(row, column);
  if (row > 0 && Column(column).checkBoxes) return std::string(WithoutIndent(cell.text));
  return cell.text;
}

double FrequencyTable::CellValue(int row, int column) const { return Val(CellGet(row, column)); }

void FrequencyTable::CellBoldSet(int row, int column, bool bold) {
  if (Cell* cell = At(row, column)) {
    cell->bold = bold;
    Changed();
  }
}

void FrequencyTable::CheckSet(int row, int column, bool checked) {
  if (row < 1) return;
  if (Cell* cell = At(row, column)) {
    cell->checked = checked;
    Changed();
  }
}

bool FrequencyTable::CheckGet(int row, int column) const {
  return HasCheckBox(row, column) && CellAt(row, column).checked;
}

bool FrequencyTable::HasCheckBox(int row, int column) const {
  return row > 0 && row < Rows() && Column(column).checkBoxes && CellAt(row, column).box;
}

void FrequencyTable::CheckBoxRemove(int row, int column) {
  if (row < 1) return;
  if (Cell* cell = At(row, column)) {
    cell->box = false;
    cell->checked = false;
    Changed();
  }
}

void FrequencyTable::CheckCellSet(int row, int column, std::string_view frequency, bool checked) {
  CellSet(row, column, frequency);
  if (Cell* cell = At(row, column)) cell->box = true;
  CheckSet(row, column, checked);
}

void FrequencyTable::CellColorSet(int row, int column, Bgr back) {
  if (Cell* cell = At(row, column)) {
    cell->back = back;
    cell->fore = TextColourOn(back);
    Changed();
  }
}

Bgr FrequencyTable::CellColor(int row, int column) const { return CellAt(row, column).back; }

void FrequencyTable::CellLookSet(int row, int column, CellLook look) {
  if (Cell* cell = At(row, column)) {
    cell->fore = look.fore;
    cell->back = look.back;
    Changed();
  }
}

CellLook FrequencyTable::Look(int row, int column) const {
  const Cell& cell = CellAt(row, column);
  if (blink_ && blink_->swapped && blink_->row == row && blink_->column == column) return {cell.back, cell.fore};
  return {cell.fore, cell.back};
}

void FrequencyTable::RowsStableSort(int first, int last,
                                    const std::function<bool(const TableRow&, const TableRow&)>& before) {
  first = std::max(first, 1);
  last = std::min(last, Rows() - 1);
  if (first >= last) return;
  std::stable_sort(rows_.begin() + first, rows_.begin() + last + 1, before);
  StructureChanged();
}

const TableRow& FrequencyTable::Row(int row) const {
  return row >= 0 && row < Rows() ? rows_[static_cast<size_t>(row)] : kNoRow;
}

std::string FrequencyTable::FrequencyListNext(int& cursor, int column) const {
  cursor = std::max(cursor + 1, 1);
  while (cursor < Rows() && !CheckGet(cursor, column)) ++cursor;
  if (cursor >= Rows()) {
    cursor = Rows();
    return {};
  }
  return CellGet(cursor, column);
}

void FrequencyTable::FrequencyCellColor(int row, int column, Bgr back) {
  if (!Valid(row, column)) return;
  if (blink_ && blink_->row == row && blink_->column == column && CellColor(row, column) == back) return;
  CellColorSet(row, column, back);
  scrollRequest_ = row;
}

void FrequencyTable::FrequencyCellBlink(int row, int column) {
  if (!Valid(row, column)) return;
  if (blink_ && blink_->row == row && blink_->column == column) return;
  blink_ = Blink{row, column, false};
  Changed();
}

void FrequencyTable::FrequencyCellBlinkStop() {
  if (!blink_) return;
  blink_.reset();
  Changed();
}

void FrequencyTable::BlinkTick() {
  if (!blink_) return;
  blink_->swapped = !blink_->swapped;
  Changed();
}

bool FrequencyTable::CenterFrequencyIsPactor3(int row, int p3Column) const {
  return !Trim(CellGet(row, p3Column)).empty();
}

std::optional<int> FrequencyTable::ScrollRequestTake() {
  auto request = scrollRequest_;
  scrollRequest_.reset();
  return request;
}

void FrequencyTable::RedrawSet(bool on) {
  if (redraw_ == on) return;
  redraw_ = on;
  Changed();
}

void FrequencyTable::StructureChanged() {
  // Rows moved or went away: the blink and a scroll request would point at
  // another row now.
  blink_.reset();
  scrollRequest_.reset();
  Changed();
}

}  // namespace velmora
