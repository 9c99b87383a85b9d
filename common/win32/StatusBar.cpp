#include "common/win32/StatusBar.h"

#include <commctrl.h>

namespace velmora {

bool StatusBar::Create(HWND parent, int panels) {
  texts_.assign(static_cast<size_t>(panels > 0 ? panels : 1), std::string());
  widths_.assign(texts_.size() - 1, 100);
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

void StatusBar::SetWidths(std::vector<int> widths) {
  widths.resize(texts_.size() - 1, 0);
  if (widths == widths_) return;
  widths_ = std::move(widths);
  LayoutPanels();
}

// A panel that would leave the last one too little room is folded away,
// so the last panel stays readable in a narrow window.
void StatusBar::LayoutPanels() {
  if (!hwnd_) return;
  RECT client{};
  GetClientRect(hwnd_, &client);
  std::vector<int> edges;
  int edge = 0;
  for (int width : widths_) {
    if (edge + width <= client.right - 40) edge += width;
    edges.push_back(edge);
  }
  edges.push_back(-1);
  SendMessageA(hwnd_, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
  for (size_t i = 0; i < texts_.size(); ++i)
    SendMessageA(hwnd_, SB_SETTEXTA, i, reinterpret_cast<LPARAM>(texts_[i].c_str()));
}

void StatusBar::SetText(int panel, std::string_view text) {
  if (panel < 1 || panel > Panels()) return;
  auto& stored = texts_[static_cast<size_t>(panel - 1)];
  if (stored == text) return;
  stored = std::string(text);
  SendMessageA(hwnd_, SB_SETTEXTA, panel - 1, reinterpret_cast<LPARAM>(stored.c_str()));
}

std::string StatusBar::Text(int panel) const {
  if (panel < 1 || panel > Panels()) return {};
  char text[512] = {};
  LRESULT info = SendMessageA(hwnd_, SB_GETTEXTLENGTHA, panel - 1, 0);
  if (LOWORD(info) >= sizeof text) return texts_[static_cast<size_t>(panel - 1)];
  SendMessageA(hwnd_, SB_GETTEXTA, panel - 1, reinterpret_cast<LPARAM>(text));
  return text;
}

}  // namespace velmora
