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
  GridCell right{0, 0};
  void GridClick(int, int) override { ++clicks; }
  void GridMouseMove(int, int) override {}
  void GridRightButtonUp(int row, int column, int, int) override { right = {row, column}; }
};

class FrequencyGridTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // A plain parent: the grid tells its listener, never the parent.
    parent = CreateWindowExA(0, "STATIC", "Grid test", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0, 900, 500, nullptr,
                             nullptr, GetModuleHandleA(nullptr), nullptr);
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
    }
    grid->Move(0, 0, grid->WidthFit(), 300);
    grid->Refresh();
    UpdateWindow(grid->Handle());
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
      {1, kColumnRxCheck, true, true}, {2, kColumnTxConnect, true, true}, {3, kColumnStation, false, true},
      {0, kColumnRxCheck, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "row " << c.row << " column " << c.column);
    FrequencyTable before = table;
    recorder.clicks = 0;
    RECT r = grid->CellRect(c.row, c.column);
    LPARAM centre = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    for (UINT message : {WM_LBUTTONDOWN, WM_LBUTTONUP}) SendMessageA(grid->Handle(), message, 0, centre);
    for (int row = 1; row < table.Rows(); ++row)
      for (int column : {kColumnRxCheck, kColumnTxConnect}) {
        bool flipped = c.toggles && row == c.row && column == c.column;
        EXPECT_EQ(table.CheckGet(row, column), before.CheckGet(row, column) != flipped) << row << "," << column;
      }
    EXPECT_EQ(recorder.clicks, c.reported ? 1 : 0);
    if (c.toggles) { EXPECT_EQ(grid->SelectedRow(), c.row); }
  }
  // Beside the columns is no row: the pop-up opened there acted on the row selected before.
  grid->Move(0, 0, grid->WidthFit() + 200, 300);
  LPARAM beside = MAKELPARAM(GridWidthFit(table, 50), grid->CellRect(3, kColumnStation).top + 3);
  for (UINT message : {WM_RBUTTONDOWN, WM_RBUTTONUP}) SendMessageA(grid->Handle(), message, 0, beside);
  EXPECT_EQ(recorder.right, (GridCell{-1, -1}));
}

// From the keyboard, through a dialog's key handling as in the AutoConnect
// window: the arrows move the focus mark, Space ticks as a click does and
// a held Space does not tick again.
TEST_F(FrequencyGridTest, TheArrowsMoveTheFocusAndSpaceTicksItsBox) {
  Fill(kModeMultipleFrequencies, 4);
  SetFocus(grid->Handle());
  auto key = [&](WPARAM k, LPARAM repeat = 0) {
    MSG msg{};
    msg.hwnd = grid->Handle(), msg.message = WM_KEYDOWN, msg.wParam = k, msg.lParam = repeat;
    if (!IsDialogMessageA(parent, &msg)) DispatchMessageA(&msg);
  };
  const bool rx2 = table.CheckGet(2, kColumnRxCheck), tx2 = table.CheckGet(2, kColumnTxConnect);
  for (WPARAM k : {VK_DOWN, VK_DOWN, VK_SPACE}) key(k);
  EXPECT_EQ(GetFocus(), grid->Handle());
  EXPECT_EQ(grid->SelectedRow(), 2);
  EXPECT_NE(table.CheckGet(2, kColumnRxCheck), rx2);
  EXPECT_EQ(recorder.clicks, 1);
  for (WPARAM k : {VK_UP, VK_DOWN, VK_RIGHT}) key(k);
  key(VK_SPACE);
  key(VK_SPACE, 1 << 30);
  EXPECT_NE(table.CheckGet(2, kColumnTxConnect), tx2);
  EXPECT_EQ(recorder.clicks, 2);
  for (int i = 0; i < 6; ++i) key(VK_DOWN);
  EXPECT_EQ(grid->SelectedRow(), 4) << "the mark stays on the last row";
  // A letter typed into the table is no access key of the window's fields.
  HWND field = CreateWindowExA(0, "BUTTON", "&Tick", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, 0, 320, 80, 20, parent,
                               nullptr, nullptr, nullptr);
  MSG letter{};
  letter.hwnd = grid->Handle(), letter.message = WM_CHAR, letter.wParam = 't';
  if (!IsDialogMessageA(parent, &letter)) DispatchMessageA(&letter);
  EXPECT_EQ(SendMessageA(field, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  // Rebuilt for a mode that hides the boxes: Space ticks none out of sight.
  Fill(kModeReferenceStations, 4);
  const FrequencyTable hidden = table;
  key(VK_SPACE);
  EXPECT_EQ(table.Revision(), hidden.Revision());
  EXPECT_EQ(recorder.clicks, 2);
}

// The page keys move the mark as a list's do, so Space never ticks a row
// scrolled out of sight; one scrolled away with the wheel comes back into view.
TEST_F(FrequencyGridTest, ThePageKeysMoveTheMarkAndSpaceShowsTheRowItTicks) {
  Fill(kModeMultipleStations, 60);
  SetFocus(grid->Handle());
  auto key = [&](WPARAM k) { SendMessageA(grid->Handle(), WM_KEYDOWN, k, 0); };
  key(VK_DOWN);
  key(VK_NEXT);
  EXPECT_GT(grid->SelectedRow(), 1);
  EXPECT_GE(grid->SelectedRow(), grid->TopRow());
  key(VK_END);
  EXPECT_EQ(grid->SelectedRow(), 60);
  key(VK_HOME);
  EXPECT_EQ(grid->SelectedRow(), 1);
  SendMessageA(grid->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA * 10), 0);
  ASSERT_GT(grid->TopRow(), 1);
  key(VK_SPACE);
  EXPECT_EQ(grid->TopRow(), 1) << "the row ticked is shown";
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
