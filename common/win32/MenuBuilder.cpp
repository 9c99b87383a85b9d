#include "common/win32/MenuBuilder.h"

#include <string>

#include "common/AccessKeys.h"

namespace velmora {

HMENU BuildPopupMenu(const MenuDefinition& menu, const std::function<bool(int)>& available) {
  HMENU popup = CreatePopupMenu();
  for (const auto& item : menu.items) {
    if (item.Separator()) {
      AppendMenuA(popup, MF_SEPARATOR, 0, nullptr);
      continue;
    }
    UINT flags = MF_STRING | (available(item.command) ? MF_ENABLED : MF_GRAYED);
    AppendMenuA(popup, flags, static_cast<UINT_PTR>(item.command), item.caption.c_str());
  }
  return popup;
}

HMENU BuildMenuBar(std::span<const MenuDefinition> menus, const std::function<bool(int)>& available) {
  HMENU bar = CreateMenu();
  for (const auto& menu : menus) {
    if (!menu.inMenuBar) continue;
    AppendMenuA(bar, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(BuildPopupMenu(menu, available)), menu.caption);
  }
  return bar;
}

HMENU MenuBarPopup(HMENU bar, const char* caption) {
  int count = GetMenuItemCount(bar);
  for (int i = 0; i < count; ++i) {
    char text[128] = {};
    GetMenuStringA(bar, i, text, sizeof text, MF_BYPOSITION);
    if (CaptionText(text) == CaptionText(caption)) return GetSubMenu(bar, i);
  }
  return nullptr;
}

void PopupMenuShow(HWND owner, HMENU menu, POINT screen) {
  if (!menu) return;
  // In the foreground, and with a message after it, so the menu closes when
  // the user clicks elsewhere.
  SetForegroundWindow(owner);
  TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, screen.x, screen.y, 0, owner, nullptr);
  PostMessageA(owner, WM_NULL, 0, 0);
}

void SetMenuItemCaption(HMENU menu, int command, const std::string& caption) {
  MENUITEMINFOA info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_STRING;
  info.dwTypeData = const_cast<char*>(caption.c_str());
  SetMenuItemInfoA(menu, static_cast<UINT>(command), FALSE, &info);
}

void SetMenuItemChecked(HMENU menu, int command, bool checked) {
  CheckMenuItem(menu, static_cast<UINT>(command), MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

void SetMenuItemEnabled(HMENU menu, int command, bool enabled) {
  EnableMenuItem(menu, static_cast<UINT>(command), MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

}  // namespace velmora
