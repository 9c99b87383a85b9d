#include "display/win32/SignalDisplay.h"

#include <commctrl.h>

#include <cmath>

#include "display/WaterfallTexts.h"

namespace velmora {

SignalDisplay::SignalDisplay(HWND main, BufferedPicture& time, BufferedPicture& frequency, MainSettings& settings,
                             const SpectrumSource& spectrum)
    : main_(main), time_(time), frequency_(frequency), settings_(settings), spectrum_(spectrum) {
  // The waterfall's colours explained where they are shown; silent over the time trace.
  if (!time_.Handle()) return;
  tip_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                         CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, main_, nullptr,
                         GetModuleHandleA(nullptr), nullptr);
  if (!tip_) return;
  SendMessageA(tip_, TTM_SETMAXTIPWIDTH, 0, 360);
  SendMessageA(tip_, TTM_SETDELAYTIME, TTDT_AUTOPOP, 20000);
  TTTOOLINFOA info{};
  info.cbSize = TTTOOLINFOA_V1_SIZE;
  info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  info.hwnd = main_;
  info.uId = reinterpret_cast<UINT_PTR>(time_.Handle());
  info.lpszText = const_cast<char*>("");
  SendMessageA(tip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info));
  SendMessageA(tip_, TTM_ACTIVATE, FALSE, 0);
}

SignalDisplay::~SignalDisplay() {
  if (tip_) DestroyWindow(tip_);
}

void SignalDisplay::UpdateTip() {
  std::string text = WaterfallShown() ? WaterfallTip(Colour()) : std::string();
  if (!tip_ || text == tipText_) return;
  tipText_ = std::move(text);
  TTTOOLINFOA info{};
  info.cbSize = TTTOOLINFOA_V1_SIZE;
  info.hwnd = main_;
  info.uId = reinterpret_cast<UINT_PTR>(time_.Handle());
  info.lpszText = tipText_.data();
  SendMessageA(tip_, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&info));
  SendMessageA(tip_, TTM_ACTIVATE, tipText_.empty() ? FALSE : TRUE, 0);
}

void SignalDisplay::DrawTime(std::span<const std::int16_t> samples) {
  timeCanvas_.reset();
  UpdateTip();
  timeView_ = MakeTimeView(static_cast<std::int32_t>(samples.size()), time_.Width(), time_.Height());
  // The waterfall is drawn once the buffer's verdict is known (Present).
  if (WaterfallShown()) return;
  time_.Clear(pens_.Background(Colour()));
  // The trace fills the middle, where the labels stand: they go on top of it.
  timeCanvas_.emplace(time_.BufferDc(), pens_, Colour(), LabelBackground::Boxed);
  DrawTimeGrid(*timeCanvas_, timeView_);
  DrawTimeTrace(*timeCanvas_, timeView_, samples);
  DrawTimeAxes(*timeCanvas_, timeView_);
}

void SignalDisplay::BufferJudged(const Verdict& verdict) {
  if (!WaterfallShown()) {
    // A history with a gap would tell the wrong time: it starts again when shown again.
    if (history_.Count() > 0) history_.Clear();
    return;
  }
  const std::int32_t bins = spectrum_.TransformLength() / 2;
  if (bins < 1) return;
  densities_.resize(static_cast<std::size_t>(bins));
  for (std::int32_t b = 0; b < bins; ++b) densities_[static_cast<std::size_t>(b)] = spectrum_.Density(b);
  history_.Add(densities_, KindOf(verdict));
}

void SignalDisplay::DrawWaterfall() {
  const std::int32_t n = history_.Bins() > 0 ? 2 * history_.Bins() : spectrum_.TransformLength();
  waterfallView_ = MakeSpectrumView(settings_.display.fftRange, settings_.detector.centerFrequency, zoom, n,
                                    time_.Width(), time_.Height(), spectrum_.WwvTop());
  waterfall_.Update(history_, waterfallView_, time_.Height(), Colour());
  const int width = waterfall_.Width(), height = waterfall_.Height();
  if (width <= 0 || height <= 0) return;
  // The rows' ring in two blocks: from the top row to the end of the store, then its start.
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  auto blit = [&](int y, int rows, const Rgb* bits) {
    if (rows <= 0) return;
    info.bmiHeader.biHeight = -rows;  // top-down
    SetDIBitsToDevice(time_.BufferDc(), 0, y, width, rows, 0, 0, 0, rows, bits, &info, DIB_RGB_COLORS);
  };
  const int top = waterfall_.TopRow();
  blit(0, height - top, waterfall_.Store() + static_cast<std::size_t>(top) * width);
  blit(height - top, top, waterfall_.Store());
  GdiCanvas canvas(time_.BufferDc(), pens_, Colour(), LabelBackground::Boxed);
  DrawAgeLabels(canvas, SecondsPerRow(history_), height);
}

void SignalDisplay::DrawFrequency() {
  spectrumCanvas_.reset();
  frequency_.Clear(pens_.Background(Colour()));
  spectrumView_ = MakeSpectrumView(settings_.display.fftRange, settings_.detector.centerFrequency, zoom,
                                   spectrum_.TransformLength(), frequency_.Width(), frequency_.Height(),
                                   spectrum_.WwvTop());
  // The labels go on top of the trace, on boxes of their own, where they read.
  spectrumCanvas_.emplace(frequency_.BufferDc(), pens_, Colour(), LabelBackground::Boxed);
  DrawSpectrumGrid(*spectrumCanvas_, spectrumView_);
  DrawSpectrumAxes(*spectrumCanvas_, spectrumView_);
  DrawSpectrumTrace(*spectrumCanvas_, spectrumView_, [this](std::int32_t bin) { return spectrum_.Density(bin); });
  if (dragging_) DrawRubberBand(*spectrumCanvas_, dragX_, dragY_, dragToX_, dragToY_);
}

void SignalDisplay::Present() {
  if (spectrumCanvas_) DrawSpectrumLabels(*spectrumCanvas_, spectrumView_);
  // The canvases let go of the buffers before they are copied.
  spectrumCanvas_.reset();
  timeCanvas_.reset();
  if (WaterfallShown()) DrawWaterfall();
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
    case WM_CAPTURECHANGED:  // the drag ends unzoomed, its rubber band gone
      if (!dragging_) return std::nullopt;
      dragging_ = false;
      if (!loopRunning) redraw();
      return std::nullopt;
    default:
      return std::nullopt;
  }
}

std::optional<std::string> SignalDisplay::TimeMouse(UINT message, int x, int y) {
  if (message != WM_MOUSEMOVE) return std::nullopt;
  if (WaterfallShown()) {
    if (waterfallView_.n == 0) return std::nullopt;
    return WaterfallReadout(waterfallView_, history_, x, y);
  }
  if (timeView_.n == 0) return std::nullopt;
  return TimeReadout(timeView_, x, y);
}

}  // namespace velmora
