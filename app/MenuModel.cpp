#include "app/MenuModel.h"

#include "common/Format.h"
#include "common/SampleFormat.h"
#include "common/StandardMenus.h"

namespace velmora {

std::string FrequencySamplesCaption(int exponent) {
  double resolution = static_cast<double>(kSampleRate) / (1 << exponent);
  std::string value = FormatNumber(resolution, "0.0");
  if (exponent == menu::kSamplesExponentFirst) return "Resolution " + value + " Hz";
  return "     ...         " + value + " Hz";
}

std::string TimeSamplesCaption(int exponent) {
  std::string samples = std::to_string(1 << exponent);
  return exponent == menu::kSamplesExponentFirst ? "Samples " + samples : "... " + samples;
}

namespace {

std::vector<MenuDefinition> BuildMenus() {
  using namespace menu;
  MenuDefinition frequency{"mnuFrequency", "Frequency", false, {}};
  const char* ranges[] = {"Range Full", "... Half", "... Quarter", "... Zoomed"};
  for (int i = 0; i < 4; ++i) frequency.items.push_back({"mnuFrequencyRange", ranges[i], kFrequencyRange0 + i});
  frequency.items.push_back(MenuSeparator());
  MenuDefinition time{"mnuTime", "Time", false, {}};
  for (int e = kSamplesExponentFirst; e <= kSamplesExponentLast; ++e) {
    frequency.items.push_back({"mnuFrequencySamples", FrequencySamplesCaption(e), kFrequencySamples0 + e});
    time.items.push_back({"mnuTimeSamples", TimeSamplesCaption(e), kTimeSamples0 + e});
  }
  return {
      FileMenu({kFileDefault, kFileRecall, kFileSave},
               {{"mnuFileRecord", "Record", kFileRecord}, MenuSeparator(), {"mnuFileExit", "Exit", kFileExit}}),
      {"mnuView",
       "View",
       true,
       {{"mnuViewAirmail", "Airmail Auto Connect...", kViewAirmail},
        MenuSeparator(),
        {"mnuViewSoundInput", "Sound Input Level...", kViewSoundInput},
        {"mnuViewSoundOutput", "Sound Output Level...", kViewSoundOutput}}},
      {"mnuOptions",
       "Options",
       true,
       {{"mnuOptionsInput", "Input...", kOptionsInput},
        {"mnuOptionsDisplay", "Display...", kOptionsDisplay},
        {"mnuOptionsDetector", "Detector...", kOptionsDetector},
        {"mnuOptionsOutput", "Output...", kOptionsOutput}}},
      frequency,
      time,
      SettingsMenu({kSettingsDefault, kSettingsRecall, kSettingsSave},
                   {"mnuSettingsRecord", "Record", kSettingsRecord}),
      HelpMenu(kHelpDiagram, kHelpOverView, kHelpAbout),
  };
}

}  // namespace

const std::vector<MenuDefinition>& MainMenus() {
  static const std::vector<MenuDefinition> menus = BuildMenus();
  return menus;
}

const MenuDefinition& FindMenu(const char* name) { return MenuNamed(MainMenus(), name); }

}  // namespace velmora
