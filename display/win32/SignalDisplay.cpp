#include "display/win32/SignalDisplay.h"

#include <cmath>

namespace velmora {

void SignalDisplay::DrawTime(std::span<const std::int16_t> samples) {
  timeCanvas_.reset();
  time_.Clear(pens_.Background(Colour()));
  timeView_ = MakeTimeView(static_cast<std::int32_t>(samples.size()), time_.Width(), time_.Height());
  timeCanvas_.emplace(time_.BufferDc(), pens_, Colour());
  DrawTimeGrid(*timeCanvas_, timeView_);
  DrawTimeTrace(*timeCanvas_, timeView_, samples);
}

void SignalDisplay::DrawFrequency() {
  spectrumCanvas_.reset();
  frequency_.Clear(pens_.Background(Colour()));
  spectrumView_ = MakeSpectrumView(settings_.display.fftRange, settings_.detector.centerFrequency, zoom,
                                   spectrum_.TransformLength(), frequency_.Width(), frequency_.Height(),
                                   spectrum_.WwvTop());
  spectrumCanvas_.emplace(frequency_.BufferDc(), pens_, Colour());
  DrawSpectrumGrid(*spectrumCanvas_, spectrumView_);
  DrawSpectrumTrace(*spectrumCanvas_, spectrumView_, [this](std::int32_t bin) { return spectrum_.Density(bin); });
  if (dragging_) DrawRubberBand(*spectrumCanvas_, dragX_, dragY_, dragToX_, dragToY_);
}

void SignalDisplay::Present() {
  // The canvases let go of the buffers before they are copied.
  spectrumCanvas_.reset();
  timeCanvas_.reset();
  time_.Present();
  frequency_.Present();
}

void SignalDisplay::SpectrumMarker(double frequency, float topLevel, float bottomLevel) {
  if (spectrumCanvas_) DrawSpectrumMarker(*spectrumCanvas_, spectrumView_, frequency, topLevel, bottomLevel);
}

void SignalDisplay::SpectrumCurve(std::span<const SpectrumPoint> points) {
  if (!spectrumCanvas_ || points.empty()) return;
  spectrumCanvas_->SelectPen(DisplayPen::Marker);
  for (size_t i = 0; i < points.size(); ++i) {
    int x = static_cast<int>(std::lround(spectrumView_.XOfFrequency(points[i].frequency)));
    int y = static_cast<int>(std::lround(spectrumView_.YOfLevel(points[i].level)));
    if (i == 0)
      spectrumCanvas_->MoveTo(x, y);
    else
      spectrumCanvas_->LineTo(x, y);
  }
}

void SignalDisplay::SpectrumLevelLine(double lowFrequency, double highFrequency, float level) {
  if (spectrumCanvas_) DrawSpectrumLevelLine(*spectrumCanvas_, spectrumView_, lowFrequency, highFrequency, level);
}

void SignalDisplay::TimeMarker(long samplePosition, TimeMarkerKind kind) {
  if (timeCanvas_) DrawTimeMarker(*timeCanvas_, timeView_, samplePosition, kind == TimeMarkerKind::Burst);
}

void SignalDisplay::TimeCurve(TimeCurveKind kind, std::span<const float> values) {
  if (!timeCanvas_) return;
  bool slow = kind == TimeCurveKind::BurstSlow || kind == TimeCurveKind::PulseFiltered;
  timeCanvas_->SelectPen(slow ? DisplayPen::SlowCurve : DisplayPen::Marker);
  DrawTimeCurve(*timeCanvas_, timeView_, values);
}

std::optional<std::string> SignalDisplay::SpectrumMouse(UINT message, int x, int y, bool loopRunning,
                                                        const std::function<void()>& redraw) {
  switch (message) {
    case WM_MOUSEMOVE:
      if (dragging_) {
        dragToX_ = x;
        dragToY_ = y;
        if (!loopRunning) redraw();
        return std::nullopt;
      }
      if (spectrumView_.n == 0) return std::nullopt;
      return SpectrumReadout(spectrumView_, x, y);
    case WM_LBUTTONDOWN:
      dragging_ = true;
      dragX_ = dragToX_ = x;
      dragY_ = dragToY_ = y;
      return std::nullopt;
    case WM_LBUTTONUP: {
      if (!dragging_) return std::nullopt;
      dragging_ = false;
      Zoom next;
      if (spectrumView_.n > 0 && ZoomFromDrag(spectrumView_, dragX_, dragY_, x, y, next)) {
        zoom = next;
        settings_.display.fftRange = kRangeZoomed;
      }
      if (!loopRunning) redraw();
      return std::nullopt;
    }
    default:
      return std::nullopt;
  }
}

std::optional<std::string> SignalDisplay::TimeMouse(UINT message, int x, int y) {
  if (message != WM_MOUSEMOVE || timeView_.n == 0) return std::nullopt;
  return TimeReadout(timeView_, x, y);
}

}  // namespace velmora
