// The numbers on the displays' axes: where they stand for each range and
// zoom, that each stands at the place it names, and that none touches another.
#include "display/AxisLabels.h"

#include <gtest/gtest.h>

#include <cmath>

#include "common/Format.h"
#include "common/TextParse.h"

namespace velmora {
namespace {

// Six pixels a character, thirteen a line: about the dialog font.
class FixedMeasure final : public TextMeasure {
 public:
  TextBox Measure(std::string_view text) const override { return {6 * static_cast<int>(text.size()), 13}; }
};

double Number(const std::string& text) { return ParseLeadingNumber(text).value_or(-1); }

bool Overlap(const AxisLabel& a, const AxisLabel& b, const TextMeasure& m) {
  const TextBox ba = m.Measure(a.text), bb = m.Measure(b.text);
  return a.x < b.x + bb.width && b.x < a.x + ba.width && a.y < b.y + bb.height && b.y < a.y + ba.height;
}

TEST(FrequencyLabels, FollowRangeAndZoomAtRoundStepsWhereTheyName) {
  const struct {
    const char* name;
    std::int16_t range;
    Zoom zoom;
    std::int32_t n;
    int width;
    double step;
  } cases[] = {
      {"full", 0, {}, 2048, 1000, 500},
      {"full, narrow window", 0, {}, 2048, 300, 1000},
      {"half", 1, {}, 2048, 1000, 200},
      {"quarter", 2, {}, 2048, 1000, 50},
      {"zoomed to 300 Hz", 3, {1400, 1700, 80, 40}, 8192, 1000, 20},
      {"zoomed to one bin", 3, {1500, 1501, 0, 0}, 32768, 800, 1},
  };
  const FixedMeasure measure;
  for (const auto& c : cases) {
    const SpectrumView view = MakeSpectrumView(c.range, 1700, c.zoom, c.n, c.width, 400, false);
    EXPECT_EQ(FrequencyStep(view, measure), c.step) << c.name;
    const auto labels = FrequencyLabels(view, measure);
    if (c.step > 1) EXPECT_GE(labels.size(), 2u) << c.name;
    for (std::size_t i = 0; i < labels.size(); ++i) {
      const AxisLabel& l = labels[i];
      const double hz = Number(l.text);
      EXPECT_EQ(l.text, FormatNumber(hz, "0") + " Hz") << c.name;
      EXPECT_EQ(std::fmod(hz, c.step), 0) << c.name << ": " << l.text;
      EXPECT_EQ(l.line, std::lround(view.XOfFrequency(hz))) << c.name << ": where the markers put " << l.text;
      EXPECT_GE(l.x, 0) << c.name;
      EXPECT_LE(l.x + measure.Measure(l.text).width, c.width) << c.name;
      if (i > 0) EXPECT_FALSE(Overlap(labels[i - 1], l, measure)) << c.name << ": " << l.text;
    }
  }
}

TEST(LevelLabels, AtTheGridLinesClearOfEachOtherAndOfTheFrequencies) {
  const FixedMeasure measure;
  const struct {
    const char* name;
    Zoom zoom;
    int height;
    std::size_t count;
  } cases[] = {
      {"every grid line", {}, 400, 7},
      {"every other one on a low picture", {}, 100, 3},
      {"zoomed levels", {1000, 2000, 73, 43}, 400, 2},
  };
  for (const auto& c : cases) {
    const SpectrumView view = MakeSpectrumView(c.zoom.low ? 3 : 0, 1700, c.zoom, 2048, 800, c.height, false);
    const auto labels = LevelLabels(view, measure, 15);
    EXPECT_EQ(labels.size(), c.count) << c.name;
    for (std::size_t i = 0; i < labels.size(); ++i) {
      const double db = Number(labels[i].text);
      EXPECT_EQ(labels[i].line, std::lround(view.YOfLevel(db))) << c.name << ": " << labels[i].text;
      EXPECT_EQ(labels[i].y + 13 + 1, labels[i].line) << "just above its line";
      EXPECT_LE(labels[i].y + 13, c.height - 15) << c.name;
      if (i > 0) EXPECT_FALSE(Overlap(labels[i - 1], labels[i], measure)) << c.name;
    }
  }
  // The zoom's levels are not multiples of ten: the labels say what the lines are.
  const auto zoomed = LevelLabels(MakeSpectrumView(3, 1700, {1000, 2000, 73, 43}, 2048, 800, 400, false), measure, 15);
  EXPECT_EQ(zoomed.front().text, "63 dB");
}

TEST(SampleLabels, NameTheTracesGridLinesLargerValuesLower) {
  const FixedMeasure measure;
  const auto labels = SampleLabels(MakeTimeView(2048, 800, 200), measure);
  ASSERT_EQ(labels.size(), 3u);
  EXPECT_EQ(labels[0].text, "-8192");
  EXPECT_EQ(labels[0].line, 50);
  EXPECT_EQ(labels[2].text, "8192");
  EXPECT_EQ(labels[2].line, 150);
  EXPECT_EQ(SampleLabels(MakeTimeView(2048, 800, 40), measure).size(), 1u) << "no room for three";
}

TEST(AgeLabels, EveryFewSecondsOrMinutesByTheBufferLength) {
  const FixedMeasure measure;
  const struct {
    double secondsPerRow;
    int height;
    std::vector<std::string> texts;
  } cases[] = {
      {2048 / 11025.0, 200, {"10 s", "20 s", "30 s"}},
      {32768 / 11025.0, 300, {"2 min", "4 min", "6 min", "8 min", "10 min", "12 min", "14 min"}},
      {256 / 11025.0, 100, {"1 s", "2 s"}},
  };
  for (const auto& c : cases) {
    std::vector<std::string> texts;
    for (const AxisLabel& l : AgeLabels(c.secondsPerRow, c.height, measure)) {
      texts.push_back(l.text);
      EXPECT_GE(l.y, 0);
      EXPECT_LE(l.y + 13, c.height);
    }
    EXPECT_EQ(texts, c.texts) << c.secondsPerRow;
  }
  EXPECT_TRUE(AgeLabels(0, 200, measure).empty());
}

}  // namespace
}  // namespace velmora
