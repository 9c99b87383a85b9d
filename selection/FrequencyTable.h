#pragma once
// The frequency table of the AutoConnect window as values: a heading row
// and data rows of cells with text, alignment, bold, colours and, in the
// "Rx Check" and "Tx Connect" columns, a check box. The grid on the screen
// only draws this model and reports clicks and pointer moves; the engine,
// AutoSelect and the table fill change it through the operations below.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "selection/ReasonColors.h"

namespace velmora {

enum class CellAlign { Left, Center, Right };

struct Cell {
  std::string text;
  CellAlign align = CellAlign::Left;
  bool bold = false;
  Bgr fore = kColorBlack;
  Bgr back = kColorWhite;
  bool checked = false;  // meaningful in check-box columns only
  bool box = true;       // in a check-box column: false for a cell recalled without a box

  bool operator==(const Cell&) const = default;
};

struct TableColumn {
  std::string heading;  // empty while the column is hidden
  int width = 0;        // in the view's units; 0 hides the column
  CellAlign align = CellAlign::Left;
  bool checkBoxes = false;

  bool operator==(const TableColumn&) const = default;
};

using TableRow = std::vector<Cell>;

// The colours a cell is drawn with at this moment (a blinking cell swaps them).
struct CellLook {
  Bgr fore = kColorBlack;
  Bgr back = kColorWhite;
};

// The frequency text of a check-box cell sits after six blanks, so that
// the box drawn at the left does not cover it.
inline constexpr std::string_view kCheckCellIndent = "      ";

inline constexpr Bgr kHeadingBack = 0xC0C0C0;

class FrequencyTable {
 public:
  FrequencyTable() { Clear({}); }

  // Empties the table and gives it these columns and one heading row.
  void Clear(std::vector<TableColumn> columns);

  int Rows() const { return static_cast<int>(rows_.size()); }  // the heading row included
  int DataRows() const { return Rows() - 1; }
  int Columns() const { return static_cast<int>(columns_.size()); }
  const TableColumn& Column(int column) const;
  const std::vector<TableColumn>& ColumnList() const { return columns_; }

  // A new empty data row at the end; its index.
  int RowAdd();
  void RowRemove(int row);
  // Keeps the first `rows` rows; the heading row always stays.
  void RowsCut(int rows);
  // A column added at the right for a while, and taken away again.
  int ColumnAdd(TableColumn column);
  void ColumnRemoveLast();

  // Text, alignment (the column's when none is given) and bold of one cell.
  // In a check-box column the text is stored behind the indent and the
  // check state is kept.
  void CellSet(int row, int column, std::string_view text, std::optional<CellAlign> align = std::nullopt,
               bool bold = false);
  // The cell's text; in check-box columns without the leading blanks.
  std::string CellGet(int row, int column) const;
  // The cell's leading number, 0 when there is none.
  double CellValue(int row, int column) const;
  const Cell& CellAt(int row, int column) const;
  void CellBoldSet(int row, int column, bool bold);

  void CheckSet(int row, int column, bool checked);
  bool CheckGet(int row, int column) const;
  // A data row's cell of a check-box column, unless it was recalled without its box.
  bool HasCheckBox(int row, int column) const;
  // The cell shows no box (and counts as unchecked) until a check-box cell is set there again.
  void CheckBoxRemove(int row, int column);
  // A check-box cell with its frequency text and state.
  void CheckCellSet(int row, int column, std::string_view frequency, bool checked);

  void CellColorSet(int row, int column, Bgr back);
  Bgr CellColor(int row, int column) const;
  // Text and back colour of one cell together.
  void CellLookSet(int row, int column, CellLook look);
  CellLook Look(int row, int column) const;

  // Reorders rows [first, last] by `before`, keeping equal rows in order.
  void RowsStableSort(int first, int last, const std::function<bool(const TableRow&, const TableRow&)>& before);
  const TableRow& Row(int row) const;

  // --- What the AutoConnect engine does on cells.

  // Moves the cursor past its row to the next data row whose box in the
  // column is checked and returns that row's frequency text; empty (the
  // cursor past the last row) when there is none.
  std::string FrequencyListNext(int& cursor, int column) const;
  // Colours the cell and asks the view to bring its row into sight; the
  // blinking cell given the colour it already has is left alone.
  void FrequencyCellColor(int row, int column, Bgr back);
  // Makes this cell the blinking one (the previous one stops).
  void FrequencyCellBlink(int row, int column);
  void FrequencyCellBlinkStop();
  // One beat of the blink timer: the blinking cell swaps its text and back
  // colours, or swaps them back.
  void BlinkTick();
  bool BlinkActive() const { return blink_.has_value(); }
  // Whether the row is a Pactor 3 row (its "P3" cell holds a mark), for the
  // centre frequency the analysis listens on.
  bool CenterFrequencyIsPactor3(int row, int p3Column) const;

  // --- For the view.

  // The row to scroll into view, once.
  std::optional<int> ScrollRequestTake();
  // Drawing is held back while a fill changes many cells.
  void RedrawSet(bool on);
  bool Redraw() const { return redraw_; }
  // Grows with every change, so the view knows when to draw again.
  std::uint64_t Revision() const { return revision_; }

 private:
  struct Blink {
    int row = 0, column = 0;
    bool swapped = false;
  };
  bool Valid(int row, int column) const;
  Cell* At(int row, int column);
  void Changed() { ++revision_; }
  void StructureChanged();

  std::vector<TableColumn> columns_;
  std::vector<TableRow> rows_;
  std::optional<Blink> blink_;
  std::optional<int> scrollRequest_;
  bool redraw_ = true;
  std::uint64_t revision_ = 0;
};

// Holds the table's drawing back for one scope.
class RedrawPause {
 public:
  explicit RedrawPause(FrequencyTable& table) : table_(table), was_(table.Redraw()) { table_.RedrawSet(false); }
  RedrawPause(const RedrawPause&) = delete;
  RedrawPause& operator=(const RedrawPause&) = delete;
  ~RedrawPause() { table_.RedrawSet(was_); }

 private:
  FrequencyTable& table_;
  bool was_;
};

}  // namespace velmora
