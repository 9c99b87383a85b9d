#pragma once
// Where the numbers on the displays' axes go: frequencies in Hz along the
// bottom of the spectrum at round steps, its levels in dB at the grid lines,
// the time trace's sample values at its grid lines, and how long ago each
// stretch of the waterfall was. They lie inside the pictures, so the
// drawing area keeps its scale, and never on top of one another: labels that
// would touch are left out.
#include <string>
#include <string_view>
#include <vector>

#include "display/DisplayViews.h"

namespace velmora {

struct TextBox {
  int width = 0, height = 0;
};

class TextMeasure {
 public:
  virtual ~TextMeasure() = default;
  virtual TextBox Measure(std::string_view text) const = 0;
};

struct AxisLabel {
  int line = 0;  // the x (frequencies) or y (levels, samples, times) the label belongs to
  int x = 0, y = 0;  // top left of the text
  std::string text;
};

// The step of the frequency labels: 1, 2 or 5 times a power of ten Hz, the
// finest whose labels keep clear of each other.
double FrequencyStep(const SpectrumView& view, const TextMeasure& measure);
// Every multiple of the step on the display (their grid lines), and the
// labels of those whose text fits inside the picture.
std::vector<int> FrequencyLines(const SpectrumView& view, double step);
std::vector<AxisLabel> FrequencyLabels(const SpectrumView& view, const TextMeasure& measure);

// Above each level grid line, keeping clear of the frequency labels' strip
// at the bottom (reservedBottom pixels).
std::vector<AxisLabel> LevelLabels(const SpectrumView& view, const TextMeasure& measure, int reservedBottom);

std::vector<AxisLabel> SampleLabels(const TimeView& view, const TextMeasure& measure);

// "10 s", "1 min" ... at the rows of the waterfall that many seconds old.
std::vector<AxisLabel> AgeLabels(double secondsPerRow, int height, const TextMeasure& measure);

}  // namespace velmora
