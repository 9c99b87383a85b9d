#pragma once
// A window's menus as designed: control names, captions and commands. Each
// window declares its menus with these; its real menus are built from them
// and tests read them back.
#include <string>
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

}  // namespace velmora
