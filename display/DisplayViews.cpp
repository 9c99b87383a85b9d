#include "display/DisplayViews.h"

#include <algorithm>
#include <cmath>

#include "common/Format.h"

namespace velmora {

const char* RangeSuffix(std::int16_t fftRange) {
  if (fftRange == 2) return " - Quarter";
  if (fftRange == 3) return " - Zoomed";
  return "";
}

SpectrumView MakeSpectrumView(std::int16_t fftRange, double centerFrequency, const Zoom& zoom, std::int32_t n,
                              int width, int height, bool wwvTop) {
  const double fs = kSampleRate;
  SpectrumView v;
  v.n = std::max(n, 2);
  v.width = width;
  v.height = height;
  v.levelTop = wwvTop ? 110 : 100;
  v.levelBottom = v.levelTop - 80;
  double low = 0, high = fs / 2;
  switch (fftRange) {
    case 1:
      high = std::min(fs / 4, 3000.0);
      break;
    case 2:
      low = centerFrequency - fs / 32;
      high = centerFrequency + fs / 32;
      break;
    case 3:
      if (zoom.low == zoom.high) {  // no zoom chosen yet (it is not kept between runs): the half range
        high = std::min(fs / 4, 3000.0);
        break;
      }
      low = std::min(zoom.low, zoom.high);
      high = std::max(zoom.low, zoom.high);
      if (zoom.top != 0 && zoom.top != zoom.bottom) {
        v.levelTop = std::max(zoom.top, zoom.bottom);
        v.levelBottom = std::min(zoom.top, zoom.bottom);
      }
      break;
    default:
      break;
  }
  // Snapped to bins, and kept inside bins 0 .. N/2 - 1 whatever the centre
  // frequency or the zoom asks for.
  const std::int32_t lastBin = v.n / 2 - 1;
  v.binCount = std::max<std::int32_t>(1, static_cast<std::int32_t>(std::lround((high - low) * v.n / fs)));
  v.binCount = std::min(v.binCount, lastBin + 1);
  v.firstBin = static_cast<std::int32_t>(std::lround(v.n * low / fs));
  v.firstBin = std::clamp(v.firstBin, 0, lastBin + 1 - v.binCount);
  v.displayLow = fs * v.firstBin / v.n;
  v.displayHigh = v.displayLow + fs * v.binCount / v.n;
  v.pixelsPerBin = static_cast<double>(width) / v.binCount;
  v.pixelsPerDb = height / (v.levelTop - v.levelBottom);
  return v;
}

bool ZoomFromDrag(const SpectrumView& view, int x1, int y1, int x2, int y2, Zoom& zoom) {
  int left = std::min(x1, x2), right = std::max(x1, x2);
  int top = std::min(y1, y2), bottom = std::max(y1, y2);
  if (right - left < 20 || bottom - top < 20) return false;
  zoom.low = view.FrequencyAt(left);
  // The bin under the right edge is inside: the range ends one bin above it.
  zoom.high = view.FrequencyAt(right) + static_cast<double>(kSampleRate) / view.n;
  zoom.top = view.LevelAt(top);
  zoom.bottom = view.LevelAt(bottom);
  return true;
}

std::string SpectrumReadout(const SpectrumView& view, int x, int y) {
  return FormatNumber(view.FrequencyAt(x), "0") + " (Hz),  " + FormatNumber(view.LevelAt(y), "0") +
         " (dB),  Res: " + FormatNumber(static_cast<double>(kSampleRate) / view.n, ".0") + " (Hz)";
}

TimeView MakeTimeView(std::int32_t n, int width, int height) {
  TimeView v;
  v.n = std::max(n, 1);
  v.width = width;
  v.height = height;
  v.scaleX = static_cast<double>(width - 1) / v.n;
  v.scaleY = height / 32768.0;
  v.zeroY = height / 2.0;
  return v;
}

std::string TimeReadout(const TimeView& view, int x, int y) {
  return FormatNumber(x / view.scaleX / kSampleRate, ".000") + " (Sec),  " +
         FormatNumber((y - view.zeroY) / view.scaleY, "0") + " (A/D)";
}

}  // namespace velmora
