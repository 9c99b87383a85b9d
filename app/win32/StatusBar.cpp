#include "app/win32/StatusBar.h"

#include <commctrl.h>

namespace velmora {

bool StatusBar::Create(HWND parent) {
  hwnd_ = CreateWindowExA(0, STATUSCLASSNAMEA, nullptr, WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0, 0, parent,
                          nullptr, GetModuleHandleA(nullptr), nullptr);
  if (!hwnd_) return false;
  LayoutPanels();
  return true;
}

int StatusBar::Height() const {
  RECT r{};
  GetWindowRect(hwnd_, &r);
  return r.bottom - r.top;
}

void StatusBar::Resize() {
  SendMessageA(hwnd_, WM_SIZE, 0, 0);
  LayoutPanels();
}

// The read-out panel is hidden by giving it no width; panel 3 is then
// text index 2 still, so every panel keeps its number.
void StatusBar::LayoutPanels() {
  RECT client{};
  GetClientRect(hwnd_, &client);
  int width = client.right;
  int first = 130;
  int readout = readoutVisible_ ? 330 : 0;
  int edges[3] = {first, first + readout, -1};
  if (edges[1] > width - 40) edges[1] = first;
  SendMessageA(hwnd_, SB_SETPARTS, 3, reinterpret_cast<LPARAM>(edges));
  for (int i = 0; i < 3; ++i) SendMessageA(hwnd_, SB_SETTEXTA, i, reinterpret_cast<LPARAM>(texts_[i].c_str()));
}

void StatusBar::SetText(int panel, std::string_view text) {
  if (panel < 1 || panel > 3) return;
  auto& stored = texts_[panel - 1];
  if (stored == text) return;
  stored = std::string(text);
  SendMessageA(hwnd_, SB_SETTEXTA, panel - 1, reinterpret_cast<LPARAM>(stored.c_str()));
}

std::string StatusBar::Text(int panel) const {
  if (panel < 1 || panel > 3) return {};
  char text[512] = {};
  LRESULT info = SendMessageA(hwnd_, SB_GETTEXTLENGTHA, panel - 1, 0);
  if (LOWORD(info) >= sizeof text) return texts_[panel - 1];
  SendMessageA(hwnd_, SB_GETTEXTA, panel - 1, reinterpret_cast<LPARAM>(text));
  return text;
}

void StatusBar::SetReadoutVisible(bool visible) {
  if (visible == readoutVisible_) return;
  readoutVisible_ = visible;
  LayoutPanels();
}

}  // namespace velmora
