#include "app/win32/Toolbar.h"

#include <commctrl.h>

#include <iterator>

namespace velmora {

bool Toolbar::Create(HWND parent) {
  hwnd_ = CreateWindowExA(0, TOOLBARCLASSNAMEA, nullptr,
                          WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_LIST | TBSTYLE_TOOLTIPS | CCS_TOP, 0, 0, 0, 0,
                          parent, nullptr, GetModuleHandleA(nullptr), nullptr);
  if (!hwnd_) return false;
  SendMessageA(hwnd_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  SendMessageA(hwnd_, TB_SETBITMAPSIZE, 0, MAKELPARAM(0, 0));
  TBBUTTON buttons[std::size(kToolbarKeys)] = {};
  for (size_t i = 0; i < std::size(kToolbarKeys); ++i) {
    auto& b = buttons[i];
    std::string_view key = kToolbarKeys[i];
    b.iBitmap = I_IMAGENONE;
    b.idCommand = kToolbarFirstId + static_cast<int>(i);
    b.fsState = TBSTATE_ENABLED;
    b.fsStyle = BTNS_AUTOSIZE | BTNS_SHOWTEXT;
    if (key == "Menu") b.fsStyle |= BTNS_CHECK;
    if (key == "Start" || key == "Stop") b.fsStyle |= BTNS_CHECKGROUP;
    if (key == "Settings") b.fsStyle |= BTNS_WHOLEDROPDOWN;
    b.iString = reinterpret_cast<INT_PTR>(kToolbarKeys[i]);
  }
  SendMessageA(hwnd_, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS | TBSTYLE_EX_MIXEDBUTTONS);
  SendMessageA(hwnd_, TB_ADDBUTTONSA, std::size(buttons), reinterpret_cast<LPARAM>(buttons));
  SendMessageA(hwnd_, TB_AUTOSIZE, 0, 0);
  return true;
}

int Toolbar::Height() const {
  RECT r{};
  GetWindowRect(hwnd_, &r);
  return r.bottom - r.top;
}

void Toolbar::AutoSize() { SendMessageA(hwnd_, TB_AUTOSIZE, 0, 0); }

int Toolbar::IdOf(std::string_view key) {
  for (size_t i = 0; i < std::size(kToolbarKeys); ++i)
    if (key == kToolbarKeys[i]) return kToolbarFirstId + static_cast<int>(i);
  return 0;
}

std::string_view Toolbar::KeyOf(int id) {
  int i = id - kToolbarFirstId;
  if (i < 0 || i >= static_cast<int>(std::size(kToolbarKeys))) return {};
  return kToolbarKeys[i];
}

void Toolbar::SetPressed(std::string_view key, bool pressed) {
  SendMessageA(hwnd_, TB_CHECKBUTTON, IdOf(key), MAKELPARAM(pressed ? TRUE : FALSE, 0));
}

bool Toolbar::IsPressed(std::string_view key) const {
  return SendMessageA(hwnd_, TB_ISBUTTONCHECKED, IdOf(key), 0) != 0;
}

void Toolbar::SetEnabled(std::string_view key, bool enabled) {
  SendMessageA(hwnd_, TB_ENABLEBUTTON, IdOf(key), MAKELPARAM(enabled ? TRUE : FALSE, 0));
}

bool Toolbar::IsEnabled(std::string_view key) const {
  return SendMessageA(hwnd_, TB_ISBUTTONENABLED, IdOf(key), 0) != 0;
}

RECT Toolbar::ButtonRect(std::string_view key) const {
  RECT r{};
  SendMessageA(hwnd_, TB_GETRECT, IdOf(key), reinterpret_cast<LPARAM>(&r));
  MapWindowPoints(hwnd_, nullptr, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

}  // namespace velmora
