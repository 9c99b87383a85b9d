// velmora-drawbench: time per buffer of the analysis and of the drawing of
// both displays, on a generated Pactor 3 exchange, in a real window; the
// time picture as the time trace and as the waterfall.
#include <windows.h>

#include <chrono>
#include <cstdio>

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

}  // namespace

int main() {
  WNDCLASSA wc{};
  wc.lpfnWndProc = Proc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "DrawBench";
  RegisterClassA(&wc);
  HWND main = CreateWindowExA(0, "DrawBench", "Velmora - drawing", WS_OVERLAPPEDWINDOW, 0, 0, 1000, 700, nullptr,
                              nullptr, wc.hInstance, nullptr);
  ShowWindow(main, SW_SHOW);
  BufferedPicture time, frequency;
  time.Create(main, 1, nullptr);
  frequency.Create(main, 2, nullptr);
  time.Move(0, 0, 980, 210);
  frequency.Move(0, 210, 980, 420);

  signalgen::SignalRecipe recipe;
  recipe.form = signalgen::Form::Pactor3;
  recipe.variant = 3;
  recipe.snrDb = 10;
  recipe.seconds = 12;
  auto pcm = signalgen::ToPcm16(signalgen::Generate(recipe).samples);

  std::printf("samples  colour  time display  analysis+detect (us)  drawing (us)  time picture (us)  buffer (ms)"
              "  drawing load\n");
  for (std::int32_t n : {2048, 32768}) {
    for (bool colour : {false, true}) {
      double tracePresent = 0;  // copying both pictures to the screen, the same in both modes
      for (bool waterfall : {false, true}) {
        MainSettings settings;
        settings.display.sampleSize = n;
        settings.display.displayColor = colour;
        settings.display.waterfall = waterfall;
        auto& d = settings.detector;
        d.burstEnabled = d.peakEnabled = d.pulseEnabled = true;
        d.offsetFrequencyRange = 100;
        SignalAnalysis analysis(settings.detector);
        Source source(analysis);
        SignalDisplay display(main, time, frequency, settings, source);
        analysis.SetDrawing(&display);
        Clock::duration analysing{}, drawing{}, timeDrawing{}, presenting{};
        int runs = 0;
        std::string panel;
        for (int pass = 0; pass < 3; ++pass)
          for (size_t at = 0; at + n <= pcm.size(); at += n, ++runs) {
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
            analysing += (t1 - t0) + (t4 - t3);
            drawing += (t3 - t1) + (t5 - t4);
            timeDrawing += (t2 - t1) + (t5 - t4);
            presenting += t5 - t4;
            MSG msg;
            while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
          }
        double bufferMs = 1000.0 * n / kSampleRate;
        double draw = Microseconds(drawing, runs);
        if (!waterfall) tracePresent = Microseconds(presenting, runs);
        double timePicture = Microseconds(timeDrawing, runs) - tracePresent;
        std::printf("%7d  %-6s  %-12s  %20.0f  %12.0f  %17.0f  %11.1f  %11.2f%%\n", n, colour ? "yes" : "no",
                    waterfall ? "waterfall" : "time trace", Microseconds(analysing, runs), draw, timePicture, bufferMs,
                    100 * draw / 1000 / bufferMs);
      }
    }
  }
  DestroyWindow(main);
  return 0;
}
