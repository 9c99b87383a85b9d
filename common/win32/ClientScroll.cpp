#include "common/win32/ClientScroll.h"
#include "common/win32/ScreenWorkArea.h"

#include <commctrl.h>

#include <algorithm>

namespace velmora {
namespace {

int ClientScrollPage(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  return client.bottom;
}

int ClientScrollLine(HWND window) {
  TEXTMETRICA metrics{};
  HDC dc = GetDC(window);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(window, WM_GETFONT, 0, 0)));
  GetTextMetricsA(dc, &metrics);
  SelectObject(dc, old);
  ReleaseDC(window, dc);
  return std::max<int>(metrics.tmHeight, 8) * 2;
}

}  // namespace

void ClientScroll::Fit(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  const RECT work = ScreenWorkArea(r);
  if (r.bottom - r.top > work.bottom - work.top && laidOut_ == 0) {
    laidOut_ = ClientScrollPage(window);
    SetWindowLongA(window, GWL_STYLE, GetWindowLongA(window, GWL_STYLE) | WS_VSCROLL);
    r.right += GetSystemMetrics(SM_CXVSCROLL);  // the bar beside the controls, not over them
  }
  const RECT fitted = FittedToWorkArea(r);
  SetWindowPos(window, nullptr, fitted.left, fitted.top, fitted.right - fitted.left, fitted.bottom - fitted.top,
               SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  if (laidOut_ == 0) return;
  for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    SetWindowSubclass(child, &ClientScroll::FocusProc, 0, reinterpret_cast<DWORD_PTR>(this));
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  info.nMax = laidOut_ - 1;
  info.nPage = static_cast<UINT>(ClientScrollPage(window));
  info.nPos = position_;
  SetScrollInfo(window, SB_VERT, &info, TRUE);
}

bool ClientScroll::OnMessage(HWND window, UINT message, WPARAM wParam) {
  if (laidOut_ == 0) return false;
  const int page = ClientScrollPage(window), line = ClientScrollLine(window);
  if (message == WM_MOUSEWHEEL) {
    ScrollTo(window, position_ - GET_WHEEL_DELTA_WPARAM(wParam) * line / WHEEL_DELTA);
    return true;
  }
  if (message != WM_VSCROLL) return false;
  switch (LOWORD(wParam)) {
    case SB_LINEUP: ScrollTo(window, position_ - line); break;
    case SB_LINEDOWN: ScrollTo(window, position_ + line); break;
    case SB_PAGEUP: ScrollTo(window, position_ - page); break;
    case SB_PAGEDOWN: ScrollTo(window, position_ + page); break;
    case SB_TOP: ScrollTo(window, 0); break;
    case SB_BOTTOM: ScrollTo(window, laidOut_); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
      SCROLLINFO info{};
      info.cbSize = sizeof info;
      info.fMask = SIF_TRACKPOS;
      GetScrollInfo(window, SB_VERT, &info);
      ScrollTo(window, info.nTrackPos);
      break;
    }
    default: break;
  }
  return true;
}

LRESULT CALLBACK ClientScroll::FocusProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                         DWORD_PTR self) {
  if (message == WM_SETFOCUS) reinterpret_cast<ClientScroll*>(self)->Show(GetParent(control), control);
  if (message == WM_NCDESTROY) RemoveWindowSubclass(control, &ClientScroll::FocusProc, 0);
  return DefSubclassProc(control, message, wParam, lParam);
}

void ClientScroll::Show(HWND window, HWND control) {
  RECT r{};
  GetWindowRect(control, &r);
  MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
  const int page = ClientScrollPage(window);
  if (r.top < 0) ScrollTo(window, position_ + r.top);
  else if (r.bottom > page) ScrollTo(window, position_ + r.bottom - page);
}

// Moves the window's own controls, not the parts inside them.
void ClientScroll::ScrollTo(HWND window, int position) {
  position = std::clamp(position, 0, std::max(laidOut_ - ClientScrollPage(window), 0));
  const int by = position_ - position;
  if (by == 0) return;
  position_ = position;
  for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
    SetWindowPos(child, nullptr, r.left, r.top + by, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  SetScrollPos(window, SB_VERT, position_, TRUE);
  InvalidateRect(window, nullptr, TRUE);
}

}  // namespace velmora
