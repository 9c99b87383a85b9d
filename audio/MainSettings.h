#pragma once
// The main window's settings that the signal side, the displays and the
// Options dialog share, and how they live in the settings file: sections
// "Detector Data" and "Display Data".
#include <cstdint>

#include "analysis/DetectorSettings.h"
#include "common/ProfileFile.h"
#include "common/ProfileWriter.h"
#include "common/SampleFormat.h"

namespace velmora {

inline constexpr const char* kDetectorSection = "Detector Data";
inline constexpr const char* kDisplaySection = "Display Data";
inline constexpr const char* kSettingsFileName = "Velmora.Ini";

enum FftRangeMode : std::int16_t { kRangeFull = 0, kRangeHalf = 1, kRangeQuarter = 2, kRangeZoomed = 3 };

struct DisplaySettings {
  bool displayColor = false;
  std::int16_t fftRange = kRangeHalf;
  std::int32_t sampleSize = kSampleSizeDefault;
  bool waterfall = false;  // the waterfall and verdict strip in place of the time trace

  bool operator==(const DisplaySettings&) const = default;
};

struct MainSettings {
  DetectorSettings detector;
  DisplaySettings display;
  bool menuBarVisible = false;  // not touched by Default

  bool operator==(const MainSettings&) const = default;
};

// The built-in defaults of every detector and display setting (the menu bar
// is left as it is).
void Default(MainSettings& settings);

void ProfileRecall(const ProfileDocument& profile, MainSettings& settings);
void ProfileSave(ProfileWriter& profile, const MainSettings& settings);

}  // namespace velmora
