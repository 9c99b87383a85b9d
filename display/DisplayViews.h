#pragma once
// Where the spectrum display shows what: the frequency range by range mode,
// snapped to bins and kept inside the spectrum, the levels, and the mapping
// between bins, levels and pixels.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>

#include "common/SampleFormat.h"

namespace velmora {

// A view's coordinate as the pixel it falls on.
inline int PixelOf(double v) { return static_cast<int>(std::lround(v)); }

struct Zoom {
  double low = 0, high = 0;     // Hz
  double top = 0, bottom = 0;   // dB; top = 0 keeps the default levels
};

struct SpectrumView {
  std::int32_t n = 0;           // transform length
  std::int32_t firstBin = 0;
  std::int32_t binCount = 1;    // never below 1
  double displayLow = 0, displayHigh = 0;
  double levelTop = 100, levelBottom = 20;
  double pixelsPerBin = 1, pixelsPerDb = 1;
  int width = 0, height = 0;

  // Pixel x of bin b (the trace puts bin FirstBin + j - 1 at PixelsPerBin * j).
  double XOfBin(double bin) const { return pixelsPerBin * (bin - firstBin + 1); }
  double XOfFrequency(double hz) const { return XOfBin(hz * n / kSampleRate); }
  double YOfLevel(double db) const { return height - (db - levelBottom) * pixelsPerDb; }
  // The frequency and level under a pixel: the frequency as the trace and
  // the labels put it there (XOfBin), never below 0 Hz.
  double FrequencyAt(double x) const {
    return std::max(0.0, (x / pixelsPerBin + firstBin - 1) * kSampleRate / n);
  }
  double LevelAt(double y) const { return (height - y) / pixelsPerDb + levelBottom; }
};

// The range rule: 0 full, 1 half (up to 2756.25 Hz), 2 quarter around the
// centre frequency, 3 the zoom. wwvTop raises the top level to 110 dB.
SpectrumView MakeSpectrumView(std::int16_t fftRange, double centerFrequency, const Zoom& zoom, std::int32_t n,
                              int width, int height, bool wwvTop);

// " - Quarter", " - Zoomed" or nothing.
const char* RangeSuffix(std::int16_t fftRange);

// The zoom a dragged rectangle asks for, or false when it is smaller than
// 20 units either way.
bool ZoomFromDrag(const SpectrumView& view, int x1, int y1, int x2, int y2, Zoom& zoom);

// Status panel 2 texts under the mouse.
std::string SpectrumReadout(const SpectrumView& view, int x, int y);

struct TimeView {
  std::int32_t n = 0;
  double scaleX = 1, scaleY = 1, zeroY = 0;
  int width = 0, height = 0;
};
TimeView MakeTimeView(std::int32_t n, int width, int height);
// The time and the sample value drawn at the point: larger values lie lower.
std::string TimeReadout(const TimeView& view, int x, int y);

}  // namespace velmora
