#include "display/AxisLabels.h"

#include <cmath>

#include "common/Format.h"
#include "common/SampleFormat.h"

namespace velmora {
namespace {

constexpr int kGap = 12;   // pixels between neighbouring frequency labels
constexpr int kMargin = 3;  // pixels from the picture's edge

std::string Hz(double f) { return FormatNumber(f, "0") + " Hz"; }

// The multiples of the step from the display's low edge to its high edge.
template <typename Each>
void EachMultiple(const SpectrumView& view, double step, Each each) {
  const auto first = static_cast<long long>(std::ceil(view.displayLow / step));
  const auto last = static_cast<long long>(std::floor(view.displayHigh / step));
  for (long long k = first; k <= last; ++k) each(static_cast<double>(k) * step);
}

}  // namespace

double FrequencyStep(const SpectrumView& view, const TextMeasure& measure) {
  const double pixelsPerHz = view.pixelsPerBin * view.n / kSampleRate;
  const int widest = measure.Measure(Hz(std::floor(view.displayHigh))).width + kGap;
  for (double power = 1; power <= 1e4; power *= 10)
    for (double m : {1.0, 2.0, 5.0})
      if (m * power * pixelsPerHz >= widest) return m * power;
  return 1e5;  // wider than any spectrum: no label but at 0 Hz
}

std::vector<int> FrequencyLines(const SpectrumView& view, double step) {
  std::vector<int> lines;
  EachMultiple(view, step, [&](double f) {
    const int x = PixelOf(view.XOfFrequency(f));
    if (x >= 0 && x <= view.width) lines.push_back(x);
  });
  return lines;
}

std::vector<AxisLabel> FrequencyLabels(const SpectrumView& view, const TextMeasure& measure) {
  const double step = FrequencyStep(view, measure);
  std::vector<AxisLabel> labels;
  EachMultiple(view, step, [&](double f) {
    const std::string text = Hz(f);
    const TextBox box = measure.Measure(text);
    const int x = PixelOf(view.XOfFrequency(f));
    const int left = x - box.width / 2;
    if (left >= 0 && left + box.width <= view.width) labels.push_back({x, left, view.height - box.height - 1, text});
  });
  return labels;
}

std::vector<AxisLabel> LevelLabels(const SpectrumView& view, const TextMeasure& measure, int reservedBottom) {
  std::vector<AxisLabel> labels;
  int free = 0;  // the first row below the last label kept
  for (double level = view.levelTop - 10; level >= view.levelBottom + 10 - 1e-9; level -= 10) {
    const std::string text = FormatNumber(level, "0") + " dB";
    const TextBox box = measure.Measure(text);
    const int line = PixelOf(view.YOfLevel(level));
    const int top = line - box.height - 1;
    if (top < free || top + box.height > view.height - reservedBottom) continue;
    labels.push_back({line, kMargin, top, text});
    free = top + box.height + 2;
  }
  return labels;
}

std::vector<AxisLabel> SampleLabels(const TimeView& view, const TextMeasure& measure) {
  std::vector<AxisLabel> labels;
  int free = 0;
  for (int value = -8192; value <= 8192; value += 8192) {
    const std::string text = IntegerText(value);
    const TextBox box = measure.Measure(text);
    const int line = PixelOf(view.zeroY + value * view.scaleY);
    const int top = line - box.height - 1;
    if (top < free || top + box.height > view.height) continue;
    labels.push_back({line, kMargin, top, text});
    free = top + box.height + 2;
  }
  return labels;
}

std::vector<AxisLabel> AgeLabels(double secondsPerRow, int height, const TextMeasure& measure) {
  std::vector<AxisLabel> labels;
  if (!(secondsPerRow > 0)) return labels;
  const int textHeight = measure.Measure("0 s").height;
  double step = 0;
  for (double s : {1, 2, 5, 10, 15, 30, 60, 120, 300, 600})
    if (s / secondsPerRow >= 3 * textHeight) {
      step = s;
      break;
    }
  if (step == 0) return labels;
  for (double t = step;; t += step) {
    const int line = PixelOf(t / secondsPerRow);
    if (line >= height) break;
    const long seconds = std::lround(t);
    const std::string text = seconds >= 60 && seconds % 60 == 0 ? IntegerText(seconds / 60) + " min"
                                                                : IntegerText(seconds) + " s";
    const TextBox box = measure.Measure(text);
    const int top = line - box.height / 2;
    if (top < 0 || top + box.height > height) continue;
    labels.push_back({line, kMargin + 4, top, text});
  }
  return labels;
}

}  // namespace velmora
