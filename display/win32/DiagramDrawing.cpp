#include "display/win32/DiagramDrawing.h"

#include <cmath>

namespace velmora::diagram {
namespace {

RECT Scaled(const LayoutScale& s, const RECT& r) { return {s.X(r.left), s.Y(r.top), s.X(r.right), s.Y(r.bottom)}; }
POINT Scaled(const LayoutScale& s, POINT p) { return {s.X(p.x), s.Y(p.y)}; }

constexpr COLORREF kDiagramPage = RGB(212, 208, 200);

}  // namespace

void Page(HDC dc, HWND window) {
  RECT client;
  GetClientRect(window, &client);
  HBRUSH page = CreateSolidBrush(kDiagramPage);
  FillRect(dc, &client, page);
  DeleteObject(page);
  SetTextColor(dc, RGB(0, 0, 0));
}

void Box(HDC dc, const LayoutScale& s, RECT r, const char* text, bool bold) {
  r = Scaled(s, r);
  HGDIOBJ brush = SelectObject(dc, GetStockObject(WHITE_BRUSH));
  Rectangle(dc, r.left, r.top, r.right, r.bottom);
  SelectObject(dc, brush);
  HGDIOBJ font = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  SetBkMode(dc, TRANSPARENT);
  if (bold) {
    RECT top = r;
    top.bottom = top.top + s.Y(20);
    DrawTextA(dc, text, -1, &top, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  } else {
    DrawTextA(dc, text, -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  }
  SelectObject(dc, font);
}

void Line(HDC dc, const LayoutScale& s, POINT from, POINT to) {
  from = Scaled(s, from);
  to = Scaled(s, to);
  MoveToEx(dc, from.x, from.y, nullptr);
  LineTo(dc, to.x, to.y);
}

void Arrow(HDC dc, const LayoutScale& s, POINT from, POINT to) {
  Line(dc, s, from, to);
  from = Scaled(s, from);
  to = Scaled(s, to);
  double angle = std::atan2(double(to.y - from.y), double(to.x - from.x));
  const double head = 9, spread = 0.45;
  POINT left{static_cast<LONG>(to.x - head * std::cos(angle - spread)),
             static_cast<LONG>(to.y - head * std::sin(angle - spread))};
  POINT right{static_cast<LONG>(to.x - head * std::cos(angle + spread)),
              static_cast<LONG>(to.y - head * std::sin(angle + spread))};
  POINT triangle[3] = {to, left, right};
  HGDIOBJ brush = SelectObject(dc, GetStockObject(BLACK_BRUSH));
  Polygon(dc, triangle, 3);
  SelectObject(dc, brush);
}

void Label(HDC dc, const LayoutScale& s, int x, int y, const char* text) {
  HGDIOBJ font = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  SetBkMode(dc, TRANSPARENT);
  TextOutA(dc, s.X(x), s.Y(y), text, lstrlenA(text));
  SelectObject(dc, font);
}

HWND Button(HWND parent, const LayoutScale& s, int id, RECT r, const char* text) {
  r = Scaled(s, r);
  HWND button = CreateWindowExA(0, "BUTTON", text, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON | BS_MULTILINE,
                                r.left, r.top, r.right - r.left, r.bottom - r.top, parent,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
  SendMessageA(button, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), TRUE);
  return button;
}

POINT Mid(const RECT& r, char side) {
  switch (side) {
    case 'l': return {r.left, (r.top + r.bottom) / 2};
    case 'r': return {r.right, (r.top + r.bottom) / 2};
    case 't': return {(r.left + r.right) / 2, r.top};
    default: return {(r.left + r.right) / 2, r.bottom};
  }
}

}  // namespace velmora::diagram
