#pragma once
// The main window's menus as designed: control names, captions, commands.
// The window builds its real menus from this, and tests read them back.
#include <string>
#include <vector>

#include "common/MenuDefinition.h"

namespace velmora {

namespace menu {
enum Command : int {
  kFileDefault = 1001,
  kFileRecall,
  kFileSave,
  kFileRecord,
  kFileExit,
  kViewAirmail,
  kViewSoundInput,
  kViewSoundOutput,
  kOptionsInput,
  kOptionsDisplay,
  kOptionsDetector,
  kOptionsOutput,
  kSettingsDefault,
  kSettingsRecall,
  kSettingsSave,
  kSettingsRecord,
  kHelpDiagram,
  kHelpOverView,
  kHelpAbout,
  kFrequencyRange0 = 1100,  // + range mode 0..3
  kFrequencySamples0 = 1200,  // + exponent 8..15
  kTimeSamples0 = 1300,       // + exponent 8..15
};
inline constexpr int kSamplesExponentFirst = 8;
inline constexpr int kSamplesExponentLast = 15;
}  // namespace menu

// File, View, Options, Frequency, Time, Settings, Help; "Frequency" and
// "Time" only pop up from the displays.
const std::vector<MenuDefinition>& MainMenus();
const MenuDefinition& FindMenu(const char* name);

// "Resolution 43.1 Hz" for the first sample size, "     ...         21.5 Hz"
// for the others: the spectrum's resolution in Hz for 2^exponent samples,
// each with its access key.
std::string FrequencySamplesCaption(int exponent);

// "Samples 256", then "... 512" up to "... 32768", each with its access key.
std::string TimeSamplesCaption(int exponent);

}  // namespace velmora
