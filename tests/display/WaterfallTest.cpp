// The waterfall: its bounded history, its picture brought up to date row by
// row exactly as a whole redraw would draw it, its columns under the
// spectrum's bins, its colours and the verdict strip.
#include <gtest/gtest.h>

#include <vector>

#include "analysis/Bins.h"
#include "display/WaterfallImage.h"

namespace velmora {
namespace {

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
    EXPECT_FLOAT_EQ(h.Level(0, 1499 % c.bins), 50 + 1499 % 40) << "newest first";
    EXPECT_EQ(h.Kind(0), KindFor(1499));
    const std::size_t oldest = c.capacity - 1;
    EXPECT_FLOAT_EQ(h.Level(oldest, (1499 - oldest) % c.bins), 50 + (1499 - oldest) % 40);
  }
  WaterfallHistory h;
  h.Add(Line(1024, 3), VerdictKind::Busy);
  const auto generation = h.Generation();
  h.Add(Line(4096, 3), VerdictKind::Free);
  EXPECT_EQ(h.Count(), 1u) << "another sample size starts afresh";
  EXPECT_NE(h.Generation(), generation);
  EXPECT_EQ(KindOf({.valid = false, .busy = true}), VerdictKind::NoInput);
  EXPECT_EQ(KindOf({.busy = true, .noise = true}), VerdictKind::Busy);
  EXPECT_EQ(KindOf({.noise = true}), VerdictKind::Noise);
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

TEST(WaterfallImage, ColumnsStandUnderTheSpectrumsBinsAndTheStripShowsTheVerdicts) {
  const struct { const char* name; std::int16_t range; Zoom zoom; std::int32_t n; double hz; } cases[] = {
      {"full, many bins a column", 0, {}, 8192, 1700}, {"quarter, several columns a bin", 2, {}, 2048, 1650},
      {"zoomed", 3, {1400, 1700, 0, 0}, 4096, 1500},
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
    for (int y = 0; y < 4; ++y)
      EXPECT_EQ(image.Row(y)[399], VerdictColour(KindFor(3 - y), true)) << c.name << " row " << y;
    EXPECT_EQ(image.Row(4)[399], WaterfallBackground(true)) << "no buffer yet";
  }
}

TEST(WaterfallColours, StrengthReadsAsBrightnessAndTheVerdictsDiffer) {
  for (int i = 1; i < 256; ++i) {
    EXPECT_GE(Brightness(LevelColour(i, true)), Brightness(LevelColour(i - 1, true))) << i;
    EXPECT_LT(Brightness(LevelColour(i, false)), Brightness(LevelColour(i - 1, false))) << "ink: " << i;
  }
  for (bool colour : {true, false})
    for (int a = 0; a < 4; ++a)
      for (int b = 0; b < a; ++b)
        EXPECT_NE(VerdictColour(VerdictKind(a), colour), VerdictColour(VerdictKind(b), colour)) << colour;
}

}  // namespace
}  // namespace velmora
