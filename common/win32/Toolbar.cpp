#include "common/win32/Toolbar.h"

#include <commctrl.h>

namespace velmora {
namespace {

// A Tab stop whose arrow keys go from button to button (and do not move
// the focus to the next control) and whose Space presses the hot button.
LRESULT CALLBACK ToolbarKeysProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
  if (message == WM_NCDESTROY) RemoveWindowSubclass(hwnd, &ToolbarKeysProc, 1);
  if (message == WM_GETDLGCODE) return DefSubclassProc(hwnd, message, wParam, lParam) | DLGC_WANTARROWS;
  return DefSubclassProc(hwnd, message, wParam, lParam);
}

}  // namespace

bool Toolbar::Create(HWND parent, std::span<const ToolbarButton> buttons, int firstId) {
  buttons_.assign(buttons.begin(), buttons.end());
  firstId_ = firstId;
  hwnd_ = CreateWindowExA(0, TOOLBARCLASSNAMEA, nullptr,
                          WS_CHILD | WS_VISIBLE | WS_TABSTOP | TBSTYLE_FLAT | TBSTYLE_LIST | TBSTYLE_TOOLTIPS | CCS_TOP,
                          0, 0, 0, 0, parent, nullptr, GetModuleHandleA(nullptr), nullptr);
  if (!hwnd_) return false;
  SetWindowSubclass(hwnd_, &ToolbarKeysProc, 1, 0);
  SendMessageA(hwnd_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  SendMessageA(hwnd_, TB_SETBITMAPSIZE, 0, MAKELPARAM(0, 0));
  std::vector<TBBUTTON> tb(buttons_.size());
  for (size_t i = 0; i < buttons_.size(); ++i) {
    TBBUTTON& b = tb[i];
    b.iBitmap = I_IMAGENONE;
    b.idCommand = firstId_ + static_cast<int>(i);
    b.fsState = TBSTATE_ENABLED;
    b.fsStyle = BTNS_AUTOSIZE | BTNS_SHOWTEXT;
    b.iString = reinterpret_cast<INT_PTR>(buttons_[i].key);
    switch (buttons_[i].kind) {
      case ToolbarButtonKind::Push: break;
      case ToolbarButtonKind::Check: b.fsStyle |= BTNS_CHECK; break;
      case ToolbarButtonKind::CheckGroup: b.fsStyle |= BTNS_CHECKGROUP; break;
      case ToolbarButtonKind::DropDown: b.fsStyle |= BTNS_WHOLEDROPDOWN; break;
      case ToolbarButtonKind::Spacer:
        b.fsStyle = BTNS_SEP;
        b.iBitmap = 12;  // the gap's width
        b.iString = 0;
        break;
    }
  }
  SendMessageA(hwnd_, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS | TBSTYLE_EX_MIXEDBUTTONS);
  SendMessageA(hwnd_, TB_ADDBUTTONSA, tb.size(), reinterpret_cast<LPARAM>(tb.data()));
  SendMessageA(hwnd_, TB_AUTOSIZE, 0, 0);
  return true;
}

int Toolbar::Height() const {
  RECT r{};
  GetWindowRect(hwnd_, &r);
  return r.bottom - r.top;
}

void Toolbar::AutoSize() { SendMessageA(hwnd_, TB_AUTOSIZE, 0, 0); }

int Toolbar::IdOf(std::string_view key) const {
  for (size_t i = 0; i < buttons_.size(); ++i)
    if (key == buttons_[i].key) return firstId_ + static_cast<int>(i);
  return 0;
}

std::string_view Toolbar::KeyOf(int id) const {
  int i = id - firstId_;
  if (i < 0 || i >= static_cast<int>(buttons_.size())) return {};
  return buttons_[static_cast<size_t>(i)].key;
}

std::string_view Toolbar::DropDownKey(LPARAM notification) const {
  const auto* header = reinterpret_cast<const NMHDR*>(notification);
  if (header->hwndFrom != hwnd_ || header->code != TBN_DROPDOWN) return {};
  return KeyOf(reinterpret_cast<const NMTOOLBARA*>(notification)->iItem);
}

std::optional<LRESULT> Toolbar::DropDown(LPARAM notification,
                                         const std::function<void(std::string_view key)>& dropped) const {
  std::string_view key = DropDownKey(notification);
  if (key.empty()) return std::nullopt;
  dropped(key);
  return TBDDRET_DEFAULT;
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
