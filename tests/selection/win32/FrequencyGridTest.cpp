// The frequency grid on a real window: check boxes that toggle under a
// click, and scrolling (the blink and the hit test: the table's own tests;
// a cell's tool-tip: ReportWindowsTest; the pop-up a right click opens:
// AutoConnectWindowTest).
#include <gtest/gtest.h>

#include <memory>

#include "selection/TableColumns.h"
#include "selection/win32/FrequencyGrid.h"
#include "tests/common/win32/TestWin32.h"

namespace velmora {
namespace {

struct Recorder final : FrequencyGridListener {
  int clicks = 0;
  void GridClick(int, int) override { ++clicks; }
  void GridMouseMove(int, int) override {}
  void GridRightButtonUp(int, int, int, int) override {}
};

LRESULT CALLBACK ParentProc(HWND h, UINT m, WPARAM w, LPARAM l) { return DefWindowProcA(h, m, w, l); }

class FrequencyGridTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WNDCLASSA wc{};
    wc.lpfnWndProc = ParentProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "GridTestParent";
    RegisterClassA(&wc);
    parent = CreateWindowExA(0, "GridTestParent", "Grid test", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0, 900, 500,
                             nullptr, nullptr, wc.hInstance, nullptr);
    grid = std::make_unique<FrequencyGrid>(table, recorder, [](int, int) { return std::string(); });
    ASSERT_TRUE(grid->Create(parent, 100));
    ShowWindow(parent, SW_SHOWNORMAL);
  }
  void TearDown() override {
    grid.reset();
    DestroyWindow(parent);
  }

  // A station's rows as the table fill writes them, every other box ticked.
  void Fill(int mode, int rows) {
    ColumnsBuild(table, mode, AutoConnectSettings{}, grid->Measure());
    for (int i = 1; i <= rows; ++i) {
      int row = table.RowAdd();
      std::string frequency = std::to_string(7000 + 1000 * i) + ".0(p3)";
      table.CellSet(row, kColumnStation, "STN" + std::to_string(i));
      table.CheckCellSet(row, kColumnRxCheck, frequency, i % 2 == 1);
      table.CheckCellSet(row, kColumnTxConnect, frequency, i % 2 == 0);
      table.CellSet(row, kColumnSnr, std::to_string(40 + i) + ".0", CellAlign::Right);
    }
    grid->Move(0, 0, grid->WidthFit(), 300);
    grid->Refresh();
    UpdateWindow(grid->Handle());
  }
  POINT Centre(int row, int column) const {
    RECT r = grid->CellRect(row, column);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  }
  void Send(UINT message, POINT p) { SendMessageA(grid->Handle(), message, 0, MAKELPARAM(p.x, p.y)); }
  void Click(int row, int column) {
    Send(WM_LBUTTONDOWN, Centre(row, column));
    Send(WM_LBUTTONUP, Centre(row, column));
  }

  HWND parent = nullptr;
  FrequencyTable table;
  Recorder recorder;
  std::unique_ptr<FrequencyGrid> grid;
};

TEST_F(FrequencyGridTest, AClickTogglesACheckBoxCellAndNothingElse) {
  Fill(kModeMultipleFrequencies, 4);
  struct Case { int row, column; bool toggles, reported; };
  const Case cases[] = {
      {1, kColumnRxCheck, true, true},   {2, kColumnTxConnect, true, true}, {3, kColumnStation, false, true},
      {2, kColumnSnr, false, true},      {0, kColumnRxCheck, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "row " << c.row << " column " << c.column);
    FrequencyTable before = table;
    RECT cell = grid->CellRect(c.row, c.column);
    RECT box{cell.left + 4, Centre(c.row, c.column).y - 5, cell.left + 14, Centre(c.row, c.column).y + 5};
    UpdateWindow(grid->Handle());
    recorder.clicks = 0;
    Click(c.row, c.column);
    for (int row = 1; row < table.Rows(); ++row)
      for (int column : {kColumnRxCheck, kColumnTxConnect}) {
        bool flipped = c.toggles && row == c.row && column == c.column;
        EXPECT_EQ(table.CheckGet(row, column), before.CheckGet(row, column) != flipped) << row << "," << column;
      }
    EXPECT_EQ(recorder.clicks, c.reported ? 1 : 0);
    if (c.toggles) {
      RECT dirty{}, both{};
      GetUpdateRect(grid->Handle(), &dirty, FALSE);
      EXPECT_TRUE(IntersectRect(&both, &dirty, &box)) << "the box is drawn anew";
      EXPECT_EQ(grid->SelectedRow(), c.row);
    }
  }
}

TEST_F(FrequencyGridTest, TheAskedRowComesIntoViewAndTheViewStaysOtherwise) {
  Fill(kModeMultipleStations, 60);
  EXPECT_EQ(grid->TopRow(), 1);
  table.FrequencyCellColor(50, kColumnTxConnect, ReasonColors{}[kReasonConnecting]);
  grid->Refresh();
  RECT client, cell = grid->CellRect(50, kColumnTxConnect);
  GetClientRect(grid->Handle(), &client);
  EXPECT_GT(grid->TopRow(), 1);
  EXPECT_TRUE(cell.top >= grid->RowHeight() && cell.bottom <= client.bottom) << cell.top << ".." << cell.bottom;
  int top = grid->TopRow();
  table.CellSet(2, kColumnSnr, "12.0");
  grid->Refresh();
  EXPECT_EQ(grid->TopRow(), top);
  table.RowsCut(5);
  grid->Refresh();
  EXPECT_EQ(grid->TopRow(), 1) << "fewer rows than the view holds";
}

}  // namespace
}  // namespace velmora
