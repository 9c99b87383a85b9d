#pragma once
// A window's menus as designed: control names, captions and commands. Each
// window declares its menus with these; its real menus are built from them
// and tests read them back.
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

struct MenuItemDefinition {
  const char* name;  // control name; empty for a separator
  std::string caption;
  int command = 0;
  bool Separator() const { return command == 0; }
};

struct MenuDefinition {
  const char* name;
  const char* caption;
  bool inMenuBar;  // false for menus that only pop up
  std::vector<MenuItemDefinition> items;
};

// The menu of that control name; a name no menu has is a mistake in the program.
inline const MenuDefinition& MenuNamed(const std::vector<MenuDefinition>& menus, std::string_view name) {
  for (const auto& menu : menus)
    if (name == menu.name) return menu;
  throw std::logic_error("no menu " + std::string(name));
}

}  // namespace velmora
