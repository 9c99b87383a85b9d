#include "selection/win32/FrequencyGrid.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <utility>

namespace velmora {
namespace {

constexpr const char* kClassName = "VelmoraFrequencyGrid";
constexpr int kTextInset = 2;   // pixels between a cell's edge and its text
constexpr int kCheckBoxSize = 13;
constexpr int kWheelRows = 3;
constexpr int kLineWidth = 16;  // one step of the horizontal scroll bar
constexpr COLORREF kGridLine = RGB(192, 192, 192);

void RegisterGridClass(WNDPROC proc) {
  WNDCLASSA wc{};
  if (GetClassInfoA(GetModuleHandleA(nullptr), kClassName, &wc)) return;
  wc.lpfnWndProc = proc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = nullptr;  // every pixel is painted from the buffer
  wc.lpszClassName = kClassName;
  RegisterClassA(&wc);
}

UINT AlignFlags(CellAlign align) {
  switch (align) {
    case CellAlign::Right:
      return DT_RIGHT;
    case CellAlign::Center:
      return DT_CENTER;
    default:
      return DT_LEFT;
  }
}

// The text without its leading and trailing blanks and with one blank for
// each run inside: the blanks that pad a number for a wider font.
std::string Squeezed(std::string_view text) {
  std::string out;
  for (char c : text) {
    if (c == ' ' && (out.empty() || out.back() == ' ')) continue;
    out += c;
  }
  if (!out.empty() && out.back() == ' ') out.pop_back();
  return out;
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
  hwnd_ = CreateWindowExA(WS_EX_CLIENTEDGE, kClassName, nullptr,
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
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd_, &ps);
      Paint(dc, ps.rcPaint);
      EndPaint(hwnd_, &ps);
      return 0;
    }
    case WM_PRINTCLIENT: {
      RECT client;
      GetClientRect(hwnd_, &client);
      Paint(reinterpret_cast<HDC>(wParam), client);
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;
    case WM_SIZE:
      UpdateScrollBars();
      InvalidateRect(hwnd_, nullptr, FALSE);
      return 0;
    case WM_VSCROLL:
    case WM_HSCROLL:
      OnScroll(message == WM_VSCROLL ? SB_VERT : SB_HORZ, LOWORD(wParam));
      return 0;
    case WM_MOUSEWHEEL: {
      int rows = -GET_WHEEL_DELTA_WPARAM(wParam) * kWheelRows / WHEEL_DELTA;
      ScrollTo(topRow_ + rows, left_);
      return 0;
    }
    case WM_KEYDOWN: {
      static const std::pair<WPARAM, int> kKeys[] = {{VK_UP, SB_LINEUP},   {VK_DOWN, SB_LINEDOWN}, {VK_PRIOR, SB_PAGEUP},
                                                     {VK_NEXT, SB_PAGEDOWN}, {VK_HOME, SB_TOP},     {VK_END, SB_BOTTOM}};
      for (auto [key, request] : kKeys)
        if (wParam == key) OnScroll(SB_VERT, request);
      return 0;
    }
    case WM_MOUSEMOVE:
      OnMouseMove(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      return 0;
    case WM_LBUTTONDOWN:
      SetFocus(hwnd_);
      pressed_ = CellAt(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      SetCapture(hwnd_);
      return 0;
    case WM_LBUTTONUP:
      OnLeftButtonUp(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      return 0;
    case WM_RBUTTONDOWN:
      SetFocus(hwnd_);
      return 0;
    case WM_RBUTTONUP:
      OnRightButtonUp(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      return 0;
    case WM_CAPTURECHANGED:
      pressed_ = {};
      return 0;
    default:
      return DefWindowProcA(hwnd_, message, wParam, lParam);
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
  if (cell.row >= 1 && cell.column >= 0) Select(cell);
  POINT screen{x, y};
  ClientToScreen(hwnd_, &screen);
  listener_.GridRightButtonUp(cell.row, cell.column, screen.x, screen.y);
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

// --- Drawing

void FrequencyGrid::Paint(HDC dc, const RECT& area) const {
  RECT client;
  GetClientRect(hwnd_, &client);
  if (client.right <= 0 || client.bottom <= 0) return;
  // Drawn off the screen first and copied at once, so nothing flickers; the
  // buffer is as large as the part to paint (one cell when it blinks).
  int width = area.right - area.left, height = area.bottom - area.top;
  if (width <= 0 || height <= 0) return;
  MemoryDc buffer(CreateCompatibleDC(dc));
  GdiObject bitmap(CreateCompatibleBitmap(dc, width, height));
  HGDIOBJ oldBitmap = SelectObject(buffer.get(), bitmap.get());
  HDC mem = buffer.get();
  SetViewportOrgEx(mem, -area.left, -area.top, nullptr);
  FillRect(mem, &area, GetSysColorBrush(COLOR_APPWORKSPACE));

  GdiObject line(CreatePen(PS_SOLID, 1, kGridLine));
  HGDIOBJ oldPen = SelectObject(mem, line.get());
  HGDIOBJ oldFont = SelectObject(mem, font_.get());
  SetBkMode(mem, TRANSPARENT);
  for (int row = 0; row < drawn_.Rows(); row = row == 0 ? topRow_ : row + 1) {
    for (int column = 0; column < drawn_.Columns(); ++column) {
      RECT cell = CellRect(row, column);
      RECT visible;
      if (!IsRectEmpty(&cell) && IntersectRect(&visible, &cell, &area)) PaintCell(mem, row, column, cell);
    }
    if ((row == 0 ? 1 : row - topRow_ + 2) * rowHeight_ >= client.bottom) break;
  }
  BitBlt(dc, area.left, area.top, width, height, mem, area.left, area.top, SRCCOPY);
  SelectObject(mem, oldFont);
  SelectObject(mem, oldPen);
  SelectObject(mem, oldBitmap);
}

void FrequencyGrid::PaintCell(HDC dc, int row, int column, const RECT& cell) const {
  const DrawnCell& drawn = drawn_.At(row, column);
  HBRUSH back = CreateSolidBrush(drawn.look.back);
  FillRect(dc, &cell, back);
  DeleteObject(back);

  RECT text = cell;
  text.left += kTextInset;
  text.right -= kTextInset;
  if (drawn.checkBox) {
    RECT box{cell.left + kTextInset, cell.top + (rowHeight_ - kCheckBoxSize) / 2, 0, 0};
    box.right = box.left + kCheckBoxSize;
    box.bottom = box.top + kCheckBoxSize;
    DrawFrameControl(dc, &box, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_FLAT | (drawn.checked ? DFCS_CHECKED : 0));
    text.left = box.right + kTextInset + 1;
  }
  SelectObject(dc, drawn.bold ? boldFont_.get() : font_.get());
  SetTextColor(dc, drawn.look.fore);
  // A text too wide for its column gives up its padding blanks before it is cut.
  std::string shown = drawn.text;
  SIZE size{};
  GetTextExtentPoint32A(dc, shown.data(), static_cast<int>(shown.size()), &size);
  if (size.cx > text.right - text.left) shown = Squeezed(shown);
  DrawTextA(dc, shown.data(), static_cast<int>(shown.size()), &text,
            DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS | AlignFlags(drawn.align));

  if (row == 0) {
    RECT edge = cell;
    DrawEdge(dc, &edge, BDR_RAISEDINNER, BF_RECT);
  } else {
    MoveToEx(dc, cell.left, cell.bottom - 1, nullptr);
    LineTo(dc, cell.right - 1, cell.bottom - 1);
    LineTo(dc, cell.right - 1, cell.top - 1);
  }
  if (GridCell{row, column} == selected_) {
    RECT focus = cell;
    InflateRect(&focus, -1, -1);
    DrawFocusRect(dc, &focus);
  }
}

// --- Scrolling

int FrequencyGrid::VisibleDataRows() const {
  RECT client;
  GetClientRect(hwnd_, &client);
  return std::max(0, (static_cast<int>(client.bottom) - rowHeight_) / rowHeight_);
}

int FrequencyGrid::LastTopRow() const { return std::max(1, drawn_.Rows() - std::max(VisibleDataRows(), 1)); }

void FrequencyGrid::ScrollTo(int topRow, int left) {
  RECT client;
  GetClientRect(hwnd_, &client);
  topRow = std::clamp(topRow, 1, LastTopRow());
  left = std::clamp(left, 0, std::max(0, drawn_.TotalWidth() - static_cast<int>(client.right)));
  if (topRow == topRow_ && left == left_) return;
  topRow_ = topRow;
  left_ = left;
  SetScrollPos(hwnd_, SB_VERT, topRow_, TRUE);
  SetScrollPos(hwnd_, SB_HORZ, left_, TRUE);
  InvalidateRect(hwnd_, nullptr, FALSE);
}

void FrequencyGrid::ScrollIntoView(int row) {
  if (row < 1 || row >= drawn_.Rows()) return;
  int visible = std::max(VisibleDataRows(), 1);
  if (row < topRow_)
    ScrollTo(row, left_);
  else if (row >= topRow_ + visible)
    ScrollTo(row - visible + 1, left_);
}

void FrequencyGrid::OnScroll(int bar, int request) {
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_ALL;
  GetScrollInfo(hwnd_, bar, &info);
  int page = static_cast<int>(info.nPage);
  int line = bar == SB_VERT ? 1 : kLineWidth;
  int position = info.nPos;
  switch (request) {
    case SB_LINEUP: position -= line; break;
    case SB_LINEDOWN: position += line; break;
    case SB_PAGEUP: position -= std::max(page, 1); break;
    case SB_PAGEDOWN: position += std::max(page, 1); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: position = info.nTrackPos; break;
    case SB_TOP: position = info.nMin; break;
    case SB_BOTTOM: position = info.nMax; break;
    default: return;
  }
  if (bar == SB_VERT)
    ScrollTo(position, left_);
  else
    ScrollTo(topRow_, position);
}

void FrequencyGrid::UpdateScrollBars() {
  // Showing or hiding one bar changes the room of the other: settle it in a
  // few rounds, not through the size messages the bars cause. The rounds
  // start without bars, or two bars could keep each other on in a grid grown
  // big enough for everything.
  if (inScrollUpdate_ || !hwnd_) return;
  inScrollUpdate_ = true;
  SCROLLINFO none{sizeof none, SIF_RANGE | SIF_PAGE, 0, 0, 1, 0, 0};
  SetScrollInfo(hwnd_, SB_VERT, &none, FALSE);
  SetScrollInfo(hwnd_, SB_HORZ, &none, FALSE);
  for (int round = 0; round < 3; ++round) {
    RECT before;
    GetClientRect(hwnd_, &before);
    topRow_ = std::clamp(topRow_, 1, LastTopRow());
    left_ = std::clamp(left_, 0, std::max(0, drawn_.TotalWidth() - static_cast<int>(before.right)));
    SCROLLINFO vertical{sizeof vertical, SIF_RANGE | SIF_PAGE | SIF_POS, 1, std::max(drawn_.Rows() - 1, 1),
                        static_cast<UINT>(VisibleDataRows()), topRow_, 0};
    SetScrollInfo(hwnd_, SB_VERT, &vertical, TRUE);
    SCROLLINFO horizontal{sizeof horizontal, SIF_RANGE | SIF_PAGE | SIF_POS, 0, std::max(drawn_.TotalWidth() - 1, 0),
                          static_cast<UINT>(std::max<LONG>(before.right, 0)), left_, 0};
    SetScrollInfo(hwnd_, SB_HORZ, &horizontal, TRUE);
    RECT after;
    GetClientRect(hwnd_, &after);
    if (EqualRect(&before, &after)) break;
  }
  inScrollUpdate_ = false;
}

void FrequencyGrid::InvalidateCell(GridCell cell) {
  RECT rect = CellRect(cell.row, cell.column);
  if (hwnd_ && !IsRectEmpty(&rect)) InvalidateRect(hwnd_, &rect, FALSE);
}

}  // namespace velmora
