#pragma once
// Real menus built from a window's menu definitions.
#include <windows.h>

#include <functional>
#include <span>
#include <string>

#include "common/MenuDefinition.h"

namespace velmora {

// A popup menu holding the definition's items; items for which available()
// answers false are greyed.
HMENU BuildPopupMenu(const MenuDefinition& menu, const std::function<bool(int)>& available);

// The menu bar: every menu shown in the bar, each a popup built as above.
// The popups of menus outside the bar are built separately.
HMENU BuildMenuBar(std::span<const MenuDefinition> menus, const std::function<bool(int)>& available);

// The popup of the bar's menu with that caption, or nullptr; access keys
// do not count ("Settings" finds "&Settings").
HMENU MenuBarPopup(HMENU bar, const char* caption);

// A popup menu dropped at a point of the screen for the owner's commands;
// nothing for a null menu.
void PopupMenuShow(HWND owner, HMENU menu, POINT screen);

void SetMenuItemCaption(HMENU menu, int command, const std::string& caption);
void SetMenuItemChecked(HMENU menu, int command, bool checked);
void SetMenuItemEnabled(HMENU menu, int command, bool enabled);

}  // namespace velmora
