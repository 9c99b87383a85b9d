#pragma once
// What the two displays draw, as strokes on a canvas: the grids, the
// traces, markers and curves. The canvas is GDI in the program and a
// recorder in the tests.
#include <cstdint>
#include <functional>
#include <span>

#include "display/AxisLabels.h"
#include "display/DisplayViews.h"
#include "display/PlotPoint.h"

namespace velmora {

enum class DisplayPen {
  Trace,      // solid black (monochrome) or the trace colour
  Grid,       // dotted grey
  Marker,     // the marker pen, red in colour
  LevelLine,  // the peak-noise level: yellow in colour
  SlowCurve,  // green in colour (the burst detector's slow envelope, the pulse filter)
};

class Canvas : public LineSink, public TextMeasure {
 public:
  virtual void SelectPen(DisplayPen pen) = 0;
  // Small text with its top left at (x, y), in the labels' colour.
  virtual void Label(int x, int y, std::string_view text) = 0;
};

// Densities in dB by bin (0 .. n/2 - 1) of the buffer in hand.
using DensityOf = std::function<float(std::int32_t bin)>;

void DrawSpectrumGrid(Canvas& canvas, const SpectrumView& view);
// The frequency grid lines.
void DrawSpectrumAxes(Canvas& canvas, const SpectrumView& view);
// The frequency and level labels, drawn last, over the trace and markers.
void DrawSpectrumLabels(Canvas& canvas, const SpectrumView& view);
void DrawSpectrumTrace(Canvas& canvas, const SpectrumView& view, const DensityOf& density);
void DrawSpectrumMarker(Canvas& canvas, const SpectrumView& view, double frequency, double topLevel,
                        double bottomLevel);
void DrawSpectrumLevelLine(Canvas& canvas, const SpectrumView& view, double low, double high, double level);

void DrawTimeGrid(Canvas& canvas, const TimeView& view);
void DrawTimeAxes(Canvas& canvas, const TimeView& view);
// How long ago each stretch of the waterfall was: a tick and its label.
void DrawAgeLabels(Canvas& canvas, double secondsPerRow, int height);
void DrawTimeTrace(Canvas& canvas, const TimeView& view, std::span<const std::int16_t> samples);
// A vertical marker at a sample position (1-based); tall = half the height.
void DrawTimeMarker(Canvas& canvas, const TimeView& view, long position, bool halfHeight);
// One value (in sample units) per sample, drawn point by point.
void DrawTimeCurve(Canvas& canvas, const TimeView& view, std::span<const float> values);

// The rubber band of a drag on the spectrum.
void DrawRubberBand(Canvas& canvas, int x1, int y1, int x2, int y2);

}  // namespace velmora
