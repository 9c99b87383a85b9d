#pragma once
// The time and spectrum displays of the main window: each buffer is drawn
// into the pictures' off-screen buffers and copied to the screen at once.
// The mouse reads frequencies, levels and times off them, and a drag on the
// spectrum zooms into the rectangle. With "Waterfall" on, the time picture
// shows the waterfall of the last minutes and each buffer's verdict instead
// of the time trace.
#include <windows.h>

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "analysis/DetectorDrawing.h"
#include "audio/MainSettings.h"
#include "audio/BufferWork.h"
#include "display/DisplayDrawing.h"
#include "display/DisplayViews.h"
#include "display/WaterfallHistory.h"
#include "display/WaterfallImage.h"
#include "display/win32/BufferedPicture.h"
#include "display/win32/GdiCanvas.h"

namespace velmora {

// What the spectrum display reads of the analysis.
class SpectrumSource {
 public:
  virtual ~SpectrumSource() = default;
  virtual std::int32_t TransformLength() const = 0;
  virtual float Density(std::int32_t bin) const = 0;
  virtual bool WwvTop() const = 0;  // WWV mode or a WWV reference row: the top level is 110 dB
};

class SignalDisplay final : public BufferDisplay, public DetectorDrawing {
 public:
  SignalDisplay(HWND main, BufferedPicture& time, BufferedPicture& frequency, MainSettings& settings,
                const SpectrumSource& spectrum);
  SignalDisplay(const SignalDisplay&) = delete;
  SignalDisplay& operator=(const SignalDisplay&) = delete;
  ~SignalDisplay() override;

  // BufferDisplay and DetectorDrawing
  bool Shown() const override { return !IsIconic(main_); }
  void DrawTime(std::span<const std::int16_t> samples) override;
  void DrawFrequency() override;
  void BufferJudged(const Verdict& verdict) override;
  void Present() override;

  // DetectorDrawing: the detectors' markers and curves on the buffer in hand.
  void SpectrumMarker(double frequency, float topLevel, float bottomLevel) override;
  void SpectrumCurve(std::span<const SpectrumPoint> points) override;
  void SpectrumLevelLine(double lowFrequency, double highFrequency, float level) override;
  void TimeMarker(long samplePosition, TimeMarkerKind kind) override;
  void TimeCurve(TimeCurveKind kind, std::span<const float> values) override;

  // Mouse on the displays. Each returns the read-out for status panel 2, if any.
  std::optional<std::string> SpectrumMouse(UINT message, int x, int y, bool loopRunning,
                                           const std::function<void()>& redraw);
  std::optional<std::string> TimeMouse(UINT message, int x, int y);
  bool Dragging() const { return dragging_; }

  Zoom zoom;
  const SpectrumView& View() const { return spectrumView_; }
  const TimeView& Time() const { return timeView_; }
  const WaterfallHistory& History() const { return history_; }
  const WaterfallImage& Waterfall() const { return waterfall_; }

 private:
  bool Colour() const { return settings_.display.displayColor; }
  bool WaterfallShown() const { return settings_.display.waterfall; }
  void DrawWaterfall();
  void UpdateTip();

  HWND main_;
  BufferedPicture& time_;
  BufferedPicture& frequency_;
  MainSettings& settings_;
  const SpectrumSource& spectrum_;
  DisplayPens pens_;
  SpectrumView spectrumView_;
  TimeView timeView_;
  std::optional<GdiCanvas> spectrumCanvas_;
  std::optional<GdiCanvas> timeCanvas_;
  WaterfallHistory history_;
  WaterfallImage waterfall_;
  SpectrumView waterfallView_;
  std::vector<float> densities_;  // the buffer's line on its way into the history
  HWND tip_ = nullptr;
  std::string tipText_;
  bool dragging_ = false;
  int dragX_ = 0, dragY_ = 0, dragToX_ = 0, dragToY_ = 0;
};

}  // namespace velmora
