#include "display/OptionsModel.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <optional>

#include "common/SystemLib.h"
#include "common/Format.h"
#include "common/TextParse.h"
#include "common/SampleFormat.h"

namespace velmora {
namespace {

// A box's whole text as a number, as a strict conversion reads it.
std::optional<double> ConvertNumber(std::string_view text, std::string& problem) {
  auto t = Trim(text);
  if (!t.empty() && t.front() == '+') t.remove_prefix(1);
  double value = 0;
  auto result = std::from_chars(t.data(), t.data() + t.size(), value);
  // "nan" is no number either: the settings file could not keep it.
  if (t.empty() || result.ec == std::errc::invalid_argument || result.ptr != t.data() + t.size() ||
      std::isnan(value)) {
    problem = "Type mismatch";
    return std::nullopt;
  }
  if (result.ec == std::errc::result_out_of_range || !SingleHolds(value)) {
    problem = "Overflow";
    return std::nullopt;
  }
  return value;
}

// One step of Apply: stores line by line and stops at the first refused value.
class ApplyStep {
 public:
  ApplyStep(Messenger& messages, std::string prefix) : messages_(messages), prefix_(std::move(prefix)) {}

  // `box` names the box as the dialog labels it: a text that is no number
  // is told with it, since the dialog has many boxes.
  bool Number(std::string_view text, float& member, std::string_view box) {
    return Number(text, member, box, -1e30, 1e30, "");
  }
  bool Number(std::string_view text, float& member, std::string_view box, double low, double high,
              const std::string& range) {
    if (!Convert(text, box, low, high, range)) return false;
    member = static_cast<float>(value_);
    return true;
  }
  bool Convert(std::string_view text, std::string_view box, double low, double high, const std::string& range) {
    std::string problem;
    auto value = ConvertNumber(text, problem);
    // A box without a range of its own refuses what lies beyond any threshold as too large.
    if (value && range.empty() && (*value < low || *value > high)) {
      value.reset();
      problem = "Overflow";
    }
    if (!value) return Fail(problem + " in " + std::string(box) + ": \"" + std::string(text) + "\"");
    if (*value < low || *value > high) return Fail(range);
    value_ = *value;
    return true;
  }
  bool Fail(const std::string& problem) {
    messages_.Show(prefix_ + problem);
    return false;
  }
  double Value() const { return value_; }

 private:
  Messenger& messages_;
  std::string prefix_;
  double value_ = 0;
};

std::string Text(float value) { return ShortestSingle(value); }

DetectorRow Row(bool enabled, float threshold) { return {enabled, Text(threshold)}; }

bool StoreRow(ApplyStep& step, const DetectorRow& row, std::string_view detector, bool& enabled, float& threshold) {
  enabled = row.enabled;
  return step.Number(row.threshold, threshold, std::string(detector) + " Threshold");
}

}  // namespace

int SampleSizeIndex(std::int32_t samples) {
  for (size_t i = 0; i < kSampleSizes.size(); ++i)
    if (kSampleSizes[i] == samples) return static_cast<int>(i);
  return -1;
}

std::string CenterFrequencyBoxText(const DetectorSettings& d) {
  return Text(d.centerFrequencyAuto ? d.centerFrequencyAutoFrequency : d.centerFrequency);
}

std::string TimeSpanLabel(std::int32_t samples) {
  return "Time Span:   " + FormatNumber(static_cast<double>(samples) / kSampleRate, ".000");
}

namespace {

void DisplayTabSet(const DisplaySettings& display, OptionsControls& c) {
  c.displaySamples = SampleSizeIndex(display.sampleSize);
  c.displayRange = display.fftRange;
  c.displayColor = display.displayColor;
  c.waterfall = display.waterfall;
}

void InputTabSet(const SignalSide& signal, OptionsControls& c) {
  c.inputSource = signal.inputSource;
  c.soundBits = signal.use16Bit ? 1 : 0;
  c.playbackFile = PathText(signal.playbackFile);
  c.playbackOutput = signal.playbackOutput;
  c.playbackStopDetected = signal.playbackStopDetected;
  c.simulateFrequency = Text(signal.simulate.frequency);
  c.simulateAmRate = Text(signal.simulate.amRate);
  c.simulateAmLevel = Text(signal.simulate.amLevel);
  c.simulateOutput = signal.simulate.output;
}

void DetectorTabSet(const DetectorSettings& d, OptionsControls& c) {
  c.pactor2 = Row(d.pactor2Enabled, d.pactor2Threshold);
  c.pactor3 = Row(d.pactor3Enabled, d.pactor3Threshold);
  c.pactor3WideBand = d.pactor3WideBand;
  c.digitalBusy = d.digitalBusy;
  c.pactorFading = d.pactorFading;
  c.power = Row(d.powerEnabled, d.powerThreshold);
  c.burst = Row(d.burstEnabled, d.burstThreshold);
  c.peak = Row(d.peakEnabled, d.peakThreshold);
  c.pulse = Row(d.pulseEnabled, d.pulseThreshold);
  c.cw = d.cwMode;
  c.cwFrequency = Text(d.cwFrequency);
  c.cwRange = Text(d.cwRange);
  c.cwThreshold = Text(d.cwThreshold);
  c.fax = Row(d.faxMode, d.faxThreshold);
  c.wwv = Row(d.wwvMode, d.wwvThreshold);
  // The centre in use, also while it follows AirMail: an unchanged box then
  // gives it back as it is, and never moves a centre AutoConnect has set.
  c.centerFrequency = Text(d.centerFrequency);
  c.centerFrequencyAuto = d.centerFrequencyAuto;
  c.offsetRange = Text(d.offsetFrequencyRange);
  c.offsetStep = Text(d.offsetFrequencyStep);
  c.debug = d.debugEnabled;
  c.debugData = Text(d.debugData);
}

}  // namespace

OptionsControls DataSet(const MainSettings& settings, const SignalSide& signal) {
  OptionsControls c;
  DisplayTabSet(settings.display, c);
  InputTabSet(signal, c);
  c.record = signal.Recording();  // the Output tab
  DetectorTabSet(settings.detector, c);
  return c;
}

bool ApplyDetector(const OptionsControls& c, ApplyTargets t) {
  ApplyStep step(t.messages, "Options Detector Error, ");
  auto& d = t.settings.detector;
  if (!StoreRow(step, c.pactor2, "Pactor 2", d.pactor2Enabled, d.pactor2Threshold)) return false;
  if (!StoreRow(step, c.pactor3, "Pactor 3", d.pactor3Enabled, d.pactor3Threshold)) return false;
  d.pactor3WideBand = c.pactor3WideBand;
  d.digitalBusy = c.digitalBusy;
  d.pactorFading = c.pactorFading;
  if (!StoreRow(step, c.power, "Power", d.powerEnabled, d.powerThreshold)) return false;
  if (!StoreRow(step, c.burst, "Burst", d.burstEnabled, d.burstThreshold)) return false;
  if (!StoreRow(step, c.peak, "Peak", d.peakEnabled, d.peakThreshold)) return false;
  if (!StoreRow(step, c.pulse, "Pulse", d.pulseEnabled, d.pulseThreshold)) return false;
  d.cwMode = c.cw;
  // The tone search must stay inside the spectrum.
  if (!step.Convert(c.cwFrequency, "Tone Freq", 0, kNyquist, "CW Frequency must be from 0 to 5512 Hz")) return false;
  double cwFrequency = step.Value();
  if (!step.Convert(c.cwRange, "Tone +/-", 1, kNyquist, "CW Range must be from 1 to 5512 Hz")) return false;
  double cwRange = step.Value();
  if (cwFrequency - cwRange < 0 || cwFrequency + cwRange > kNyquist)
    return step.Fail("CW Frequency +/- CW Range must lie between 0 and 5512 Hz");
  d.cwFrequency = static_cast<float>(cwFrequency);
  d.cwRange = static_cast<float>(cwRange);
  if (!step.Number(c.cwThreshold, d.cwThreshold, "Tone Threshold")) return false;
  if (!StoreRow(step, c.fax, "FAX", d.faxMode, d.faxThreshold)) return false;
  if (!StoreRow(step, c.wwv, "WWV", d.wwvMode, d.wwvThreshold)) return false;
  // The Pactor 2 band (250 Hz either side) must lie inside the spectrum.
  if (!step.Number(c.centerFrequency, d.centerFrequency, "Center Freq", 250, kNyquist - 250,
                   "Center Freq must be from 250 to 5262 Hz"))
    return false;
  d.centerFrequencyAuto = c.centerFrequencyAuto;
  // The offset search slides the fixed 400 Hz Pactor 3 band edge: no more than 400 Hz.
  if (!step.Number(c.offsetRange, d.offsetFrequencyRange, "Offset Freq +/- Range", 0, 400,
                   "Offset Freq range must be from 0 to 400 Hz"))
    return false;
  if (!step.Number(c.offsetStep, d.offsetFrequencyStep, "Offset Freq Step", 0, 400,
                   "Offset Freq step must be from 0 to 400 Hz"))
    return false;
  d.debugEnabled = c.debug;
  return step.Number(c.debugData, d.debugData, "Debug");
}

bool ApplyInput(const OptionsControls& c, ApplyTargets t) {
  ApplyStep step(t.messages, "Input Option Error, ");
  SimulateSettings simulate = t.signal.simulate;
  if (!step.Number(c.simulateFrequency, simulate.frequency, "Frequency", 0, kNyquist,
                   "Frequency must be from 0 to 5512 Hz"))
    return false;
  if (!step.Number(c.simulateAmRate, simulate.amRate, "AM Rate", 0, kNyquist, "AM Rate must be from 0 to 5512 Hz"))
    return false;
  if (!step.Number(c.simulateAmLevel, simulate.amLevel, "AM Level", 0, 1000, "AM Level must be from 0 to 1000 %"))
    return false;
  simulate.output = c.simulateOutput;

  SignalSide& s = t.signal;
  bool use16Bit = c.soundBits != 0;
  if (s.inputSource == kPlayback && c.inputSource != kPlayback) s.PlaybackEnd();
  if (s.inputSource != c.inputSource && s.Running()) s.ProcessStop();
  if (s.inputSource == kSoundCard && c.inputSource == kSoundCard && use16Bit != s.use16Bit && s.Running())
    s.ProcessStop();
  // The output plays the 16-bit buffers it was started with: a change of
  // width while a recording is heard would leave it repeating them.
  if (c.inputSource == kPlayback && s.LoopActive() &&
      (c.playbackOutput != s.playbackOutput || (s.playbackOutput && use16Bit != s.use16Bit)))
    s.PlaybackStop();
  // The test signal heard plays on until its loop stops: "Sound" unticked stops it.
  if (c.inputSource == kSimulated && s.inputSource == kSimulated && s.Running() && s.simulate.output &&
      !simulate.output)
    s.ProcessStop();
  bool newFile = c.inputSource == kPlayback && std::filesystem::path(c.playbackFile) != s.playbackFile;
  if (newFile) s.PlaybackEnd();

  s.inputSource = c.inputSource;
  s.use16Bit = use16Bit;
  s.playbackFile = c.playbackFile;
  s.playbackOutput = c.playbackOutput;
  s.playbackStopDetected = c.playbackStopDetected;
  s.simulate = simulate;
  if (newFile && !c.playbackFile.empty() && !s.PlaybackOpen()) return false;
  return true;
}

bool ApplyDisplay(const OptionsControls& c, ApplyTargets t) {
  ApplyStep step(t.messages, "Display Option Error, ");
  if (c.displaySamples < 0 || c.displaySamples >= static_cast<int>(kSampleSizes.size()))
    return step.Fail("Choose a number of samples");
  t.settings.display.sampleSize = kSampleSizes[c.displaySamples];  // used from the next start of the loop
  if (c.displayRange < 0 || c.displayRange > kRangeZoomed) return step.Fail("Choose a range");
  t.settings.display.fftRange = static_cast<std::int16_t>(c.displayRange);
  t.settings.display.displayColor = c.displayColor;
  t.settings.display.waterfall = c.waterfall;
  return true;
}

bool ApplyOutput(const OptionsControls& c, ApplyTargets t) {
  if (c.record && !t.signal.Recording()) t.signal.RecordOpen();
  if (!c.record && t.signal.Recording()) t.signal.RecordClose();
  // A recording that could not start (its message shown) fails the step.
  return t.signal.Recording() == c.record;
}

bool Apply(const OptionsControls& c, ApplyTargets t) {
  bool ok = ApplyDetector(c, t);
  ok = ApplyInput(c, t) && ok;
  ok = ApplyDisplay(c, t) && ok;
  return ApplyOutput(c, t) && ok;
}

}  // namespace velmora
