#include "autoconnect/AutoConnectMenus.h"

#include <string>

#include "common/StandardMenus.h"

namespace velmora {
namespace {

std::vector<MenuDefinition> BuildMenus() {
  using namespace autoconnect_menu;
  MenuDefinition mode{"mnuMode", "&Mode", true, {}};
  const char* modes[] = {"AutoConnect - &Current Frequency", "AutoConnect - &Multiple Frequencies",
                         "AutoConnect - Multiple &Stations", "&Reference Station - Collect",
                         "Reference Station - &Data",        "Did &not Connect Data",
                         "Scan Station - Search for &Busy"};
  const char* names[] = {"mnuModeCurrentFrequency", "mnuModeMultipleFrequencies", "mnuModeMultipleStations",
                         "mnuModeReferenceStation", "mnuModeReferenceData",       "mnuModeNoConnectData",
                         "mnuModeScanStation"};
  for (int i = 0; i < 7; ++i) mode.items.push_back({names[i], modes[i], kMode0 + i});
  return {
      FileMenu({kFileDefault, kFileRecall, kFileSave}, {{"mnuFileClose", "&Close", kFileClose}}),
      {"mnuView",
       "&View",
       true,
       {{"mnuViewAirmailHistory", "&AirMail History...", kViewAirmailHistory},
        {"mnuViewLogFileHistory", "&LogFile History...", kViewLogFileHistory},
        MenuSeparator(),
        {"mnuViewPropagationDetailed", "Station Propagation &Detailed...", kViewPropagationDetailed},
        {"mnuViewPropagation24Hour", "Station Propagation &24 Hour...", kViewPropagation24Hour},
        {"mnuViewChannelOccupancy", "Station &Channel Occupancy...", kViewChannelOccupancy},
        MenuSeparator(),
        {"mnuViewStationInfo", "Station &Info...", kViewStationInfo},
        {"mnuViewStationInfoBeamList", "Station Info with &Beam List...", kViewStationInfoBeamList}}},
      {"mnuOptions",
       "&Options",
       true,
       {{"mnuOptionsAirmail", "&AirMail...", kOptionsAirmail},
        {"mnuOptionsHfModel", "&HF Model...", kOptionsHfModel},
        {"mnuOptionsStationAntenna", "Station A&ntenna...", kOptionsStationAntenna},
        {"mnuOptionsStationHistory", "Station Hi&story...", kOptionsStationHistory},
        {"mnuOptionsStationRadio", "Station &Radio...", kOptionsStationRadio}}},
      mode,
      SettingsMenu({kSettingsDefault, kSettingsRecall, kSettingsSave},
                   {"mnuSettingsOptions", "&Options...", kSettingsOptions}),
      {"mnuFrequency",
       "Frequency",
       false,
       {{"mnuFrequencyPropagationDetailed", "Propagation &Detailed...", kFrequencyPropagationDetailed},
        {"mnuFrequencyPropagation24Hour", "Propagation &24 Hour...", kFrequencyPropagation24Hour},
        {"mnuFrequencyChannelOccupancy", "&Channel Occupancy...", kFrequencyChannelOccupancy},
        {"mnuFrequencyStationInfo", "Station &Info...", kFrequencyStationInfo}}},
      HelpMenu(kHelpDiagram, kHelpOverview, kHelpAbout),
  };
}

}  // namespace

const std::vector<MenuDefinition>& AutoConnectMenus() {
  static const std::vector<MenuDefinition> menus = BuildMenus();
  return menus;
}

const MenuDefinition& AutoConnectMenu(const char* name) { return MenuNamed(AutoConnectMenus(), name); }

int ModeOfCommand(int command) {
  int mode = command - autoconnect_menu::kMode0;
  return mode >= 0 && mode <= 6 ? mode : -1;
}

}  // namespace velmora
