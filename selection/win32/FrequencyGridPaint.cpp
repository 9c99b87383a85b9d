// The frequency grid drawn: every visible cell painted off the screen and
// copied at once, each with its colours, check box, text and edges.
#include <string>
#include <string_view>

#include "selection/win32/FrequencyGrid.h"

namespace velmora {
namespace {

constexpr int kTextInset = 2;  // pixels between a cell's edge and its text
constexpr COLORREF kGridLine = RGB(192, 192, 192);

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

}  // namespace

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

}  // namespace velmora
