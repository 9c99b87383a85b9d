#include "selection/win32/FrequencyGrid.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "common/win32/MessagePoint.h"

namespace velmora {
namespace {

constexpr const char* kGridClass = "VelmoraFrequencyGrid";
constexpr int kWheelRows = 3;

void RegisterGridClass(WNDPROC proc) {
  WNDCLASSA wc{};
  if (GetClassInfoA(GetModuleHandleA(nullptr), kGridClass, &wc)) return;
  wc.lpfnWndProc = proc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = nullptr;  // every pixel is painted from the buffer
  wc.lpszClassName = kGridClass;
  RegisterClassA(&wc);
}

bool Inside(GridCell cell, const DrawnTable& drawn) {
  return cell.row >= 0 && cell.row < drawn.Rows() && cell.column >= 0 && cell.column < drawn.Columns();
}

}  // namespace

FrequencyGrid::FrequencyGrid(FrequencyTable& table, FrequencyGridListener& listener, GridToolTipText toolTip)
    : table_(table), listener_(listener), toolTip_(std::move(toolTip)) {
  LOGFONTA face{};
  GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof face, &face);
  font_.reset(CreateFontIndirectA(&face));
  face.lfWeight = FW_BOLD;
  boldFont_.reset(CreateFontIndirectA(&face));

  HDC screen = GetDC(nullptr);
  HGDIOBJ old = SelectObject(screen, font_.get());
  TEXTMETRICA metrics{};
  GetTextMetricsA(screen, &metrics);
  SelectObject(screen, old);
  ReleaseDC(nullptr, screen);
  textHeight_ = metrics.tmHeight;
  rowHeight_ = std::max(textHeight_, kCheckBoxSize) + 5;
}

FrequencyGrid::~FrequencyGrid() {
  if (hwnd_ && IsWindow(hwnd_)) DestroyWindow(hwnd_);  // the tool-tip goes with its owner
}

bool FrequencyGrid::Create(HWND parent, int id) {
  RegisterGridClass(&FrequencyGrid::WndProc);
  hwnd_ = CreateWindowExA(WS_EX_CLIENTEDGE, kGridClass, nullptr,
                          WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | WS_HSCROLL, 0, 0, 1, 1, parent,
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), this);
  if (!hwnd_) return false;
  CreateToolTip();
  Refresh();
  return true;
}

void FrequencyGrid::CreateToolTip() {
  toolTipWindow_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd_, nullptr,
                                   GetModuleHandleA(nullptr), nullptr);
  if (!toolTipWindow_) return;
  // The whole grid is one tool whose text follows the cell under the pointer.
  // The older structure size, as the program runs with the common controls
  // of version 5 too.
  TOOLINFOA tool{};
  tool.cbSize = TTTOOLINFOA_V2_SIZE;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = hwnd_;
  tool.uId = reinterpret_cast<UINT_PTR>(hwnd_);
  tool.lpszText = const_cast<char*>("");
  SendMessageA(toolTipWindow_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
  SendMessageA(toolTipWindow_, TTM_SETMAXTIPWIDTH, 0, 400);
}

void FrequencyGrid::Move(int x, int y, int width, int height) { MoveWindow(hwnd_, x, y, width, height, TRUE); }

TextWidth FrequencyGrid::Measure() const {
  HFONT font = static_cast<HFONT>(font_.get());
  return [font](std::string_view text) {
    HDC screen = GetDC(nullptr);
    HGDIOBJ old = SelectObject(screen, font);
    SIZE size{};
    GetTextExtentPoint32A(screen, text.data(), static_cast<int>(text.size()), &size);
    SelectObject(screen, old);
    ReleaseDC(nullptr, screen);
    return static_cast<int>(size.cx);
  };
}

int FrequencyGrid::WidthFit() const {
  HDC screen = GetDC(nullptr);
  int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  // The margin in twips is meant for the scroll bar and the borders; it is
  // never let be narrower than they are, or a horizontal bar would appear.
  int margin = std::max(MulDiv(kWidthFitMarginTwips, dpi, 1440),
                        GetSystemMetrics(SM_CXVSCROLL) + 2 * GetSystemMetrics(SM_CXEDGE));
  return GridWidthFit(table_, margin);
}

void FrequencyGrid::Refresh() {
  if (!hwnd_ || !table_.Redraw()) return;
  if (!drawnOnce_ || table_.Revision() != drawnRevision_) {
    DrawnChanges changes = drawn_.Take(table_);
    drawnRevision_ = table_.Revision();
    drawnOnce_ = true;
    if (changes.all) {
      if (!Inside(selected_, drawn_)) selected_ = {};
      UpdateScrollBars();
      InvalidateRect(hwnd_, nullptr, FALSE);
    } else {
      for (GridCell cell : changes.cells) InvalidateCell(cell);
    }
  }
  if (auto row = table_.ScrollRequestTake()) ScrollIntoView(*row);
}

RECT FrequencyGrid::CellRect(int row, int column) const {
  RECT cell{};
  if (row < 0 || row >= drawn_.Rows() || column < 0 || column >= drawn_.Columns()) return cell;
  int width = drawn_.Widths()[static_cast<size_t>(column)];
  if (width <= 0 || (row > 0 && row < topRow_)) return cell;
  cell.left = drawn_.Left(column) - left_;
  cell.right = cell.left + width;
  cell.top = row == 0 ? 0 : (row - topRow_ + 1) * rowHeight_;
  cell.bottom = cell.top + rowHeight_;
  return cell;
}

GridCell FrequencyGrid::CellAt(int x, int y) const {
  // A pixel is the square right of and below its coordinates, while the hit
  // test counts a cell's right and bottom edges with the cell: asking one
  // further on gives every pixel the cell it is painted in.
  return GridHitTest(drawn_.Widths(), rowHeight_, drawn_.Rows(), topRow_, x + left_ + 1, y + 1);
}

std::string FrequencyGrid::ToolTipText() const {
  if (!toolTipWindow_) return {};
  char text[512] = {};
  TOOLINFOA tool{};
  tool.cbSize = TTTOOLINFOA_V2_SIZE;
  tool.hwnd = hwnd_;
  tool.uId = reinterpret_cast<UINT_PTR>(hwnd_);
  tool.lpszText = text;
  SendMessageA(toolTipWindow_, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&tool));
  return text;
}

// --- Messages

LRESULT CALLBACK FrequencyGrid::WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<FrequencyGrid*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<FrequencyGrid*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (!self) return DefWindowProcA(hwnd, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
    self->toolTipWindow_ = nullptr;
    return DefWindowProcA(hwnd, message, wParam, lParam);
  }
  return self->OnMessage(message, wParam, lParam);
}

LRESULT FrequencyGrid::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: OnPaint(); return 0;
    case WM_PRINTCLIENT: OnPrintClient(reinterpret_cast<HDC>(wParam)); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_SIZE: OnSize(); return 0;
    case WM_VSCROLL:
    case WM_HSCROLL:
      OnScroll(message == WM_VSCROLL ? SB_VERT : SB_HORZ, LOWORD(wParam));
      return 0;
    case WM_MOUSEWHEEL: OnMouseWheel(GET_WHEEL_DELTA_WPARAM(wParam)); return 0;
    // The arrows move the mark, not the focus; a letter typed is no access key.
    case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_KEYDOWN: OnKeyDown(wParam, lParam); return 0;
    case WM_CONTEXTMENU:
      // Shift+F10 or the menu key give both coordinates as -1; a click's
      // pop-up comes with its button's release.
      if (MessagePoint(lParam).x != -1 || MessagePoint(lParam).y != -1)
        return DefWindowProcA(hwnd_, message, wParam, lParam);
      OnContextKey();
      return 0;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_CAPTURECHANGED: OnMouse(message, MessagePoint(lParam).x, MessagePoint(lParam).y); return 0;
    default: return DefWindowProcA(hwnd_, message, wParam, lParam);
  }
}

void FrequencyGrid::OnPaint() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd_, &ps);
  Paint(dc, ps.rcPaint);
  EndPaint(hwnd_, &ps);
}

void FrequencyGrid::OnPrintClient(HDC dc) {
  RECT client;
  GetClientRect(hwnd_, &client);
  Paint(dc, client);
}

void FrequencyGrid::OnSize() {
  UpdateScrollBars();
  InvalidateRect(hwnd_, nullptr, FALSE);
}

void FrequencyGrid::OnMouseWheel(int delta) {
  int rows = -delta * kWheelRows / WHEEL_DELTA;
  ScrollTo(topRow_ + rows, left_);
}

// The arrows move the focus mark from cell to cell, the page keys, Home
// and End from row to row as in a list; Space ticks or unticks its box as a
// click does (a held Space only once), and shows its row.
void FrequencyGrid::OnKeyDown(WPARAM key, LPARAM flags) {
  const int page = std::max(VisibleDataRows() - 1, 1);
  switch (key) {
    case VK_UP: return FocusMove(-1, 0);
    case VK_DOWN: return FocusMove(1, 0);
    case VK_LEFT: return FocusMove(0, -1);
    case VK_RIGHT: return FocusMove(0, 1);
    case VK_PRIOR: return FocusMove(-page, 0);
    case VK_NEXT: return FocusMove(page, 0);
    case VK_HOME: return FocusMove(-drawn_.Rows(), 0);
    case VK_END: return FocusMove(drawn_.Rows(), 0);
    case VK_SPACE:
      if ((flags & (1 << 30)) == 0 && MarkShown()) {
        GridCell cell = selected_;
        ScrollIntoView(cell.row);
        Toggle(cell);
        listener_.GridClick(cell.row, cell.column);
      }
      return;
    default: return;
  }
}

// A data cell of a column shown: a mode that hides the column leaves the
// mark where no key may act on it.
bool FrequencyGrid::MarkShown() const {
  return selected_.row >= 1 && Inside(selected_, drawn_) && drawn_.Widths()[static_cast<size_t>(selected_.column)] > 0;
}

// Without a mark yet (or out of sight), an arrow puts it on the top row
// shown, in the first column of check boxes; the page keys go on from there.
void FrequencyGrid::FocusMove(int rows, int columns) {
  if (drawn_.Rows() < 2) return;
  const auto& widths = drawn_.Widths();
  GridCell cell = selected_;
  if (!MarkShown()) {
    cell = {std::clamp(topRow_, 1, drawn_.Rows() - 1), -1};
    for (int c = 0; c < drawn_.Columns() && cell.column < 0; ++c)
      if (widths[static_cast<size_t>(c)] > 0 && table_.Column(c).checkBoxes) cell.column = c;
    for (int c = 0; c < drawn_.Columns() && cell.column < 0; ++c)
      if (widths[static_cast<size_t>(c)] > 0) cell.column = c;
    if (cell.column < 0) return;
    if (std::abs(rows) <= 1) rows = 0, columns = 0;
  }
  cell.row = std::clamp(cell.row + rows, 1, drawn_.Rows() - 1);
  for (int c = cell.column + columns; columns != 0 && c >= 0 && c < drawn_.Columns(); c += columns)
    if (widths[static_cast<size_t>(c)] > 0) {
      cell.column = c;
      break;
    }
  Select(cell);
  ScrollIntoView(cell.row);
}

// A click is a press and a release on the same cell, the mouse captured between.
void FrequencyGrid::OnMouse(UINT message, int x, int y) {
  switch (message) {
    case WM_MOUSEMOVE: OnMouseMove(x, y); return;
    case WM_LBUTTONDOWN:
      SetFocus(hwnd_);
      pressed_ = CellAt(x, y);
      SetCapture(hwnd_);
      return;
    case WM_LBUTTONUP: OnLeftButtonUp(x, y); return;
    case WM_RBUTTONDOWN: SetFocus(hwnd_); return;
    case WM_RBUTTONUP: OnRightButtonUp(x, y); return;
    case WM_CAPTURECHANGED: pressed_ = {}; return;
    default: return;
  }
}

void FrequencyGrid::OnMouseMove(int x, int y) {
  if (!pointer_.Moved(x, y)) return;
  GridCell cell = CellAt(x, y);
  listener_.GridMouseMove(cell.row, cell.column);
  // Asked at every new point, as a cell's colour and so its reason may
  // change while the pointer rests on it.
  std::string text = cell.row >= 0 && cell.column >= 0 && toolTip_ ? toolTip_(cell.row, cell.column) : std::string();
  if (text == tipText_ || !toolTipWindow_) return;
  tipText_ = std::move(text);
  TOOLINFOA tool{};
  tool.cbSize = TTTOOLINFOA_V2_SIZE;
  tool.hwnd = hwnd_;
  tool.uId = reinterpret_cast<UINT_PTR>(hwnd_);
  tool.lpszText = tipText_.data();
  SendMessageA(toolTipWindow_, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
  if (tipText_.empty()) SendMessageA(toolTipWindow_, TTM_POP, 0, 0);
}

void FrequencyGrid::OnLeftButtonUp(int x, int y) {
  GridCell pressed = pressed_;
  if (GetCapture() == hwnd_) ReleaseCapture();  // clears pressed_
  GridCell cell = CellAt(x, y);
  if (cell != pressed || cell.column < 0) return;
  if (cell.row == 0) {
    listener_.GridHeaderClick(cell.column);
    return;
  }
  if (cell.row < 1) return;
  Select(cell);
  Toggle(cell);
  listener_.GridClick(cell.row, cell.column);
}

void FrequencyGrid::OnRightButtonUp(int x, int y) {
  GridCell cell = CellAt(x, y);
  // Beside the columns lies no cell, and so no row a pop-up could act on.
  if (cell.column < 0) cell.row = -1;
  if (cell.row >= 1) Select(cell);
  POINT screen{x, y};
  ClientToScreen(hwnd_, &screen);
  listener_.GridRightButtonUp(cell.row, cell.column, screen.x, screen.y);
}

// The pop-up from the keyboard, under the marked cell (the top row shown
// when nothing is marked yet), as a list opens its menu at its focus.
void FrequencyGrid::OnContextKey() {
  if (!MarkShown()) FocusMove(0, 0);
  if (!MarkShown()) return;
  ScrollIntoView(selected_.row);
  RECT cell = CellRect(selected_.row, selected_.column);
  POINT screen{std::max<LONG>(cell.left, 0), cell.bottom};
  ClientToScreen(hwnd_, &screen);
  listener_.GridRightButtonUp(selected_.row, selected_.column, screen.x, screen.y);
}

void FrequencyGrid::Toggle(GridCell cell) {
  if (!table_.Column(cell.column).checkBoxes) return;
  table_.CheckSet(cell.row, cell.column, !table_.CheckGet(cell.row, cell.column));
  Refresh();
}

void FrequencyGrid::Select(GridCell cell) {
  if (cell == selected_) return;
  InvalidateCell(selected_);
  selected_ = cell;
  InvalidateCell(selected_);
}

void FrequencyGrid::InvalidateCell(GridCell cell) {
  RECT rect = CellRect(cell.row, cell.column);
  if (hwnd_ && !IsRectEmpty(&rect)) InvalidateRect(hwnd_, &rect, FALSE);
}

}  // namespace velmora
