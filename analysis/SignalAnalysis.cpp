#include "analysis/SignalAnalysis.h"

#include <limits>

#include "analysis/ToneDetector.h"
#include "common/Format.h"
#include "common/SampleFormat.h"

namespace velmora {
namespace {

constexpr double kFaxClippedShare = 0.4;
constexpr float kFaxNeverFound = std::numeric_limits<float>::infinity();

}  // namespace

SignalAnalysis::SignalAnalysis(DetectorSettings& settings) : settings_(settings) {}

void SignalAnalysis::Analyse(std::span<const std::int16_t> samples, std::int32_t transformLength) {
  spectrum_.KeepTransform(settings_.digitalBusy);
  spectrum_.Analyse(samples, transformLength);
  bufferSeconds_ = static_cast<float>(spectrum_.SampleCount()) / kSampleRateHz;
}

void SignalAnalysis::RestartContinuity() {
  burst_.Restart();
  pulse_.Restart();
  digital_.Restart();
}

// A link held on the last frequency is no evidence on this one; a gap of a
// few buffers (an overflow) leaves it held.
void SignalAnalysis::NewChannel() { fading_.Restart(); }

std::int32_t SignalAnalysis::Pactor3Count(int variant) const {
  return variant >= 1 && variant <= kPactor3Variants ? results_.pactor3Count[static_cast<std::size_t>(variant)] : 0;
}

void SignalAnalysis::PactorCountsReset() {
  results_.pactor2Count = 0;
  results_.pactor3Count.fill(0);
}

void SignalAnalysis::ClearFlags() {
  DetectorResults& r = results_;
  r.powerDetected = r.pactor2Detected = r.pactor3Detected = r.burstDetected = r.peakDetected = false;
  r.pulseDetected = r.cwDetected = r.faxDetected = r.wwvDetected = r.digitalDetected = r.fadingDetected = false;
  r.digitalText.clear();
  r.fadingText.clear();
  r.powerText.clear();
  r.pactor2Text.clear();
  r.pactor3Text.clear();
  r.burstText.clear();
  r.peakText.clear();
  r.pulseText.clear();
  r.cwText.clear();
  r.faxText.clear();
  r.wwvText.clear();
}

Verdict SignalAnalysis::Detect(std::string& panelText) {
  ClearFlags();
  bufferLevel_ = spectrum_.SignalLevel();
  const DetectorSettings& s = settings_;

  // The special modes replace the normal chain and never report busy or noise.
  if (s.faxMode || referenceFax_) {
    if (!DetectFaxPath(panelText)) panelText.clear();
    return {};
  }
  if (s.wwvMode || referenceWwv_) {
    if (!DetectTonePath(s.centerFrequency, 100, s.wwvThreshold, true, panelText)) panelText.clear();
    return {};
  }
  if (s.cwMode) {
    if (!DetectTonePath(s.cwFrequency, s.cwRange, s.cwThreshold, false, panelText)) panelText.clear();
    return {};
  }
  return DetectNormal(panelText);
}

Verdict SignalAnalysis::DetectNormal(std::string& panelText) {
  const DetectorSettings& s = settings_;
  Verdict v;
  const bool gate = s.powerEnabled ? DetectPower(spectrum_, s, results_) : true;
  // It follows its floor on every buffer, quiet ones too, and speaks only
  // through an open gate where the others did not.
  const bool digital = s.digitalBusy && digital_.Detect(spectrum_, bufferSeconds_, gate, results_, *drawing_);
  if (gate) {
    correlator_.Begin(spectrum_);
    PactorContext c{spectrum_, correlator_, s, results_, *drawing_, panelText};
    if (s.pactor2Enabled && pactor_.DetectPactor2(c)) v.busy = true;
    if (!v.busy && s.pactor3Enabled && pactor_.DetectPactor3(c)) v.busy = true;
    if (!v.busy && s.burstEnabled && burst_.Detect(spectrum_, s, results_, *drawing_, panelText)) v.noise = true;
    if (!v.busy && !v.noise && s.peakEnabled && DetectPeak(spectrum_, s, results_, *drawing_, panelText))
      v.noise = true;
    const bool fadingAdds = DetectFading(gate) && !v.busy && !v.noise;
    if (fadingAdds) {
      v.busy = true;
      panelText = FadingLabel(fading_.Evidence().linkForm);
    }
    if (digital && !v.busy && !v.noise) {
      v.busy = true;
      panelText = kDigitalLabel;
    }
    // The pulse detector looks into the buffers the others found busy, as
    // it did before the fading link was held.
    if (s.pulseEnabled || autoConnectActive_)
      pulse_.Detect(v.busy && !fadingAdds, spectrum_, s, results_, *drawing_, panelText);
    v.pulse = s.pulseEnabled && results_.pulseDetected;  // a playback may stop on it
  } else {
    DetectFading(gate);  // time passes for a link held, quiet buffers too
  }
  if (!v.busy && !v.noise) panelText.clear();
  return v;
}

// Follows the link on every buffer of the normal chain; it fires while the
// link is held on and the gate is open.
bool SignalAnalysis::DetectFading(bool gate) {
  if (!settings_.pactorFading) return false;
  const bool plainFound = results_.pactor2Detected || results_.pactor3Detected;
  const bool on = fading_.Detect(spectrum_, bufferSeconds_, settings_.centerFrequency, gate && plainFound);
  results_.fadingScore = fading_.Evidence().score;
  results_.fadingText = FormatNumber(results_.fadingScore, "0");
  results_.fadingDetected = on && gate;
  return results_.fadingDetected;
}

bool SignalAnalysis::DetectFaxPath(std::string& panelText) {
  AnalyticSignal(spectrum_, analytic_);
  // Clipping flattens noise's envelope as a FAX's is flat: a buffer mostly
  // at full scale is measured, but found by nothing. (Noise read as FAX
  // from about half its samples clipped; a FAX with 40 % clipped is found.)
  const float threshold = ClippedShare(spectrum_.Samples()) > kFaxClippedShare ? kFaxNeverFound : settings_.faxThreshold;
  const FaxResult r = DetectFax(analytic_, threshold, settings_.debugEnabled, *drawing_, panelText);
  results_.faxLevel = r.level;
  results_.faxSnr = r.snr;
  results_.faxText = r.text;
  results_.faxDetected = r.detected;
  return r.detected;
}

bool SignalAnalysis::DetectTonePath(double frequency, double range, float threshold, bool wwv,
                                    std::string& panelText) {
  AnalyticSignal(spectrum_, analytic_);
  const ToneResult r = DetectTone(spectrum_, analytic_, frequency, range, threshold, *drawing_, panelText);
  if (wwv) {
    results_.wwvLevel = r.level;
    results_.wwvValue = r.ratio;
    results_.wwvFrequency = r.frequency;
    results_.wwvText = r.text;
    results_.wwvDetected = r.detected;
  } else {
    results_.cwLevel = r.level;
    results_.cwValue = r.ratio;
    results_.cwFrequency = r.frequency;
    results_.cwText = r.text;
    results_.cwDetected = r.detected;
  }
  return r.detected;
}

}  // namespace velmora
