#pragma once
// The analysis of every buffer: its spectrum, then the detector chain that
// gives the verdict (busy, noise) and the status text, with the state the
// detectors carry from buffer to buffer. It reads the detector settings on
// every buffer, so a change in the Options dialog takes effect with the next.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "analysis/DetectorDrawing.h"
#include "analysis/DetectorResults.h"
#include "analysis/DetectorSettings.h"
#include "analysis/DetectorValues.h"
#include "analysis/DigitalDetector.h"
#include "analysis/NoiseDetectors.h"
#include "analysis/PactorDetectors.h"
#include "analysis/PactorFading.h"
#include "analysis/PulseDetector.h"
#include "analysis/PowerDensity.h"
#include "analysis/TemplateCorrelator.h"
#include "analysis/BufferAnalysis.h"

namespace velmora {

class SignalAnalysis final : public BufferAnalysis, public DetectorValues {
 public:
  // The settings stay owned by the caller (the main window); the centre
  // frequency is written back into them by the AutoConnect side.
  explicit SignalAnalysis(DetectorSettings& settings);

  // Where markers and debug curves go (the displays); none by default.
  void SetDrawing(DetectorDrawing* drawing) { drawing_ = drawing ? drawing : &noDrawing_; }

  // BufferAnalysis
  void Analyse(std::span<const std::int16_t> samples, std::int32_t transformLength) override;
  Verdict Detect(std::string& panelText) override;
  void RestartContinuity() override;
  void NewChannel() override;

  const PowerDensity& Spectrum() const { return spectrum_; }
  const DetectorResults& Results() const { return results_; }
  const DetectorSettings& Settings() const { return settings_; }

  // DetectorValues
  float BufferSeconds() const override { return bufferSeconds_; }
  float BufferLevel() const override { return bufferLevel_; }
  float PulseValue() const override { return results_.pulseValue; }
  float FaxLevel() const override { return results_.faxLevel; }
  float FaxSnr() const override { return results_.faxSnr; }
  bool FaxDetected() const override { return results_.faxDetected; }
  float WwvValue() const override { return results_.wwvValue; }
  bool WwvDetected() const override { return results_.wwvDetected; }
  std::int32_t Pactor2Count() const override { return results_.pactor2Count; }
  std::int32_t Pactor3Count(int variant) const override;
  void PactorCountsReset() override;
  bool AutoConnectActive() const override { return autoConnectActive_; }
  void SetAutoConnectActive(bool active) override { autoConnectActive_ = active; }
  bool ReferenceFax() const override { return referenceFax_; }
  void SetReferenceFax(bool on) override { referenceFax_ = on; }
  bool ReferenceWwv() const override { return referenceWwv_; }
  void SetReferenceWwv(bool on) override { referenceWwv_ = on; }
  float CenterFrequency() const override { return settings_.centerFrequency; }
  void SetCenterFrequency(float hz) override { settings_.centerFrequency = hz; }
  bool CenterFrequencyAuto() const override { return settings_.centerFrequencyAuto; }
  float CenterFrequencyAutoFrequency() const override { return settings_.centerFrequencyAutoFrequency; }
  void SetCenterFrequencyAutoFrequency(float hz) override { settings_.centerFrequencyAutoFrequency = hz; }

 private:
  void ClearFlags();
  bool DetectFaxPath(std::string& panelText);
  bool DetectTonePath(double frequency, double range, float threshold, bool wwv, std::string& panelText);
  Verdict DetectNormal(std::string& panelText);
  bool DetectFading(bool gate);

  DetectorSettings& settings_;
  NoDrawing noDrawing_;
  DetectorDrawing* drawing_ = &noDrawing_;

  PowerDensity spectrum_;
  TemplateCorrelator correlator_;
  PactorDetectors pactor_;
  BurstDetector burst_;
  PulseDetector pulse_;
  DigitalDetector digital_;
  PactorFading fading_;
  std::vector<Complex> analytic_;
  DetectorResults results_;

  float bufferSeconds_ = 0;
  float bufferLevel_ = 0;
  bool autoConnectActive_ = false;
  bool referenceFax_ = false;
  bool referenceWwv_ = false;
};

}  // namespace velmora
