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
  POINT rightAt{};
  void GridClick(int, int) override { ++clicks; }
  void GridMouseMove(int, int) override {}
  void GridRightButtonUp(int row, int column, int x, int y) override { right = {row, column}, rightAt = {x, y}; }
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
// window: the arrows move the focus mark from cell to cell, the page keys,
// Home and End from row to row as in a list; Space ticks as a click does (a
// held Space not again) and shows its row; a letter is no access key.
TEST_F(FrequencyGridTest, TheKeysMoveTheMarkAndSpaceTicksItsBox) {
  Fill(kModeMultipleFrequencies, 4);
  HWND field = CreateWindowExA(0, "BUTTON", "&Tick", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, 0, 320, 80, 20, parent,
                               nullptr, nullptr, nullptr);
  SetFocus(grid->Handle());
  auto keys = [&](std::initializer_list<WPARAM> pressed, UINT message = WM_KEYDOWN, LPARAM flags = 0) {
    for (WPARAM k : pressed) {
      MSG msg{grid->Handle(), message, k, flags, 0, {}};
      if (!IsDialogMessageA(parent, &msg)) DispatchMessageA(&msg);
    }
  };
  const FrequencyTable before = table;
  keys({VK_DOWN, VK_DOWN, VK_SPACE});
  EXPECT_EQ(GetFocus(), grid->Handle());
  EXPECT_EQ(grid->SelectedRow(), 2);
  EXPECT_NE(table.CheckGet(2, kColumnRxCheck), before.CheckGet(2, kColumnRxCheck));
  keys({VK_UP, VK_DOWN, VK_RIGHT, VK_SPACE});
  keys({VK_SPACE}, WM_KEYDOWN, 1 << 30);
  EXPECT_NE(table.CheckGet(2, kColumnTxConnect), before.CheckGet(2, kColumnTxConnect));
  EXPECT_EQ(recorder.clicks, 2) << "reported as clicks, a held Space once";
  keys({VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN});
  EXPECT_EQ(grid->SelectedRow(), 4) << "the mark stays on the last row";
  keys({'t'}, WM_CHAR);
  EXPECT_EQ(SendMessageA(field, BM_GETCHECK, 0, 0), BST_UNCHECKED) << "a letter typed into the table";
  // Shift+F10 or the menu key (both coordinates -1): the pop-up opens at the focus mark.
  SendMessageA(grid->Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(grid->Handle()), MAKELPARAM(-1, -1));
  EXPECT_EQ(recorder.right, (GridCell{4, kColumnTxConnect}));
  RECT marked = grid->CellRect(4, kColumnTxConnect);
  MapWindowPoints(grid->Handle(), nullptr, reinterpret_cast<POINT*>(&marked), 2);
  EXPECT_TRUE(recorder.rightAt.x >= marked.left && recorder.rightAt.x <= marked.right &&
              recorder.rightAt.y >= marked.top && recorder.rightAt.y <= marked.bottom);
  Fill(kModeReferenceStations, 4);
  const auto revision = table.Revision();
  keys({VK_SPACE});
  EXPECT_EQ(table.Revision(), revision) << "a box the mode hides";
  Fill(kModeMultipleStations, 60);
  keys({VK_HOME, VK_NEXT});
  EXPECT_GT(grid->SelectedRow(), 1);
  keys({VK_END});
  EXPECT_EQ(grid->SelectedRow(), 60);
  EXPECT_GT(grid->TopRow(), 1) << "its row is shown";
  keys({VK_HOME});
  EXPECT_EQ(grid->SelectedRow(), 1);
  SendMessageA(grid->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA * 10)), 0);
  ASSERT_GT(grid->TopRow(), 1);
  keys({VK_SPACE});
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
