#include "tools/signalgen/Sweep.h"

#include <algorithm>
#include <cmath>
#include <ostream>

#include "analysis/PactorDetectors.h"
#include "analysis/SignalAnalysis.h"
#include "common/Format.h"

namespace velmora::signalgen {

std::string ExpectedLabel(const SignalRecipe& recipe) {
  if (recipe.form == Form::Pactor2) return "Pactor 2";
  // Variants 3 and 4 share their tones; the lower number is reported.
  if (recipe.form == Form::Pactor3) return std::string(Pactor3Label(recipe.variant == 4 ? 3 : recipe.variant));
  return "";
}

BufferCounts CountBuffers(const Signal& signal, const DetectorSettings& settings, std::int32_t sampleSize,
                          const std::string& expectedLabel) {
  DetectorSettings s = settings;
  SignalAnalysis analysis(s);
  analysis.RestartContinuity();
  const auto pcm = ToPcm16(signal.samples);
  BufferCounts counts;
  std::string panel;
  const std::size_t n = static_cast<std::size_t>(sampleSize);
  for (std::size_t start = 0; start + n <= pcm.size(); start += n) {
    analysis.Analyse({pcm.data() + start, n}, sampleSize);
    const Verdict v = analysis.Detect(panel);
    ++counts.all;
    if (v.busy) ++counts.allBusy;
    const auto first = signal.on.begin() + static_cast<std::ptrdiff_t>(start);
    const auto on = std::count(first, first + static_cast<std::ptrdiff_t>(n), 1);
    if (on == static_cast<long>(n)) {
      ++counts.inside;
      if (v.busy) ++counts.insideBusy;
      if (v.busy && panel.rfind(expectedLabel, 0) == 0 &&
          (panel.size() == expectedLabel.size() || panel[expectedLabel.size()] == ','))
        ++counts.insideLabel;
    } else if (on == 0) {
      ++counts.outside;
      if (v.busy) ++counts.outsideBusy;
      if (v.noise) ++counts.outsideNoise;
    }
  }
  return counts;
}

namespace {

std::string Rate(int hits, int of) {
  if (of == 0) return "-";
  return FormatNumber(100.0 * hits / of, "0") + "%";
}

std::string Pad(std::string text, std::size_t width) {
  if (text.size() < width) text.insert(0, width - text.size(), ' ');
  return text;
}

struct Case {
  std::string name;
  SignalRecipe recipe;
};

std::vector<Case> PactorCases(double seconds) {
  std::vector<Case> cases;
  SignalRecipe base;
  base.seconds = seconds;
  base.rhythm.ackLength = 0;  // one side of the link heard: a 0.29 s pause every 1.25 s
  SignalRecipe p2 = base;
  p2.form = Form::Pactor2;
  cases.push_back({"Pactor 2", p2});
  for (int v = 1; v <= 6; ++v) {
    SignalRecipe p3 = base;
    p3.form = Form::Pactor3;
    p3.variant = v;
    p3.seed = 10 + v;
    cases.push_back({std::string(Pactor3Label(v)), p3});
  }
  // Wider symbol shaping fills the gaps between the 18 tones: a flatter band.
  for (double rollOff : {0.7, 1.0}) {
    SignalRecipe p3 = base;
    p3.form = Form::Pactor3;
    p3.variant = 6;
    p3.seed = 16;
    p3.rollOff = rollOff;
    cases.push_back({"3600, roll-off " + FormatNumber(rollOff, "0.0"), p3});
  }
  return cases;
}

std::vector<Case> OtherCases(double seconds) {
  std::vector<Case> cases;
  for (Form f : {Form::Noise, Form::Cw, Form::Fax, Form::Speech, Form::Bursts}) {
    SignalRecipe s;
    s.form = f;
    s.seconds = seconds;
    s.keyed = f == Form::Cw;  // keyed like Morse
    s.seed = 100 + static_cast<int>(f);
    cases.push_back({std::string(FormName(f)) + (f == Form::Speech ? " (120 Hz pitch)" : ""), s});
    if (f == Form::Speech) {
      s.pitch = 200;
      cases.push_back({"speech (200 Hz pitch)", s});
    }
  }
  return cases;
}

}  // namespace

void RunSweep(const SweepOptions& options, std::ostream& out) {
  const DetectorSettings defaults;
  out << "Detection over SNR in 3 kHz (default detector settings, " << options.sampleSize << " samples per buffer, "
      << FormatNumber(options.seconds, "0") << " s per cell)\n\n";

  out << "Busy rate on buffers inside transmissions / busy with the form's own label / false busy in pauses\n";
  out << Pad("form", 22);
  for (double snr : options.snrs) out << Pad(FormatNumber(snr, "0") + " dB", 18);
  out << '\n';
  for (const Case& c : PactorCases(options.seconds)) {
    out << Pad(c.name, 22);
    for (double snr : options.snrs) {
      SignalRecipe recipe = c.recipe;
      recipe.snrDb = snr;
      const BufferCounts k = CountBuffers(Generate(recipe), defaults, options.sampleSize, ExpectedLabel(recipe));
      out << Pad(Rate(k.insideBusy, k.inside) + "/" + Rate(k.insideLabel, k.inside) + "/" +
                     Rate(k.outsideBusy, k.outside),
                 18);
    }
    out << '\n';
  }

  DetectorSettings offsets = defaults;
  offsets.offsetFrequencyRange = 100;
  offsets.offsetFrequencyStep = 20;
  for (const auto& [title, settings] : {std::pair{"default settings", defaults},
                                         std::pair{"offset search +/-100 Hz in 20 Hz steps", offsets}}) {
    out << "\nFalse busy rate of signals that are not Pactor, " << title
        << " (noise alone: at the noise level of that SNR)\n";
    out << Pad("form", 22);
    for (double snr : options.snrs) out << Pad(FormatNumber(snr, "0") + " dB", 18);
    out << '\n';
    for (const Case& c : OtherCases(options.seconds)) {
      out << Pad(c.name, 22);
      for (double snr : options.snrs) {
        SignalRecipe recipe = c.recipe;
        recipe.snrDb = snr;
        const BufferCounts k = CountBuffers(Generate(recipe), settings, options.sampleSize, "");
        out << Pad(Rate(k.allBusy, k.all), 18);
      }
      out << '\n';
    }
  }
}

}  // namespace velmora::signalgen
