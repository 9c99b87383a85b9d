// velmora-drawbench: time per buffer of the analysis and of the drawing of
// both displays, on a generated Pactor 3 exchange, in a real window; the
// time picture as the time trace and as the waterfall.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <span>
#include <string>
#include <vector>

#include "analysis/SignalAnalysis.h"
#include "audio/MainSettings.h"
#include "display/win32/BufferedPicture.h"
#include "display/win32/SignalDisplay.h"
#include "tools/signalgen/SignalGen.h"
#include "common/SampleFormat.h"

namespace {

using namespace velmora;
using Clock = std::chrono::steady_clock;

class Source final : public SpectrumSource {
 public:
  explicit Source(const SignalAnalysis& a) : a_(a) {}
  std::int32_t TransformLength() const override { return a_.Spectrum().N(); }
  float Density(std::int32_t bin) const override { return a_.Spectrum().Density(bin); }
  bool WwvTop() const override { return false; }

 private:
  const SignalAnalysis& a_;
};

LRESULT CALLBACK Proc(HWND h, UINT m, WPARAM w, LPARAM l) { return DefWindowProcA(h, m, w, l); }

double Microseconds(Clock::duration d, int runs) {
  return std::chrono::duration<double, std::micro>(d).count() / runs;
}

HWND BenchWindowCreate() {
  WNDCLASSA wc{};
  wc.lpfnWndProc = Proc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "DrawBench";
  RegisterClassA(&wc);
  HWND main = CreateWindowExA(0, "DrawBench", "Velmora - drawing", WS_OVERLAPPEDWINDOW, 0, 0, 1000, 700, nullptr,
                              nullptr, wc.hInstance, nullptr);
  ShowWindow(main, SW_SHOW);
  return main;
}

std::vector<std::int16_t> PactorExchange() {
  signalgen::SignalRecipe recipe;
  recipe.form = signalgen::Form::Pactor3;
  recipe.variant = 3;
  recipe.snrDb = 10;
  recipe.seconds = 12;
  return signalgen::ToPcm16(signalgen::Generate(recipe).samples);
}

// Every detector on, and the offset search, as the heaviest use draws.
MainSettings BenchSettings(std::int32_t n, bool colour, bool waterfall) {
  MainSettings settings;
  settings.display.sampleSize = n;
  settings.display.displayColor = colour;
  settings.display.waterfall = waterfall;
  auto& d = settings.detector;
  d.burstEnabled = d.peakEnabled = d.pulseEnabled = true;
  d.offsetFrequencyRange = 100;
  return settings;
}

// What the buffers' parts took, summed over every buffer run.
struct BufferTimes {
  Clock::duration analysing{}, drawing{}, timeDrawing{}, presenting{};
  int runs = 0;
};

BufferTimes BuffersTime(SignalAnalysis& analysis, SignalDisplay& display, const std::vector<std::int16_t>& pcm,
                        std::int32_t n) {
  BufferTimes times;
  std::string panel;
  for (int pass = 0; pass < 3; ++pass)
    for (size_t at = 0; at + n <= pcm.size(); at += n, ++times.runs) {
      std::span<const std::int16_t> buffer(pcm.data() + at, n);
      auto t0 = Clock::now();
      analysis.Analyse(buffer, n);
      auto t1 = Clock::now();
      display.DrawTime(buffer);
      auto t2 = Clock::now();
      display.DrawFrequency();
      auto t3 = Clock::now();
      const Verdict verdict = analysis.Detect(panel);  // draws its markers
      auto t4 = Clock::now();
      display.BufferJudged(verdict);
      display.Present();
      auto t5 = Clock::now();
      times.analysing += (t1 - t0) + (t4 - t3);
      times.drawing += (t3 - t1) + (t5 - t4);
      times.timeDrawing += (t2 - t1) + (t5 - t4);
      times.presenting += t5 - t4;
      MSG msg;
      while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    }
  return times;
}

// One line of the table. Copying both pictures to the screen is the same in
// both modes: measured with the time trace, it is taken from the waterfall's.
void BenchLine(HWND main, BufferedPicture& time, BufferedPicture& frequency, const std::vector<std::int16_t>& pcm,
               std::int32_t n, bool colour, bool waterfall, double& tracePresent) {
  MainSettings settings = BenchSettings(n, colour, waterfall);
  SignalAnalysis analysis(settings.detector);
  Source source(analysis);
  SignalDisplay display(main, time, frequency, settings, source);
  analysis.SetDrawing(&display);
  const BufferTimes times = BuffersTime(analysis, display, pcm, n);
  const int runs = times.runs;
  double bufferMs = 1000.0 * n / kSampleRate;
  double draw = Microseconds(times.drawing, runs);
  if (!waterfall) tracePresent = Microseconds(times.presenting, runs);
  double timePicture = Microseconds(times.timeDrawing, runs) - tracePresent;
  std::printf("%7d  %-6s  %-12s  %20.0f  %12.0f  %17.0f  %11.1f  %11.2f%%\n", n, colour ? "yes" : "no",
              waterfall ? "waterfall" : "time trace", Microseconds(times.analysing, runs), draw, timePicture, bufferMs,
              100 * draw / 1000 / bufferMs);
}

}  // namespace

int main() {
  HWND main = BenchWindowCreate();
  BufferedPicture time, frequency;
  time.Create(main, 1, nullptr);
  frequency.Create(main, 2, nullptr);
  time.Move(0, 0, 980, 210);
  frequency.Move(0, 210, 980, 420);
  const auto pcm = PactorExchange();

  std::printf("samples  colour  time display  analysis+detect (us)  drawing (us)  time picture (us)  buffer (ms)"
              "  drawing load\n");
  for (std::int32_t n : {2048, 32768}) {
    for (bool colour : {false, true}) {
      double tracePresent = 0;
      for (bool waterfall : {false, true}) BenchLine(main, time, frequency, pcm, n, colour, waterfall, tracePresent);
    }
  }
  DestroyWindow(main);
  return 0;
}
