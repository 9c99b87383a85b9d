#pragma once
// The frequency table on the screen (`grdFrequency`): a child window that
// only shows a FrequencyTable and reports clicks and pointer moves. The
// heading row stays at the top, the data rows scroll under it. It is drawn
// from the model, never the other way round; the one change it makes itself
// is the toggle of a check box the user clicked or ticked with Space.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

#include "common/win32/Handles.h"
#include "selection/FrequencyTable.h"
#include "selection/FrequencyToolTip.h"
#include "selection/TableColumns.h"
#include "selection/TableGeometry.h"
#include "selection/win32/DrawnTable.h"

namespace velmora {

// What the grid tells its window. Rows and columns are the model's indices;
// -1 outside the cells.
class FrequencyGridListener {
 public:
  virtual ~FrequencyGridListener() = default;
  // A left click on a data cell, or Space on the marked one, after a check box in it was toggled.
  virtual void GridClick(int row, int column) = 0;
  // The pointer moved to a new point over the grid.
  virtual void GridMouseMove(int row, int column) = 0;
  // The right button came up; the point is on the screen, for a pop-up menu.
  virtual void GridRightButtonUp(int row, int column, int screenX, int screenY) = 0;
  // A left click on a heading cell; tables that sort by their headings listen.
  virtual void GridHeaderClick(int /*column*/) {}
};

// The tool-tip text of a cell; empty shows none.
using GridToolTipText = std::function<std::string(int row, int column)>;

class FrequencyGrid {
 public:
  FrequencyGrid(FrequencyTable& table, FrequencyGridListener& listener, GridToolTipText toolTip);
  FrequencyGrid(const FrequencyGrid&) = delete;
  FrequencyGrid& operator=(const FrequencyGrid&) = delete;
  ~FrequencyGrid();

  bool Create(HWND parent, int id);
  HWND Handle() const { return hwnd_; }
  void Move(int x, int y, int width, int height);

  // The width of a text in the grid's font, in pixels: the column builder
  // turns its width templates into column widths with it.
  TextWidth Measure() const;
  // The outer width that shows every column of the model without a
  // horizontal scroll bar: the columns, the borders and a vertical scroll bar.
  int WidthFit() const;

  // Brings the screen in line with the model: only the cells that changed
  // are painted again (the blink repaints one cell), the row the model asks
  // for is scrolled into view, and the scroll position is kept otherwise.
  // Nothing happens while the model holds its drawing back.
  void Refresh();

  int RowHeight() const { return rowHeight_; }
  // The data row shown right under the heading row.
  int TopRow() const { return topRow_; }
  // Where a cell is drawn, in client coordinates; empty when it is hidden.
  RECT CellRect(int row, int column) const;
  GridCell CellAt(int x, int y) const;
  // The row last clicked with either button or reached with the arrows, 0 before any.
  int SelectedRow() const { return selected_.row > 0 ? selected_.row : 0; }
  // What the tool-tip control holds now.
  std::string ToolTipText() const;

 private:
  static constexpr int kCheckBoxSize = 13;  // pixels, in the row height and the cells

  static LRESULT CALLBACK WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void OnPaint();
  void OnPrintClient(HDC dc);
  void OnSize();
  void OnMouseWheel(int delta);
  void OnKeyDown(WPARAM key, LPARAM flags);
  void FocusMove(int rows, int columns);
  bool MarkShown() const;
  void OnMouse(UINT message, int x, int y);
  void CreateToolTip();
  void OnMouseMove(int x, int y);
  void OnLeftButtonUp(int x, int y);
  void OnRightButtonUp(int x, int y);
  void OnContextKey();
  void Toggle(GridCell cell);
  void Select(GridCell cell);

  void Paint(HDC dc, const RECT& area) const;
  void PaintCell(HDC dc, int row, int column, const RECT& cell) const;
  int VisibleDataRows() const;
  int LastTopRow() const;
  void ScrollTo(int topRow, int left);
  void ScrollIntoView(int row);
  void OnScroll(int bar, int request);
  void UpdateScrollBars();
  void InvalidateCell(GridCell cell);

  FrequencyTable& table_;
  FrequencyGridListener& listener_;
  GridToolTipText toolTip_;
  HWND hwnd_ = nullptr;
  HWND toolTipWindow_ = nullptr;
  GdiObject font_;
  GdiObject boldFont_;
  int rowHeight_ = 18;
  int textHeight_ = 13;

  DrawnTable drawn_;
  std::uint64_t drawnRevision_ = 0;
  bool drawnOnce_ = false;
  int topRow_ = 1;
  int left_ = 0;  // pixels of the columns scrolled out at the left
  bool inScrollUpdate_ = false;

  GridCell pressed_;   // where the left button went down
  GridCell selected_;  // the cell with the focus mark
  std::string tipText_;
  PointerTracker pointer_;
};

}  // namespace velmora
