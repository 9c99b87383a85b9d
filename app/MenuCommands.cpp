#include "app/MenuCommands.h"

#include "app/MenuModel.h"

namespace velmora {

std::optional<MenuRoute> RouteMenuCommand(int command) {
  using namespace menu;
  using A = MenuAction;
  struct Entry {
    int command;
    MenuRoute route;
  };
  static constexpr Entry kRoutes[] = {
      {kFileDefault, {A::SettingsDefault}},   {kSettingsDefault, {A::SettingsDefault}},
      {kFileRecall, {A::SettingsRecall}},     {kSettingsRecall, {A::SettingsRecall}},
      {kFileSave, {A::SettingsSave}},         {kSettingsSave, {A::SettingsSave}},
      {kFileRecord, {A::RecordToggle}},       {kSettingsRecord, {A::RecordToggle}},
      {kFileExit, {A::Exit}},                 {kViewAirmail, {A::ShowAutoConnect}},
      {kViewSoundInput, {A::SoundInput}},     {kViewSoundOutput, {A::SoundOutput}},
      {kOptionsInput, {A::Options, 0}},       {kOptionsDisplay, {A::Options, 1}},
      {kOptionsDetector, {A::Options, 2}},    {kOptionsOutput, {A::Options, 3}},
      {kHelpDiagram, {A::HelpDiagram}},       {kHelpOverView, {A::HelpOverview}},
      {kHelpAbout, {A::HelpAbout}},
  };
  for (const Entry& e : kRoutes)
    if (e.command == command) return e.route;
  if (command >= kFrequencyRange0 && command < kFrequencyRange0 + 4)
    return MenuRoute{A::FrequencyRange, command - kFrequencyRange0};
  for (int first : {kFrequencySamples0, kTimeSamples0})
    if (command >= first + kSamplesExponentFirst && command <= first + kSamplesExponentLast)
      return MenuRoute{A::SampleSize, command - first};
  return std::nullopt;
}

}  // namespace velmora
