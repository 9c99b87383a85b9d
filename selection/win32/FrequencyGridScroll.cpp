// The frequency grid scrolled: the heading row stays, the rows below it
// move by the bars, the wheel and the selection; the bars follow the room.
#include <algorithm>

#include "selection/win32/FrequencyGrid.h"

namespace velmora {
namespace {

constexpr int kLineWidth = 16;  // one step of the horizontal scroll bar

}  // namespace

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

}  // namespace velmora
