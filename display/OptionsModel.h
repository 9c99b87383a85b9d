#pragma once
// The Options dialog's controls as values, filled from the main window's
// members (DataSet) and written back step by step (Apply): detector, input,
// display, output. A value that cannot be converted, or lies where the
// detectors would look outside the spectrum, stops its step with a message;
// what earlier lines of that step stored stays stored.
#include <array>
#include <cstdint>
#include <string>

#include "audio/MainSettings.h"
#include "audio/SignalSide.h"
#include "common/Messages.h"

namespace velmora {

// The sample sizes of cmbDisplayFrequency and cmbDisplayTime, in order.
inline constexpr std::array<std::int32_t, 8> kSampleSizes = {256, 512, 1024, 2048, 4096, 8192, 16384, 32768};
int SampleSizeIndex(std::int32_t samples);  // -1 when not one of them

struct DetectorRow {
  bool enabled = false;
  std::string threshold;
  bool operator==(const DetectorRow&) const = default;
};

struct OptionsControls {
  // Input tab.
  int inputSource = 0;  // optInput
  int soundBits = 1;    // cmbSoundBits: 0 "8 Bits", 1 "16 Bits"
  std::string playbackFile;
  bool playbackOutput = false;
  bool playbackStopDetected = false;
  std::string simulateFrequency, simulateAmRate, simulateAmLevel;
  bool simulateOutput = false;
  // Display tab.
  int displaySamples = 3;  // cmbDisplayFrequency and cmbDisplayTime, which follow each other
  int displayRange = 1;    // cmbDisplayRange
  bool displayColor = false;
  bool waterfall = false;
  // Detector tab.
  DetectorRow pactor2, pactor3, power, burst, peak, pulse, fax, wwv;
  bool pactor3WideBand = false;
  bool digitalBusy = false;
  bool pactorFading = false;
  bool cw = false;
  std::string cwFrequency, cwRange, cwThreshold;
  std::string centerFrequency;
  bool centerFrequencyAuto = false;
  std::string offsetRange, offsetStep;
  bool debug = false;
  std::string debugData;
  // Output tab.
  bool record = false;

  bool operator==(const OptionsControls&) const = default;
};

OptionsControls DataSet(const MainSettings& settings, const SignalSide& signal);

// The box after the automatic centre frequency was switched: AirMail's tone
// when on (Apply then makes it the centre), the centre in use when off.
std::string CenterFrequencyBoxText(const DetectorSettings& detector);

// "Time Span:   0.186"
std::string TimeSpanLabel(std::int32_t samples);

struct ApplyTargets {
  MainSettings& settings;
  SignalSide& signal;
  Messenger& messages;
};

bool ApplyDetector(const OptionsControls& controls, ApplyTargets targets);
bool ApplyInput(const OptionsControls& controls, ApplyTargets targets);
bool ApplyDisplay(const OptionsControls& controls, ApplyTargets targets);
bool ApplyOutput(const OptionsControls& controls, ApplyTargets targets);
// All four in order; true only when every step succeeded.
bool Apply(const OptionsControls& controls, ApplyTargets targets);

}  // namespace velmora
