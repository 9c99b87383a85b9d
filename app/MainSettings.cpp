#include "app/MainSettings.h"

#include "analysis/DetectorLimits.h"
#include "common/ProfileValues.h"

namespace velmora {
namespace {

// Every key of "Detector Data" in the file's order, with its member.
struct BooleanKey {
  const char* key;
  bool DetectorSettings::*member;
};
struct SingleKey {
  const char* key;
  float DetectorSettings::*member;
};

constexpr BooleanKey kDetectorBooleans[] = {
    {"Burst", &DetectorSettings::burstEnabled},
    {"Center Frequency Auto", &DetectorSettings::centerFrequencyAuto},
    {"CW", &DetectorSettings::cwMode},
    {"Debug", &DetectorSettings::debugEnabled},
    {"FAX", &DetectorSettings::faxMode},
    {"Pactor2", &DetectorSettings::pactor2Enabled},
    {"Pactor3", &DetectorSettings::pactor3Enabled},
    {"Peak", &DetectorSettings::peakEnabled},
    {"Power", &DetectorSettings::powerEnabled},
    {"Pulse", &DetectorSettings::pulseEnabled},
    {"WWV", &DetectorSettings::wwvMode},
};

constexpr SingleKey kDetectorSingles[] = {
    {"Burst Threshold", &DetectorSettings::burstThreshold},
    {"Center Frequency", &DetectorSettings::centerFrequency},
    {"Center Frequency Auto Frequency", &DetectorSettings::centerFrequencyAutoFrequency},
    {"CW Frequency", &DetectorSettings::cwFrequency},
    {"CW Range", &DetectorSettings::cwRange},
    {"CW Threshold", &DetectorSettings::cwThreshold},
    {"Debug Data", &DetectorSettings::debugData},
    {"FAX Threshold", &DetectorSettings::faxThreshold},
    {"Offset Frequency Range", &DetectorSettings::offsetFrequencyRange},
    {"Offset Frequency Step", &DetectorSettings::offsetFrequencyStep},
    {"Pactor2 Threshold", &DetectorSettings::pactor2Threshold},
    {"Pactor3 Threshold", &DetectorSettings::pactor3Threshold},
    {"Peak Threshold", &DetectorSettings::peakThreshold},
    {"Power Threshold", &DetectorSettings::powerThreshold},
    {"Pulse Threshold", &DetectorSettings::pulseThreshold},
    {"WWV Threshold", &DetectorSettings::wwvThreshold},
};

// The three special modes are saved but not restored: each silences the
// busy verdict, so the program always starts with them off.
bool IsModeKey(const BooleanKey& k) {
  return k.member == &DetectorSettings::cwMode || k.member == &DetectorSettings::faxMode ||
         k.member == &DetectorSettings::wwvMode;
}

}  // namespace

bool IsValidSampleSize(long long samples) {
  return samples >= kSampleSizeMin && samples <= kSampleSizeMax && (samples & (samples - 1)) == 0;
}

void Default(MainSettings& settings) {
  settings.detector = DetectorSettings{};
  settings.display = DisplaySettings{};
}

void ProfileRecall(const ProfileDocument& profile, MainSettings& settings) {
  const DetectorSettings before = settings.detector;
  for (const auto& k : kDetectorBooleans) {
    bool value = settings.detector.*k.member;
    if (RecallBoolean(profile, kDetectorSection, k.key, value) && !IsModeKey(k)) settings.detector.*k.member = value;
  }
  for (const auto& k : kDetectorSingles) RecallSingle(profile, kDetectorSection, k.key, settings.detector.*k.member);
  // Only what the Options dialog would accept, as for the sample size below.
  KeepAcceptedDetectorValues(before, settings.detector);

  auto& display = settings.display;
  RecallBoolean(profile, kDisplaySection, "Display Color", display.displayColor);
  std::int16_t range = display.fftRange;
  if (RecallInteger(profile, kDisplaySection, "Fft Range", range) && range >= kRangeFull && range <= kRangeZoomed)
    display.fftRange = range;
  RecallBoolean(profile, kDisplaySection, "MenuBar", settings.menuBarVisible);
  std::int32_t samples = display.sampleSize;
  if (RecallInteger(profile, kDisplaySection, "Sample Size", samples) && IsValidSampleSize(samples))
    display.sampleSize = samples;
}

void ProfileSave(ProfileWriter& profile, const MainSettings& settings) {
  // Written in the order of the key table, which is alphabetical.
  const auto& d = settings.detector;
  auto boolean = [&](const char* key, bool v) { SaveBoolean(profile, kDetectorSection, key, v); };
  auto single = [&](const char* key, float v) { SaveSingle(profile, kDetectorSection, key, v); };
  boolean("Burst", d.burstEnabled);
  single("Burst Threshold", d.burstThreshold);
  single("Center Frequency", d.centerFrequency);
  boolean("Center Frequency Auto", d.centerFrequencyAuto);
  single("Center Frequency Auto Frequency", d.centerFrequencyAutoFrequency);
  boolean("CW", d.cwMode);
  single("CW Frequency", d.cwFrequency);
  single("CW Range", d.cwRange);
  single("CW Threshold", d.cwThreshold);
  boolean("Debug", d.debugEnabled);
  single("Debug Data", d.debugData);
  boolean("FAX", d.faxMode);
  single("FAX Threshold", d.faxThreshold);
  single("Offset Frequency Range", d.offsetFrequencyRange);
  single("Offset Frequency Step", d.offsetFrequencyStep);
  boolean("Pactor2", d.pactor2Enabled);
  single("Pactor2 Threshold", d.pactor2Threshold);
  boolean("Pactor3", d.pactor3Enabled);
  single("Pactor3 Threshold", d.pactor3Threshold);
  boolean("Peak", d.peakEnabled);
  single("Peak Threshold", d.peakThreshold);
  boolean("Power", d.powerEnabled);
  single("Power Threshold", d.powerThreshold);
  boolean("Pulse", d.pulseEnabled);
  single("Pulse Threshold", d.pulseThreshold);
  boolean("WWV", d.wwvMode);
  single("WWV Threshold", d.wwvThreshold);

  SaveBoolean(profile, kDisplaySection, "Display Color", settings.display.displayColor);
  SaveInteger(profile, kDisplaySection, "Fft Range", settings.display.fftRange);
  SaveBoolean(profile, kDisplaySection, "MenuBar", settings.menuBarVisible);
  SaveInteger(profile, kDisplaySection, "Sample Size", settings.display.sampleSize);
}

WindowPlacement ProfileRecallWindow(const ProfileDocument& profile) {
  WindowPlacement placement;
  auto recall = [&](const char* key, std::optional<float>& member) {
    float value = 0;
    if (RecallSingle(profile, kDisplaySection, key, value)) member = value;
  };
  recall("Window Height", placement.height);
  recall("Window Left", placement.left);
  recall("Window Top", placement.top);
  recall("Window Width", placement.width);
  return placement;
}

void ProfileSaveWindow(ProfileWriter& profile, bool normalState, const WindowPlacement& placement,
                       bool autoConnectVisible) {
  if (normalState) {
    auto save = [&](const char* key, const std::optional<float>& value) {
      if (value) SaveSingle(profile, kDisplaySection, key, *value);
    };
    save("Window Left", placement.left);
    save("Window Height", placement.height);
    save("Window Top", placement.top);
    save("Window Width", placement.width);
  }
  SaveBoolean(profile, kAirmailSection, "Window Visible", autoConnectVisible);
}

bool AutoConnectWasVisible(const ProfileDocument& profile) {
  bool visible = false;
  return RecallBoolean(profile, kAirmailSection, "Window Visible", visible) && visible;
}

}  // namespace velmora
