// The frequency grid on a real window: columns per mode, check boxes that
// toggle under a click, the blinking cell, scrolling and the tool-tip.
#include <gtest/gtest.h>

#include <memory>

#include "selection/TableColumns.h"
#include "selection/win32/FrequencyGrid.h"
#include "tests/common/win32/TestWin32.h"

namespace velmora {

void PrintTo(const GridCell& cell, std::ostream* out) { *out << "(" << cell.row << ", " << cell.column << ")"; }

namespace {

struct Recorder final : FrequencyGridListener {
  std::vector<GridCell> clicks, moves, rightUps;
  void GridClick(int row, int column) override { clicks.push_back({row, column}); }
  void GridMouseMove(int row, int column) override { moves.push_back({row, column}); }
  void GridRightButtonUp(int row, int column, int, int) override { rightUps.push_back({row, column}); }
};

LRESULT CALLBACK ParentProc(HWND h, UINT m, WPARAM w, LPARAM l) { return DefWindowProcA(h, m, w, l); }

// The pixels of a rectangle of the grid, row by row, painted as the screen
// gets them.
std::vector<COLORREF> Pixels(HWND grid, const RECT& r) {
  RECT client;
  GetClientRect(grid, &client);
  HDC screen = GetDC(grid);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, client.right, client.bottom);
  ReleaseDC(grid, screen);
  HGDIOBJ old = SelectObject(dc, bitmap);
  SendMessageA(grid, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
  std::vector<COLORREF> pixels;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) pixels.push_back(GetPixel(dc, x, y));
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
  return pixels;
}

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
    grid = std::make_unique<FrequencyGrid>(table, recorder, [this](int row, int column) {
      asked.push_back({row, column});
      return "Tip " + std::to_string(row) + " " + std::to_string(column);
    });
    ASSERT_TRUE(grid->Create(parent, 100));
    ShowWindow(parent, SW_SHOWNORMAL);
  }
  void TearDown() override {
    grid.reset();
    DestroyWindow(parent);
  }

  // A station's rows as the table fill writes them, every other box ticked.
  void Fill(int mode, int rows, AutoConnectSettings settings = {}) {
    ColumnsBuild(table, mode, settings, grid->Measure());
    for (int i = 1; i <= rows; ++i) {
      int row = table.RowAdd();
      std::string frequency = std::to_string(7000 + 1000 * i) + ".0(p3)";
      table.CellSet(row, kColumnStation, "STN" + std::to_string(i));
      table.CellSet(row, kColumnRange, "1234", CellAlign::Right);
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
  bool HasBar(LONG bar) const { return (GetWindowLongA(grid->Handle(), GWL_STYLE) & bar) != 0; }

  HWND parent = nullptr;
  FrequencyTable table;
  Recorder recorder;
  std::vector<GridCell> asked;
  std::unique_ptr<FrequencyGrid> grid;
};

// The columns of each mode: FrequencyTableTest; here the widest, mode 2's
// with the additional data.
TEST_F(FrequencyGridTest, TheColumnsLieSideBySideAtTheirWidthsAndHiddenOnesTakeNoRoom) {
  AutoConnectSettings settings;
  settings.propagationModelAdditionalData = true;
  Fill(kModeMultipleStations, 30, settings);
  int left = 0;
  for (int column = 0; column < table.Columns(); ++column) {
    RECT cell = grid->CellRect(1, column);
    EXPECT_EQ(cell.right - cell.left, table.Column(column).width) << column;
    if (table.Column(column).width == 0) continue;
    EXPECT_EQ(cell.left, left) << column;
    left = cell.right;
    // Every pixel of a cell, to its edges, hits that cell.
    EXPECT_EQ(grid->CellAt(cell.left, cell.top), (GridCell{1, column}));
    EXPECT_EQ(grid->CellAt(cell.right - 1, cell.bottom - 1), (GridCell{1, column}));
  }
  EXPECT_EQ(grid->CellRect(1, kColumnP3).right, 0) << "the Pactor 3 mark is never shown";
  // The frequency after the box fits its column in the grid's font.
  auto measure = grid->Measure();
  EXPECT_GE(table.Column(kColumnRxCheck).width, 13 + 10 + measure("10000.0(p3)"));
  // The fitted width shows every column: the rows scroll, the columns do not.
  EXPECT_TRUE(HasBar(WS_VSCROLL));
  EXPECT_FALSE(HasBar(WS_HSCROLL));
}

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
    auto pixelsBefore = Pixels(grid->Handle(), box);
    recorder.clicks.clear();
    Click(c.row, c.column);
    for (int row = 1; row < table.Rows(); ++row)
      for (int column : {kColumnRxCheck, kColumnTxConnect}) {
        bool flipped = c.toggles && row == c.row && column == c.column;
        EXPECT_EQ(table.CheckGet(row, column), before.CheckGet(row, column) != flipped) << row << "," << column;
      }
    EXPECT_EQ(recorder.clicks.size(), c.reported ? 1u : 0u);
    if (c.toggles) {
      UpdateWindow(grid->Handle());
      EXPECT_NE(Pixels(grid->Handle(), box), pixelsBefore) << "the box is drawn anew";
      EXPECT_EQ(grid->SelectedRow(), c.row);
    }
  }
}

TEST_F(FrequencyGridTest, TheBlinkingCellAlternatesAndIsTheOnlyOneDrawnAgain) {
  Fill(kModeMultipleFrequencies, 6);
  ReasonColors colors;
  table.CellColorSet(3, kColumnSnr, colors[kReasonConnecting]);
  table.FrequencyCellBlink(3, kColumnSnr);
  grid->Refresh();
  UpdateWindow(grid->Handle());
  RECT cell = grid->CellRect(3, kColumnSnr);
  for (int tick = 1; tick <= 4; ++tick) {
    table.BlinkTick();
    grid->Refresh();
    RECT update{};
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetUpdateRgn(grid->Handle(), region, FALSE), SIMPLEREGION) << tick;
    GetRgnBox(region, &update);
    DeleteObject(region);
    EXPECT_TRUE(EqualRect(&update, &cell)) << tick;
    UpdateWindow(grid->Handle());
    COLORREF expected = tick % 2 == 1 ? kColorBlack : colors[kReasonConnecting];
    EXPECT_EQ(Pixels(grid->Handle(), {cell.left + 1, cell.top + 1, cell.left + 2, cell.top + 2}), std::vector{expected})
        << tick;
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

  UpdateWindow(grid->Handle());
  {
    RedrawPause pause(table);
    table.CellSet(50, kColumnStation, "HELD");
    grid->Refresh();
    EXPECT_FALSE(GetUpdateRect(grid->Handle(), nullptr, FALSE)) << "nothing is drawn while the fill runs";
  }
  grid->Refresh();
  EXPECT_TRUE(GetUpdateRect(grid->Handle(), nullptr, FALSE));
  table.RowsCut(5);
  grid->Refresh();
  EXPECT_EQ(grid->TopRow(), 1) << "fewer rows than the view holds";
}

// The tool-tips of every column of a real window: ReportWindowsTest and
// PropagationWindowsTest.
TEST_F(FrequencyGridTest, TheToolTipIsTheOwnersTextForTheCellUnderThePointer) {
  Fill(kModeMultipleFrequencies, 5);
  Send(WM_MOUSEMOVE, Centre(2, kColumnSnr));
  ASSERT_FALSE(asked.empty());
  EXPECT_EQ(asked.back(), (GridCell{2, kColumnSnr}));
  EXPECT_EQ(recorder.moves.back(), (GridCell{2, kColumnSnr}));
  EXPECT_EQ(grid->ToolTipText(), "Tip 2 15");
  RECT client;
  GetClientRect(grid->Handle(), &client);
  Send(WM_MOUSEMOVE, {client.right - 2, client.bottom - 2});  // below the rows
  EXPECT_EQ(recorder.moves.back().row, -1);
  EXPECT_EQ(grid->ToolTipText(), "");
  Send(WM_RBUTTONUP, Centre(4, kColumnTxConnect));
  EXPECT_EQ(recorder.rightUps.back(), (GridCell{4, kColumnTxConnect}));
  EXPECT_EQ(grid->SelectedRow(), 4);
}

}  // namespace
}  // namespace velmora
