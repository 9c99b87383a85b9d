#pragma once
// What each menu command of the main window does, in one table: the window
// asks it both whether a command is offered and what to run for it.
#include <optional>

namespace velmora {

enum class MenuAction {
  SettingsDefault,
  SettingsRecall,
  SettingsSave,
  RecordToggle,
  Exit,
  ShowAutoConnect,  // offered only when the AutoConnect window exists
  SoundInput,
  SoundOutput,
  Options,         // argument: the tab
  HelpDiagram,
  HelpOverview,
  HelpAbout,
  FrequencyRange,  // argument: the range mode
  SampleSize,      // argument: the exponent of the samples per buffer
};

struct MenuRoute {
  MenuAction action;
  int argument = 0;
};

// Nothing for a command that is not one of the main window's menus.
std::optional<MenuRoute> RouteMenuCommand(int command);

}  // namespace velmora
