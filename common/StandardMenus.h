#pragma once
// The menus the main and AutoConnect windows share: the same entries in
// the same order, each window with its own commands.
#include <vector>

#include "common/MenuDefinition.h"

namespace velmora {

struct DefaultRecallSaveCommands {
  int defaultCommand;
  int recall;
  int save;
};

MenuItemDefinition MenuSeparator();

// "Default", a separator, "Recall...", "Save...", a separator, then the
// window's own entries.
MenuDefinition FileMenu(DefaultRecallSaveCommands commands, std::vector<MenuItemDefinition> own);

// "Default", "Recall...", "Save...", a separator, then the window's own entry.
MenuDefinition SettingsMenu(DefaultRecallSaveCommands commands, MenuItemDefinition own);

// "Block Diagram...", "Overview...", a separator, "About...".
MenuDefinition HelpMenu(int diagram, int overview, int about);

}  // namespace velmora
