// The numbers on the displays' axes: each stands where the thing it names
// is drawn, follows range and zoom, and none touches another.
#include "display/AxisLabels.h"

#include <gtest/gtest.h>

#include <cmath>

#include "common/TextParse.h"

namespace velmora {
namespace {

class FixedMeasure final : public TextMeasure {  // about the dialog font
 public:
  TextBox Measure(std::string_view text) const override { return {6 * static_cast<int>(text.size()), 13}; }
};
const FixedMeasure kMeasure;

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
