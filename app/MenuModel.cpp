#include "app/MenuModel.h"

#include "common/Format.h"
#include "common/SampleFormat.h"
#include "common/StandardMenus.h"

namespace velmora {

namespace {

// The access keys of the sample-size items, one character of each caption,
// none shared with the other items of the menu.
constexpr char kFrequencySamplesKeys[] = "R2857103";
constexpr char kTimeSamplesKeys[] = "S5124863";

// The caption with the mark before the first occurrence of the key.
std::string WithAccessKey(std::string caption, char key) {
  if (auto at = caption.find(key); at != std::string::npos) caption.insert(at, "&");
  return caption;
}

}  // namespace

std::string FrequencySamplesCaption(int exponent) {
  double resolution = static_cast<double>(kSampleRate) / (1 << exponent);
  std::string value = FormatNumber(resolution, "0.0");
  int index = exponent - menu::kSamplesExponentFirst;
  if (index == 0) return "&Resolution " + value + " Hz";
  return "     ...         " + WithAccessKey(value, kFrequencySamplesKeys[index]) + " Hz";
}

std::string TimeSamplesCaption(int exponent) {
  std::string samples = std::to_string(1 << exponent);
  int index = exponent - menu::kSamplesExponentFirst;
  return index == 0 ? "&Samples " + samples : "... " + WithAccessKey(samples, kTimeSamplesKeys[index]);
}

namespace {

std::vector<MenuDefinition> BuildMenus() {
  using namespace menu;
  MenuDefinition frequency{"mnuFrequency", "Frequency", false, {}};
  const char* ranges[] = {"Range &Full", "... &Half", "... &Quarter", "... &Zoomed"};
  for (int i = 0; i < 4; ++i) frequency.items.push_back({"mnuFrequencyRange", ranges[i], kFrequencyRange0 + i});
  frequency.items.push_back(MenuSeparator());
  MenuDefinition time{"mnuTime", "Time", false, {}};
  for (int e = kSamplesExponentFirst; e <= kSamplesExponentLast; ++e) {
    frequency.items.push_back({"mnuFrequencySamples", FrequencySamplesCaption(e), kFrequencySamples0 + e});
    time.items.push_back({"mnuTimeSamples", TimeSamplesCaption(e), kTimeSamples0 + e});
  }
  return {
      FileMenu({kFileDefault, kFileRecall, kFileSave},
               {{"mnuFileRecord", "Re&cord", kFileRecord}, MenuSeparator(), {"mnuFileExit", "E&xit", kFileExit}}),
      {"mnuView",
       "&View",
       true,
       {{"mnuViewAirmail", "&Airmail Auto Connect...", kViewAirmail},
        MenuSeparator(),
        {"mnuViewSoundInput", "Sound &Input Level...", kViewSoundInput},
        {"mnuViewSoundOutput", "Sound &Output Level...", kViewSoundOutput}}},
      {"mnuOptions",
       "&Options",
       true,
       {{"mnuOptionsInput", "&Input...", kOptionsInput},
        {"mnuOptionsDisplay", "&Display...", kOptionsDisplay},
        {"mnuOptionsDetector", "De&tector...", kOptionsDetector},
        {"mnuOptionsOutput", "&Output...", kOptionsOutput}}},
      frequency,
      time,
      SettingsMenu({kSettingsDefault, kSettingsRecall, kSettingsSave},
                   {"mnuSettingsRecord", "Re&cord", kSettingsRecord}),
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
