#include "app/MenuModel.h"

#include "common/Format.h"
#include "common/SampleFormat.h"

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
  const MenuItemDefinition separator{"", "", 0};
  MenuDefinition frequency{"mnuFrequency", "Frequency", false, {}};
  const char* ranges[] = {"Range Full", "... Half", "... Quarter", "... Zoomed"};
  for (int i = 0; i < 4; ++i) frequency.items.push_back({"mnuFrequencyRange", ranges[i], kFrequencyRange0 + i});
  frequency.items.push_back(separator);
  MenuDefinition time{"mnuTime", "Time", false, {}};
  for (int e = kSamplesExponentFirst; e <= kSamplesExponentLast; ++e) {
    frequency.items.push_back({"mnuFrequencySamples", FrequencySamplesCaption(e), kFrequencySamples0 + e});
    time.items.push_back({"mnuTimeSamples", TimeSamplesCaption(e), kTimeSamples0 + e});
  }
  return {
      {"mnuFile",
       "File",
       true,
       {{"mnuFileDefault", "Default", kFileDefault},
        separator,
        {"mnuFileRecall", "Recall...", kFileRecall},
        {"mnuFileSave", "Save...", kFileSave},
        separator,
        {"mnuFileRecord", "Record", kFileRecord},
        separator,
        {"mnuFileExit", "Exit", kFileExit}}},
      {"mnuView",
       "View",
       true,
       {{"mnuViewAirmail", "Airmail Auto Connect...", kViewAirmail},
        separator,
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
      {"mnuSettings",
       "Settings",
       true,
       {{"mnuSettingsDefault", "Default", kSettingsDefault},
        {"mnuSettingsRecall", "Recall...", kSettingsRecall},
        {"mnuSettingsSave", "Save...", kSettingsSave},
        separator,
        {"mnuSettingsRecord", "Record", kSettingsRecord}}},
      {"mnuHelp",
       "Help",
       true,
       {{"mnuHelpDiagram", "Block Diagram...", kHelpDiagram},
        {"mnuHelpOverView", "Overview...", kHelpOverView},
        separator,
        {"mnuHelpAbout", "About...", kHelpAbout}}},
  };
}

}  // namespace

const std::vector<MenuDefinition>& MainMenus() {
  static const std::vector<MenuDefinition> menus = BuildMenus();
  return menus;
}

const MenuDefinition& FindMenu(const char* name) { return MenuNamed(MainMenus(), name); }

}  // namespace velmora
