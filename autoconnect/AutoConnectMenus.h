#pragma once
// The AutoConnect window's menus as designed: File, View, Options, Mode,
// Settings and Help in the menu bar, and the Frequency menu that pops up
// over the table.
#include <vector>

#include "common/MenuDefinition.h"

namespace velmora {

namespace autoconnect_menu {
enum Command : int {
  kFileDefault = 4001,
  kFileRecall,
  kFileSave,
  kFileClose,
  kViewAirmailHistory,
  kViewLogFileHistory,
  kViewPropagationDetailed,
  kViewPropagation24Hour,
  kViewStationInfo,
  kViewStationInfoBeamList,
  kOptionsAirmail,
  kOptionsHfModel,
  kOptionsStationAntenna,
  kOptionsStationHistory,
  kOptionsStationRadio,
  kSettingsDefault,
  kSettingsRecall,
  kSettingsSave,
  kSettingsOptions,
  kFrequencyPropagationDetailed,
  kFrequencyPropagation24Hour,
  kFrequencyStationInfo,
  kHelpDiagram,
  kHelpOverview,
  kHelpAbout,
  kViewChannelOccupancy,
  kFrequencyChannelOccupancy,
  kHelpOptions,  // in no menu: F1 in the options dialog
  kMode0 = 4100,  // + the mode index 0 to 6
};
}  // namespace autoconnect_menu

// File, View, Options, Mode, Settings, Frequency (pop-up only), Help.
const std::vector<MenuDefinition>& AutoConnectMenus();
const MenuDefinition& AutoConnectMenu(const char* name);

// The mode a Mode menu entry chooses; -1 for any other command.
int ModeOfCommand(int command);

}  // namespace velmora
