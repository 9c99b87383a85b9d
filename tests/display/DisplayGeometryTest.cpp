// The displays' geometry: the spectrum's views and zoom, the numbers on
// the axes, each where the thing it names is drawn, following
// range and zoom, none touching another; and the waterfall: its bounded
// history, its picture brought up to date row by row exactly as a whole
// redraw would draw it, and its columns under the spectrum's bins.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "analysis/Bins.h"
#include "common/TextParse.h"
#include "display/AxisLabels.h"
#include "display/DisplayDrawing.h"
#include "display/DisplayViews.h"
#include "display/WaterfallImage.h"

namespace velmora {
namespace {

// Measures text about as the dialog font does.
class MeasuringCanvas final : public Canvas {
 public:
  void SelectPen(DisplayPen) override {}
  void MoveTo(int, int) override {}
  void LineTo(int, int) override {}
  void Label(int, int, std::string_view) override {}
  TextBox Measure(std::string_view text) const override { return {6 * static_cast<int>(text.size()), 13}; }
};

TEST(SpectrumView, EachRangeShowsItsBinsInsideTheSpectrum) {
  struct Case { const char* name; std::int16_t range; double centre; Zoom zoom; std::int32_t n; bool wwv;
                std::int32_t firstBin, binCount, levelTop; };
  const Case cases[] = {
      {"quarter around the centre, snapped to bins", 2, 1700, {}, 2048, false, 252, 128, 100},
      {"half; WWV raises the top", 1, 1700, {}, 2048, true, 0, 512, 110},
      {"quarter near the top edge", 2, 5500, {}, 2048, false, 896, 128, 100},
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

// The pointer on the point the trace draws for a bin reads that bin's
// frequency, as the frequency labels name it; none reads below 0 Hz.
TEST(SpectrumView, TheReadoutNamesTheFrequencyDrawnUnderThePointer) {
  // bin -1: the picture's left edge, left of bin 0's point.
  const struct { std::int16_t range; std::int32_t n, bin; const char* readout; } cases[] = {
      {0, 256, 35, "1507 (Hz),  60 (dB),  Res: 43.1 (Hz)"}, {2, 2048, 279, "1502 (Hz),  60 (dB),  Res: 5.4 (Hz)"},
      {0, 256, -1, "0 (Hz),  60 (dB),  Res: 43.1 (Hz)"},
  };
  for (const auto& c : cases) {
    const SpectrumView view = MakeSpectrumView(c.range, 1700, {}, c.n, 800, 400, false);
    const int x = c.bin < 0 ? 0 : static_cast<int>(std::lround(view.XOfBin(c.bin)));
    EXPECT_EQ(SpectrumReadout(view, x, 200), c.readout) << c.bin;
  }
}

// A drag from the point of one bin to that of another zooms to those bins, both ends kept.
TEST(SpectrumView, ADragZoomsToTheBinsInsideIt) {
  const SpectrumView view = MakeSpectrumView(0, 1700, {}, 256, 800, 400, false);
  Zoom zoom;
  ASSERT_TRUE(ZoomFromDrag(view, std::lround(view.XOfBin(40)), 100, std::lround(view.XOfBin(30)), 300, zoom));
  const SpectrumView zoomed = MakeSpectrumView(3, 1700, zoom, 256, 800, 400, false);
  EXPECT_EQ(zoomed.firstBin, 30);
  EXPECT_EQ(zoomed.binCount, 11);
  EXPECT_FALSE(ZoomFromDrag(view, 100, 100, 119, 300, zoom)) << "narrower than 20";
}

const MeasuringCanvas kMeasure{};

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

// Which levels, samples and ages are labelled as room allows is left to the
// eye: the level labels are read on the real window (PlotLabelsTest).
TEST(AxisLabels, FrequenciesAtRoundStepsAndLevelsWhereTheMarkersPutThem) {
  const struct { const char* name; std::int16_t range; Zoom zoom; std::int32_t n; int width; double step; } cases[] = {
      {"full, narrow window", 0, {}, 2048, 300, 1000}, {"zoomed to 300 Hz", 3, {1400, 1700, 80, 40}, 8192, 1000, 20},
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
  const SpectrumView zoomed = MakeSpectrumView(3, 1700, {1000, 2000, 73, 43}, 2048, 800, 400, false);
  const auto levels = LevelLabels(zoomed, kMeasure, 15);
  EXPECT_GE(levels.size(), 2u);
  for (const AxisLabel& l : levels)
    EXPECT_EQ(l.line, std::lround(zoomed.YOfLevel(Number(l.text)))) << "just below its text: " << l.text;
  ExpectApart(levels, 800, 400, "levels");
}

// A line quiet at 30 dB with one strong bin.
std::vector<float> Line(std::int32_t bins, std::int32_t strongBin, float strong = 90) {
  std::vector<float> line(static_cast<std::size_t>(bins), 30);
  line[static_cast<std::size_t>(strongBin)] = strong;
  return line;
}

VerdictKind KindFor(int i) { return static_cast<VerdictKind>(i % 4); }

int Brightness(Rgb c) { return (c >> 16 & 255) + (c >> 8 & 255) + (c & 255); }

TEST(WaterfallHistory, KeepsTheNewestLinesWithinItsBound) {
  const struct { std::int32_t bins; std::size_t capacity; } cases[] = {{128, 1024}, {1024, 1024}, {16384, 64}};
  for (const auto& c : cases) {
    WaterfallHistory h;
    for (int i = 0; i < 1500; ++i) h.Add(Line(c.bins, i % c.bins, 50 + i % 40), KindFor(i));
    EXPECT_EQ(h.Capacity(), c.capacity) << c.bins;
    EXPECT_EQ(h.Count(), c.capacity);
    EXPECT_FLOAT_EQ(h.Peak(0, 1499 % c.bins, 1499 % c.bins), 50 + 1499 % 40) << "newest first";
    EXPECT_EQ(h.Kind(0), KindFor(1499));
    const std::size_t oldest = c.capacity - 1;
    const auto oldestBin = static_cast<std::int32_t>((1499 - oldest) % c.bins);
    EXPECT_FLOAT_EQ(h.Peak(oldest, oldestBin, oldestBin), 50 + (1499 - oldest) % 40);
  }
  WaterfallHistory h;
  h.Add(Line(1024, 3), VerdictKind::Busy);
  const auto generation = h.Generation();
  h.Add(Line(4096, 3), VerdictKind::Free);
  EXPECT_EQ(h.Count(), 1u) << "another sample size starts afresh";
  EXPECT_NE(h.Generation(), generation);
}

void ExpectSamePicture(const WaterfallImage& a, const WaterfallImage& b, const std::string& when) {
  ASSERT_EQ(a.Width(), b.Width()) << when;
  ASSERT_EQ(a.Height(), b.Height()) << when;
  for (int y = 0; y < a.Height(); ++y)
    ASSERT_TRUE(std::equal(a.Row(y), a.Row(y) + a.Width(), b.Row(y))) << when << ", row " << y;
}

// Row by row as the buffers come, through the ring's wrap and past the
// history's own bound, the picture is what a whole redraw gives.
TEST(WaterfallImage, ANewBufferCostsOneRowAndDrawsWhatAWholeRedrawWould) {
  for (std::int32_t n : {2048, 32768}) {
    const SpectrumView view = MakeSpectrumView(1, 1700, {}, n, 300, 100, false);
    WaterfallHistory history;
    WaterfallImage running;
    for (int i = 0; i < 260; ++i) {
      history.Add(Line(n / 2, (i * 7) % (n / 4), 40 + i % 50), KindFor(i));
      running.Update(history, view, 100, true);
      if (i % 37 == 0 || i == 259) {
        WaterfallImage whole;
        whole.Update(history, view, 100, true);
        ExpectSamePicture(running, whole, "n " + std::to_string(n) + ", buffer " + std::to_string(i));
      }
    }
    EXPECT_EQ(running.FullDraws(), 1u) << n;
    EXPECT_EQ(running.RowDraws(), 259u) << n;
    // Anything else drawn anew: a resize, another range, black and white.
    running.Update(history, MakeSpectrumView(1, 1700, {}, n, 200, 60, false), 60, true);
    running.Update(history, MakeSpectrumView(0, 1700, {}, n, 200, 60, false), 60, true);
    running.Update(history, MakeSpectrumView(0, 1700, {}, n, 200, 60, false), 60, false);
    EXPECT_EQ(running.FullDraws(), 4u);
    WaterfallImage whole;
    whole.Update(history, MakeSpectrumView(0, 1700, {}, n, 200, 60, false), 60, false);
    ExpectSamePicture(running, whole, "after the changes");
  }
}

TEST(WaterfallImage, ColumnsStandUnderTheSpectrumsBins) {
  const struct { const char* name; std::int16_t range; Zoom zoom; std::int32_t n; double hz; } cases[] = {
      {"full, many bins a column", 0, {}, 8192, 1700}, {"quarter, several columns a bin", 2, {}, 2048, 1650},
  };
  for (const auto& c : cases) {
    const SpectrumView view = MakeSpectrumView(c.range, 1700, c.zoom, c.n, 400, 50, false);
    const std::int32_t bin = BinOf(c.hz, c.n);
    WaterfallHistory history;
    for (int i = 0; i < 4; ++i) history.Add(Line(c.n / 2, bin), KindFor(i));
    WaterfallImage image;
    image.Update(history, view, 50, true);
    const Rgb* row = image.Row(0);
    int brightest = 0;
    for (int x = 1; x < 400 - kVerdictStripWidth - 1; ++x)
      if (Brightness(row[x]) > Brightness(row[brightest])) brightest = x;
    EXPECT_NEAR(brightest, view.XOfBin(bin), std::max(1.0, view.pixelsPerBin / 2)) << c.name;
  }
}

}  // namespace
}  // namespace velmora
