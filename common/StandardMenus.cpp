#include "common/StandardMenus.h"

#include <utility>

namespace velmora {

MenuItemDefinition MenuSeparator() { return {"", "", 0}; }

MenuDefinition FileMenu(DefaultRecallSaveCommands commands, std::vector<MenuItemDefinition> own) {
  MenuDefinition file{"mnuFile",
                      "&File",
                      true,
                      {{"mnuFileDefault", "&Default", commands.defaultCommand},
                       MenuSeparator(),
                       {"mnuFileRecall", "&Recall...", commands.recall},
                       {"mnuFileSave", "&Save...", commands.save},
                       MenuSeparator()}};
  file.items.insert(file.items.end(), std::make_move_iterator(own.begin()), std::make_move_iterator(own.end()));
  return file;
}

MenuDefinition SettingsMenu(DefaultRecallSaveCommands commands, MenuItemDefinition own) {
  return {"mnuSettings",
          "&Settings",
          true,
          {{"mnuSettingsDefault", "&Default", commands.defaultCommand},
           {"mnuSettingsRecall", "&Recall...", commands.recall},
           {"mnuSettingsSave", "&Save...", commands.save},
           MenuSeparator(),
           std::move(own)}};
}

MenuDefinition HelpMenu(int diagram, int overview, int about) {
  return {"mnuHelp",
          "&Help",
          true,
          {{"mnuHelpDiagram", "&Block Diagram...", diagram},
           {"mnuHelpOverView", "&Overview...", overview},
           MenuSeparator(),
           {"mnuHelpAbout", "&About...", about}}};
}

}  // namespace velmora
