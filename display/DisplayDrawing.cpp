#include "display/DisplayDrawing.h"

#include <algorithm>
#include <cmath>

namespace velmora {
namespace {

template <typename PointAt>
void DrawPoints(Canvas& canvas, int count, bool compress, PointAt pointAt) {
  if (count <= 0) return;
  if (compress) {
    PlotPoint plot(canvas);
    for (int j = 1; j <= count; ++j) {
      auto [x, y] = pointAt(j);
      plot.Add(j, x, y);
    }
    plot.Finish();
    return;
  }
  auto [x0, y0] = pointAt(1);
  canvas.MoveTo(x0, y0);
  for (int j = 2; j <= count; ++j) {
    auto [x, y] = pointAt(j);
    canvas.LineTo(x, y);
  }
}

}  // namespace

void DrawSpectrumGrid(Canvas& canvas, const SpectrumView& view) {
  canvas.SelectPen(DisplayPen::Grid);
  for (double level = view.levelTop - 10; level >= view.levelBottom + 10 - 1e-9; level -= 10) {
    int y = PixelOf(view.YOfLevel(level));
    canvas.MoveTo(0, y);
    canvas.LineTo(view.width, y);
  }
}

void DrawSpectrumAxes(Canvas& canvas, const SpectrumView& view) {
  canvas.SelectPen(DisplayPen::Grid);
  for (int x : FrequencyLines(view, FrequencyStep(view, canvas))) {
    canvas.MoveTo(x, 0);
    canvas.LineTo(x, view.height);
  }
}

void DrawSpectrumLabels(Canvas& canvas, const SpectrumView& view) {
  const std::vector<AxisLabel> frequencies = FrequencyLabels(view, canvas);
  for (const AxisLabel& label : frequencies) canvas.Label(label.x, label.y, label.text);
  const int reserved = canvas.Measure("0 Hz").height + 2;
  for (const AxisLabel& label : LevelLabels(view, canvas, reserved)) canvas.Label(label.x, label.y, label.text);
}

void DrawSpectrumTrace(Canvas& canvas, const SpectrumView& view, const DensityOf& density) {
  canvas.SelectPen(DisplayPen::Trace);
  const std::int32_t lastBin = view.n / 2 - 1;
  DrawPoints(canvas, view.binCount, view.pixelsPerBin < 0.5, [&](int j) {
    std::int32_t bin = std::min(view.firstBin + j - 1, lastBin);
    return std::pair{PixelOf(view.pixelsPerBin * j), PixelOf(view.YOfLevel(density(bin)))};
  });
}

void DrawSpectrumMarker(Canvas& canvas, const SpectrumView& view, double frequency, double topLevel,
                        double bottomLevel) {
  canvas.SelectPen(DisplayPen::Marker);
  int x = PixelOf(view.XOfFrequency(frequency));
  canvas.MoveTo(x, PixelOf(view.YOfLevel(topLevel)));
  canvas.LineTo(x, PixelOf(view.YOfLevel(bottomLevel)));
}

void DrawSpectrumLevelLine(Canvas& canvas, const SpectrumView& view, double low, double high, double level) {
  canvas.SelectPen(DisplayPen::LevelLine);
  int y = PixelOf(view.YOfLevel(level));
  canvas.MoveTo(PixelOf(view.XOfFrequency(low)), y);
  canvas.LineTo(PixelOf(view.XOfFrequency(high)), y);
}

void DrawTimeGrid(Canvas& canvas, const TimeView& view) {
  canvas.SelectPen(DisplayPen::Grid);
  for (int value = -8192; value <= 8192; value += 8192) {
    int y = PixelOf(view.zeroY + value * view.scaleY);
    canvas.MoveTo(0, y);
    canvas.LineTo(view.width, y);
  }
}

void DrawTimeAxes(Canvas& canvas, const TimeView& view) {
  for (const AxisLabel& label : SampleLabels(view, canvas)) canvas.Label(label.x, label.y, label.text);
}

void DrawAgeLabels(Canvas& canvas, double secondsPerRow, int height) {
  canvas.SelectPen(DisplayPen::Grid);
  for (const AxisLabel& label : AgeLabels(secondsPerRow, height, canvas)) {
    canvas.MoveTo(0, label.line);
    canvas.LineTo(label.x - 1, label.line);
    canvas.Label(label.x, label.y, label.text);
  }
}

void DrawTimeTrace(Canvas& canvas, const TimeView& view, std::span<const std::int16_t> samples) {
  canvas.SelectPen(DisplayPen::Trace);
  DrawPoints(canvas, static_cast<int>(samples.size()), view.scaleX < 0.5, [&](int i) {
    return std::pair{PixelOf(view.scaleX * i), PixelOf(view.zeroY + samples[i - 1] * view.scaleY)};
  });
}

void DrawTimeMarker(Canvas& canvas, const TimeView& view, long position, bool halfHeight) {
  canvas.SelectPen(DisplayPen::Marker);
  int x = PixelOf(view.scaleX * position);
  if (x < 0 || x > view.width) return;
  int top = halfHeight ? PixelOf(view.height / 4.0) : 0;
  int bottom = halfHeight ? PixelOf(view.height * 3 / 4.0) : view.height;
  canvas.MoveTo(x, top);
  canvas.LineTo(x, bottom);
}

void DrawTimeCurve(Canvas& canvas, const TimeView& view, std::span<const float> values) {
  DrawPoints(canvas, static_cast<int>(values.size()), view.scaleX < 0.5, [&](int i) {
    return std::pair{PixelOf(view.scaleX * i), PixelOf(view.zeroY + values[i - 1] * view.scaleY)};
  });
}

void DrawRubberBand(Canvas& canvas, int x1, int y1, int x2, int y2) {
  canvas.SelectPen(DisplayPen::Marker);
  canvas.MoveTo(x1, y1);
  canvas.LineTo(x2, y1);
  canvas.LineTo(x2, y2);
  canvas.LineTo(x1, y2);
  canvas.LineTo(x1, y1);
}

}  // namespace velmora
