#pragma once
// The main window's settings and how they live in the settings file:
// sections "Detector Data" and "Display Data", the window placement, and the
// AutoConnect window's visibility that the main window records at exit.
#include <cstdint>
#include <optional>

#include "analysis/DetectorSettings.h"
#include "common/ProfileFile.h"

namespace velmora {

inline constexpr const char* kDetectorSection = "Detector Data";
inline constexpr const char* kDisplaySection = "Display Data";
inline constexpr const char* kAirmailSection = "Airmail Data";
inline constexpr const char* kSettingsFileName = "Velmora.Ini";

inline constexpr std::int32_t kSampleSizeMin = 256;
inline constexpr std::int32_t kSampleSizeMax = 32768;
inline constexpr std::int32_t kSampleSizeDefault = 2048;

// A power of two from 256 to 32768: the only sizes buffers and transforms take.
bool IsValidSampleSize(long long samples);

enum FftRangeMode : std::int16_t { kRangeFull = 0, kRangeHalf = 1, kRangeQuarter = 2, kRangeZoomed = 3 };

struct DisplaySettings {
  bool displayColor = false;
  std::int16_t fftRange = kRangeHalf;
  std::int32_t sampleSize = kSampleSizeDefault;

  bool operator==(const DisplaySettings&) const = default;
};

struct MainSettings {
  DetectorSettings detector;
  DisplaySettings display;
  bool menuBarVisible = false;  // not touched by Default

  bool operator==(const MainSettings&) const = default;
};

// Placement in the window system's units; a key absent from the file stays empty.
struct WindowPlacement {
  std::optional<float> left, top, width, height;
};

// The built-in defaults of every detector and display setting (the menu bar
// and the placement are left as they are).
void Default(MainSettings& settings);

void ProfileRecall(const ProfileDocument& profile, MainSettings& settings);
void ProfileSave(ProfileWriter& profile, const MainSettings& settings);

WindowPlacement ProfileRecallWindow(const ProfileDocument& profile);
// The placement is written only in the normal window state; the AutoConnect
// window's visibility always.
void ProfileSaveWindow(ProfileWriter& profile, bool normalState, const WindowPlacement& placement,
                       bool autoConnectVisible);

// "Window Visible" of "Airmail Data": present and True.
bool AutoConnectWasVisible(const ProfileDocument& profile);

}  // namespace velmora
