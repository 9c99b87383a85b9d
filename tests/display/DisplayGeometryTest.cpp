// The displays' geometry: the spectrum's views and zoom, the caption, the
// time trace's strokes, the grids and markers; and the numbers on the axes,
// each where the thing it names is drawn, following range and zoom, none
// touching another.
#include <gtest/gtest.h>

#include <cmath>
#include <tuple>
#include <vector>

#include "common/TextParse.h"
#include "display/AxisLabels.h"
#include "display/Caption.h"
#include "display/DisplayDrawing.h"
#include "display/DisplayViews.h"

namespace velmora {
namespace {

struct Stroke { bool move; int x, y; };

class RecordingCanvas final : public Canvas {
 public:
  std::vector<Stroke> strokes;
  std::vector<DisplayPen> pens;
  void SelectPen(DisplayPen pen) override { pens.push_back(pen); }
  void MoveTo(int x, int y) override { strokes.push_back({true, x, y}); }
  void LineTo(int x, int y) override { strokes.push_back({false, x, y}); }
  void Label(int, int, std::string_view) override {}
  TextBox Measure(std::string_view text) const override { return {6 * static_cast<int>(text.size()), 13}; }
};

TEST(SpectrumView, EachRangeShowsItsBinsInsideTheSpectrum) {
  struct Case { const char* name; std::int16_t range; double centre; Zoom zoom; std::int32_t n; bool wwv;
                std::int32_t firstBin, binCount, levelTop; };
  const Case cases[] = {
      {"quarter around the centre, snapped to bins", 2, 1700, {}, 2048, false, 252, 128, 100},
      {"full", 0, 1700, {}, 2048, false, 0, 1024, 100},
      {"half; WWV raises the top", 1, 1700, {}, 2048, true, 0, 512, 110},
      {"quarter near the top edge", 2, 5500, {}, 2048, false, 896, 128, 100},
      {"quarter near the bottom edge", 2, 100, {}, 2048, false, 0, 128, 100},
      {"a wild zoom, no level span", 3, 1700, Zoom{-9000, 90000, 0, 0}, 256, false, 0, 128, 100},
      {"a narrow zoom still shows one bin", 3, 1700, Zoom{1500, 1500.5, 60, 40}, 2048, false, 279, 1, 60},
      {"zoomed without a zoom shows the half range", 3, 1700, Zoom{}, 2048, false, 0, 512, 100},
  };
  for (const auto& c : cases) {
    auto v = MakeSpectrumView(c.range, c.centre, c.zoom, c.n, 800, 400, c.wwv);
    EXPECT_EQ(v.firstBin, c.firstBin) << c.name;
    EXPECT_EQ(v.binCount, c.binCount) << c.name;
    EXPECT_EQ(v.levelTop, c.levelTop) << c.name;
  }
}

TEST(SpectrumView, DragsUnder20UnitsDoNotZoom) {
  auto v = MakeSpectrumView(0, 1700, {}, 2048, 1024, 400, false);
  Zoom zoom;
  EXPECT_FALSE(ZoomFromDrag(v, 100, 100, 119, 300, zoom));
  EXPECT_FALSE(ZoomFromDrag(v, 100, 100, 300, 119, zoom));
  ASSERT_TRUE(ZoomFromDrag(v, 400, 300, 200, 100, zoom)) << "corners in any order";
  EXPECT_NEAR(zoom.top, 80, 1e-9);
  EXPECT_NEAR(zoom.bottom, 40, 1e-9);
  auto zoomed = MakeSpectrumView(3, 1700, zoom, 2048, 1024, 400, false);
  EXPECT_EQ(zoomed.firstBin, 200);
  EXPECT_EQ(zoomed.binCount, 200);
}

// The range suffixes alone are seen on the real main window.
TEST(Caption, ARecordingComesBeforeTheRange) {
  EXPECT_EQ(MainCaption(true, 2), "Velmora - Recording - Quarter");
}

TEST(PlotPoint, ColumnsOfManyPointsBecomeOneStrokeEach) {
  RecordingCanvas canvas;
  auto view = MakeTimeView(32768, 101, 200);  // 327 samples per column
  std::vector<std::int16_t> samples(32768);
  for (size_t i = 0; i < samples.size(); ++i) samples[i] = static_cast<std::int16_t>(8000 * std::sin(i * 0.05));
  DrawTimeTrace(canvas, view, samples);
  EXPECT_LE(canvas.strokes.size(), 2u * 101 + 2) << "proportional to the width, not to N";
  EXPECT_TRUE(canvas.strokes.front().move);
  // Every column's stroke spans the whole swing of the sine inside it.
  int tallest = 0;
  for (size_t i = 1; i < canvas.strokes.size(); ++i)
    if (canvas.strokes[i].x == canvas.strokes[i - 1].x)
      tallest = std::max(tallest, std::abs(canvas.strokes[i].y - canvas.strokes[i - 1].y));
  EXPECT_GE(tallest, 95);
}

TEST(PlotPoint, FewPointsAreJoinedByLines) {
  RecordingCanvas canvas;
  auto view = MakeTimeView(4, 101, 200);
  std::vector<std::int16_t> samples{0, 16384, -16384, 0};
  DrawTimeTrace(canvas, view, samples);
  ASSERT_EQ(canvas.strokes.size(), 4u);
  EXPECT_EQ(canvas.strokes[1].x, 50);
  EXPECT_EQ(canvas.strokes[1].y, 200);  // larger values are drawn lower
  EXPECT_EQ(canvas.strokes[2].y, 0);
  // The read-out gives the value drawn under the pointer, as the grid's labels do.
  EXPECT_EQ(TimeReadout(view, 50, 200), ".000 (Sec),  16384 (A/D)");
  EXPECT_EQ(TimeReadout(view, 75, 0), ".000 (Sec),  -16384 (A/D)");
}

TEST(Grids, TenDecibelLinesAndThreeTimeLines) {
  RecordingCanvas canvas;
  DrawSpectrumGrid(canvas, MakeSpectrumView(1, 1700, {}, 2048, 800, 400, false));
  ASSERT_EQ(canvas.strokes.size(), 14u) << "90 down to 30 dB";
  EXPECT_EQ(canvas.strokes[0].y, 50);
  EXPECT_EQ(canvas.strokes[12].y, 350);
  RecordingCanvas time;
  DrawTimeGrid(time, MakeTimeView(2048, 800, 300));
  ASSERT_EQ(time.strokes.size(), 6u);
  EXPECT_EQ(time.strokes[0].y, 75);
  EXPECT_EQ(time.strokes[4].y, 225);
  // A marker at its tone (bin 297 of 1024 across 1024 pixels), from twenty dB above to twenty below.
  RecordingCanvas marker;
  DrawSpectrumMarker(marker, MakeSpectrumView(0, 1700, {}, 2048, 1024, 400, false), 1600, 80, 40);
  ASSERT_EQ(marker.strokes.size(), 2u);
  EXPECT_EQ(marker.pens.back(), DisplayPen::Marker);
  EXPECT_EQ(std::tuple(marker.strokes[0].x, marker.strokes[0].y, marker.strokes[1].y), std::tuple(298, 100, 300));
}

const RecordingCanvas kMeasure{};  // its text measure: about the dialog font

double Number(const std::string& text) { return ParseLeadingNumber(text).value_or(-1); }

// Inside the picture, in order, and clear of the one before.
void ExpectApart(const std::vector<AxisLabel>& labels, int width, int height, const std::string& name) {
  for (std::size_t i = 0; i < labels.size(); ++i) {
    const AxisLabel& l = labels[i];
    const TextBox box = kMeasure.Measure(l.text);
    EXPECT_TRUE(l.x >= 0 && l.y >= 0 && l.x + box.width <= width && l.y + box.height <= height) << name << l.text;
    if (i > 0) {
      EXPECT_TRUE(labels[i - 1].x + kMeasure.Measure(labels[i - 1].text).width < l.x ||
                  labels[i - 1].y + box.height < l.y)
          << name << ": " << l.text;
    }
  }
}

TEST(AxisLabels, FrequenciesAtRoundStepsWhereTheMarkersPutThem) {
  const struct { const char* name; std::int16_t range; Zoom zoom; std::int32_t n; int width; double step; } cases[] = {
      {"full", 0, {}, 2048, 1000, 500}, {"full, narrow window", 0, {}, 2048, 300, 1000},
      {"quarter", 2, {}, 2048, 1000, 50}, {"zoomed to 300 Hz", 3, {1400, 1700, 80, 40}, 8192, 1000, 20},
      {"zoomed to one bin", 3, {1500, 1501, 0, 0}, 32768, 800, 1},
  };
  for (const auto& c : cases) {
    const SpectrumView view = MakeSpectrumView(c.range, 1700, c.zoom, c.n, c.width, 400, false);
    EXPECT_EQ(FrequencyStep(view, kMeasure), c.step) << c.name;
    const auto labels = FrequencyLabels(view, kMeasure);
    if (c.step > 1) { EXPECT_GE(labels.size(), 2u) << c.name; }
    for (const AxisLabel& l : labels) {
      EXPECT_EQ(std::fmod(Number(l.text), c.step), 0) << c.name << ": " << l.text;
      EXPECT_EQ(l.line, std::lround(view.XOfFrequency(Number(l.text)))) << c.name << ": " << l.text;
    }
    ExpectApart(labels, c.width, 400, c.name);
  }
}

TEST(AxisLabels, LevelsSamplesAndAgesAtTheirLinesAsRoomAllows) {
  const SpectrumView full = MakeSpectrumView(0, 1700, {}, 2048, 800, 400, false);
  const SpectrumView low = MakeSpectrumView(0, 1700, {}, 2048, 800, 100, false);
  const SpectrumView zoomed = MakeSpectrumView(3, 1700, {1000, 2000, 73, 43}, 2048, 800, 400, false);
  const struct { const char* name; std::vector<AxisLabel> labels; int height; std::vector<std::string> texts; }
  cases[] = {
      {"levels", LevelLabels(full, kMeasure, 15), 400, {"90 dB", "80 dB", "70 dB", "60 dB", "50 dB", "40 dB", "30 dB"}},
      {"levels on a low picture", LevelLabels(low, kMeasure, 15), 85, {"80 dB", "60 dB", "40 dB"}},
      {"zoomed levels", LevelLabels(zoomed, kMeasure, 15), 385, {"63 dB", "53 dB"}},
      {"samples, larger values lower", SampleLabels(MakeTimeView(2048, 800, 200), kMeasure), 200,
       {"-8192", "0", "8192"}},
      {"samples on a low picture", SampleLabels(MakeTimeView(2048, 800, 40), kMeasure), 40, {"0"}},
      {"ages at 2048", AgeLabels(2048 / 11025.0, 200, kMeasure), 200, {"10 s", "20 s", "30 s"}},
      {"ages at 32768", AgeLabels(32768 / 11025.0, 130, kMeasure), 130, {"2 min", "4 min", "6 min"}},
  };
  for (const auto& c : cases) {
    std::vector<std::string> texts;
    for (const AxisLabel& l : c.labels) texts.push_back(l.text);
    EXPECT_EQ(texts, c.texts) << c.name;
    ExpectApart(c.labels, 800, c.height, c.name);
  }
  for (const AxisLabel& l : LevelLabels(zoomed, kMeasure, 15))
    EXPECT_EQ(l.line, std::lround(zoomed.YOfLevel(Number(l.text)))) << "just below its text: " << l.text;
}

}  // namespace
}  // namespace velmora
