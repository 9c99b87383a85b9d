#pragma once
// What the detectors draw on the two displays: markers where they found
// something and, with Debug on, the curves they worked with. The display
// area implements it; the detectors call it only while Shown() is true, and
// the debug curves only with Debug on. Colours are the display's choice
// (red markers in colour mode, else the marker pen; the peak-noise line
// yellow).
#include <span>

namespace velmora {

// A point of a curve on the spectrum display.
struct SpectrumPoint {
  double frequency;  // Hz
  float level;       // dB
};

enum class TimeMarkerKind {
  Burst,  // half the display height tall
  Pulse,
};

enum class TimeCurveKind {
  BurstFast,      // the fast envelope, values = sample mean + 2·envelope (A/D units)
  BurstSlow,      // the slow envelope, likewise
  PulseFiltered,  // the high-passed signal of the pulse detector (A/D units)
  FaxFrequency,   // the instantaneous frequency of the FAX detector (Hz)
};

class DetectorDrawing {
 public:
  virtual ~DetectorDrawing() = default;
  // False while the window is minimised: nothing is drawn, detection goes on.
  virtual bool Shown() const = 0;

  // Spectrum display. A vertical marker at a frequency from one level to another.
  virtual void SpectrumMarker(double frequency, float topLevel, float bottomLevel) = 0;
  // A polyline joined point to point (a detector's template over the spectrum).
  virtual void SpectrumCurve(std::span<const SpectrumPoint> points) = 0;
  // A horizontal line at a level across a band (the peak-noise band level).
  virtual void SpectrumLevelLine(double lowFrequency, double highFrequency, float level) = 0;

  // Time display. A vertical marker at a sample position (1-based, may lie
  // before the buffer's first sample; the display clips it).
  virtual void TimeMarker(long samplePosition, TimeMarkerKind kind) = 0;
  // One value per sample of the buffer, drawn point by point.
  virtual void TimeCurve(TimeCurveKind kind, std::span<const float> values) = 0;
};

// For buffers analysed without displays (the offline analyser, tests).
class NoDrawing final : public DetectorDrawing {
 public:
  bool Shown() const override { return false; }
  void SpectrumMarker(double, float, float) override {}
  void SpectrumCurve(std::span<const SpectrumPoint>) override {}
  void SpectrumLevelLine(double, double, float) override {}
  void TimeMarker(long, TimeMarkerKind) override {}
  void TimeCurve(TimeCurveKind, std::span<const float>) override {}
};

}  // namespace velmora
