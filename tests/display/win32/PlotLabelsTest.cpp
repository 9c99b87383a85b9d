// The spectrum's labels over a trace that runs right through them: they
// were drawn first and the trace over them, which left a level unreadable
// wherever the spectrum lay at it.
#include <gtest/gtest.h>

#include "display/win32/SignalDisplay.h"
#include "tests/common/win32/TestWin32.h"

namespace velmora {
namespace {

struct FlatSpectrum final : SpectrumSource {
  std::int32_t TransformLength() const override { return 2048; }
  float Density(std::int32_t) const override { return level; }
  bool WwvTop() const override { return false; }
  float level = 0;
};

TEST(PlotLabels, TheTraceDoesNotCrossTheLevelLabels) {
  HWND main = CreateWindowExA(0, "STATIC", "labels", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 700, 500, nullptr,
                              nullptr, nullptr, nullptr);
  BufferedPicture time, frequency;
  ASSERT_TRUE(main && time.Create(main, 1, nullptr) && frequency.Create(main, 2, nullptr));
  frequency.Move(0, 100, 600, 300);
  MainSettings settings;
  FlatSpectrum spectrum;
  SignalDisplay display(main, time, frequency, settings, spectrum);
  display.DrawFrequency();  // the view, to lay the trace through the middle of the first label
  const HDC dc = frequency.BufferDc();
  const DisplayPens pens;
  AxisLabel label;
  TextBox box;
  {
    GdiCanvas measure(dc, pens, false);
    label = LevelLabels(display.View(), measure, 0).front();
    box = measure.Measure(label.text);
  }
  const int y = label.y + box.height / 2;
  spectrum.level = static_cast<float>(display.View().LevelAt(y));
  display.DrawFrequency();
  display.Present();
  int crossed = 0, beside = 0;
  for (int x = label.x; x < label.x + box.width; ++x) crossed += GetPixel(dc, x, y) == RGB(0, 0, 0);
  for (int x = label.x + box.width + 4; x < label.x + box.width + 40; ++x) beside += GetPixel(dc, x, y) == RGB(0, 0, 0);
  EXPECT_EQ(crossed, 0) << label.text;
  EXPECT_EQ(beside, 36) << "the trace runs there";
  DestroyWindow(main);
  testing::DrainQuit();
}

}  // namespace
}  // namespace velmora
