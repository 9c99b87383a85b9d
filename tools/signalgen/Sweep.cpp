#include "tools/signalgen/Sweep.h"

#include <algorithm>
#include <cmath>
#include <ostream>
#include <tuple>

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

std::string Pad(std::string text, std::size_t width) {
  if (text.size() < width) text.insert(0, width - text.size(), ' ');
  return text;
}

struct Case {
  std::string name;
  SignalRecipe recipe;
};

// Every Pactor form, one side of the link heard (a 0.29 s pause every
// 1.25 s), each with a seed of its own.
std::vector<Case> PactorCases(double seconds, double rollOff) {
  std::vector<Case> cases;
  SignalRecipe base;
  base.seconds = seconds;
  base.rhythm.ackLength = 0;
  base.rollOff = rollOff;
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
    const std::string name = f == Form::Cw ? "keyed CW" : std::string(FormName(f));
    cases.push_back({name + (f == Form::Speech ? " (120 Hz pitch)" : ""), s});
    if (f == Form::Speech) {
      s.pitch = 200;
      cases.push_back({"speech (200 Hz pitch)", s});
    }
  }
  return cases;
}

// Two rates side by side, the option off then on: "92/100%".
std::string Both(int offHits, int onHits, int of) {
  if (of == 0) return "-";
  return FormatNumber(100.0 * offHits / of, "0") + "/" + FormatNumber(100.0 * onHits / of, "0") + "%";
}

void Header(std::ostream& out, const SweepOptions& options) {
  out << Pad("form", 24);
  for (double snr : options.snrs) out << Pad(FormatNumber(snr, "0") + " dB", 11);
  out << '\n';
}

// A Pactor form's counts at every SNR, the option off and on.
struct PactorRow {
  std::string name;
  std::vector<std::pair<BufferCounts, BufferCounts>> cells;
};

std::vector<PactorRow> PactorRows(const SweepOptions& options, double rollOff, const DetectorSettings& narrow,
                                  const DetectorSettings& wide) {
  std::vector<PactorRow> rows;
  for (const Case& c : PactorCases(options.seconds, rollOff)) {
    PactorRow row{c.name, {}};
    for (double snr : options.snrs) {
      SignalRecipe recipe = c.recipe;
      recipe.snrDb = snr;
      const Signal signal = Generate(recipe);
      const std::string label = ExpectedLabel(recipe);
      row.cells.emplace_back(CountBuffers(signal, narrow, options.sampleSize, label),
                             CountBuffers(signal, wide, options.sampleSize, label));
    }
    rows.push_back(std::move(row));
  }
  return rows;
}

void PactorTables(std::ostream& out, const SweepOptions& options, double rollOff,
                  const std::vector<PactorRow>& rows) {
  const std::string rolled = "symbol roll-off " + FormatNumber(rollOff, "0.00");
  using Pick = std::pair<int BufferCounts::*, int BufferCounts::*>;
  for (const auto& [title, pick] :
       {std::pair{"Busy rate on buffers inside transmissions, ",
                  Pick{&BufferCounts::insideBusy, &BufferCounts::inside}},
        std::pair{"Busy with the form's own label, ", Pick{&BufferCounts::insideLabel, &BufferCounts::inside}},
        std::pair{"False busy in the pauses, ", Pick{&BufferCounts::outsideBusy, &BufferCounts::outside}}}) {
    out << '\n' << title << rolled << '\n';
    Header(out, options);
    for (const PactorRow& row : rows) {
      out << Pad(row.name, 24);
      for (const auto& [off, on] : row.cells) out << Pad(Both(off.*pick.first, on.*pick.first, off.*pick.second), 11);
      out << '\n';
    }
  }
}

void OtherFormsTable(std::ostream& out, const SweepOptions& options, const char* title, const DetectorSettings& off,
                     const DetectorSettings& on) {
  out << "\nFalse busy rate of signals that are not Pactor, " << title
      << " (noise alone: at the noise level of that SNR)\n";
  Header(out, options);
  for (const Case& c : OtherCases(options.seconds)) {
    out << Pad(c.name, 24);
    for (double snr : options.snrs) {
      SignalRecipe recipe = c.recipe;
      recipe.snrDb = snr;
      const Signal signal = Generate(recipe);
      const BufferCounts a = CountBuffers(signal, off, options.sampleSize, "");
      const BufferCounts b = CountBuffers(signal, on, options.sampleSize, "");
      out << Pad(Both(a.allBusy, b.allBusy, a.all), 11);
    }
    out << '\n';
  }
}

}  // namespace

void RunSweep(const SweepOptions& options, std::ostream& out) {
  DetectorSettings narrow;
  DetectorSettings wide;
  wide.pactor3WideBand = true;
  out << "Detection over SNR in 3 kHz (default detector settings, " << options.sampleSize << " samples per buffer, "
      << FormatNumber(options.seconds, "0") << " s per cell); each cell: \"Pactor3 Wide Band\" off/on\n";
  for (double rollOff : options.rollOffs)
    PactorTables(out, options, rollOff, PactorRows(options, rollOff, narrow, wide));

  DetectorSettings offsets = narrow, offsetsWide = wide;
  offsets.offsetFrequencyRange = offsetsWide.offsetFrequencyRange = 100;
  for (const auto& [title, off, on] : {std::tuple{"default settings", narrow, wide},
                                       {"offset search +/-100 Hz in 20 Hz steps", offsets, offsetsWide}})
    OtherFormsTable(out, options, title, off, on);
}

}  // namespace velmora::signalgen
