#include "audio/MainSettings.h"

#include "analysis/DetectorLimits.h"
#include "common/ProfileKeys.h"

namespace velmora {
namespace {

// Every key in the file's order (alphabetical within each section).
ProfileKeys Keys(MainSettings& s) {
  auto& d = s.detector;
  ProfileKeys keys;
  keys.In(kDetectorSection)
      .Key("Burst", d.burstEnabled)
      .Key("Burst Threshold", d.burstThreshold)
      .Key("Center Frequency", d.centerFrequency)
      .Key("Center Frequency Auto", d.centerFrequencyAuto)
      .Key("Center Frequency Auto Frequency", d.centerFrequencyAutoFrequency)
      // The three special modes are saved but not restored: each silences
      // the busy verdict, so the program always starts with them off.
      .Key("CW", d.cwMode).SavedOnly()
      .Key("CW Frequency", d.cwFrequency)
      .Key("CW Range", d.cwRange)
      .Key("CW Threshold", d.cwThreshold)
      .Key("Debug", d.debugEnabled)
      .Key("Debug Data", d.debugData)
      .Key("FAX", d.faxMode).SavedOnly()
      .Key("FAX Threshold", d.faxThreshold)
      .Key("Offset Frequency Range", d.offsetFrequencyRange)
      .Key("Offset Frequency Step", d.offsetFrequencyStep)
      .Key("Pactor2", d.pactor2Enabled)
      .Key("Pactor2 Threshold", d.pactor2Threshold)
      .Key("Pactor3", d.pactor3Enabled)
      .Key("Pactor3 Threshold", d.pactor3Threshold)
      .Key("Pactor3 Wide Band", d.pactor3WideBand)
      .Key("Digital Busy", d.digitalBusy)
      .Key("Pactor Fading", d.pactorFading)
      .Key("Peak", d.peakEnabled)
      .Key("Peak Threshold", d.peakThreshold)
      .Key("Power", d.powerEnabled)
      .Key("Power Threshold", d.powerThreshold)
      .Key("Pulse", d.pulseEnabled)
      .Key("Pulse Threshold", d.pulseThreshold)
      .Key("WWV", d.wwvMode).SavedOnly()
      .Key("WWV Threshold", d.wwvThreshold);
  keys.In(kDisplaySection)
      .Key("Display Color", s.display.displayColor)
      .Key("Fft Range", s.display.fftRange).Within(kRangeFull, kRangeZoomed)
      .Key("MenuBar", s.menuBarVisible)
      .Key("Sample Size", s.display.sampleSize).Accept(IsValidSampleSize)
      .Key("Waterfall", s.display.waterfall);
  return keys;
}

}  // namespace

void Default(MainSettings& settings) {
  settings.detector = DetectorSettings{};
  settings.display = DisplaySettings{};
}

void ProfileRecall(const ProfileDocument& profile, MainSettings& settings) {
  const DetectorSettings before = settings.detector;
  Keys(settings).Recall(profile);
  // Only what the Options dialog would accept, as for the sample size.
  KeepAcceptedDetectorValues(before, settings.detector);
}

void ProfileSave(ProfileWriter& profile, const MainSettings& settings) {
  MainSettings copy = settings;
  Keys(copy).Save(profile);
}

}  // namespace velmora
