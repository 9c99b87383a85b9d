// What must stay bit for bit as it was, in golden files: with "Digital
// Busy" off every detector's output (each buffer's verdict, texts and
// values, then the statistics), and the Pactor scores, which options added
// to the detectors must leave untouched while they are off.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

#include "AnalysisTestSupport.h"
#include "analysis/DetectorStatistics.h"
#include "common/AtomicFile.h"

namespace velmora {
namespace {

using signalgen::Form;

// `text` as the golden file of that name holds it; VELMORA_WRITE_GOLDEN=1
// writes the file anew (only after a deliberate change of the chain).
void ExpectGolden(const std::string& name, const std::string& text) {
  const std::string file = std::string(VELMORA_SOURCE_DIR) + "/tests/analysis/" + name;
  if (std::getenv("VELMORA_WRITE_GOLDEN")) std::ofstream(file, std::ios::binary) << text;
  std::error_code error;
  EXPECT_EQ(text, ReadWholeFile(file, error).value_or("(no golden file)"));
}

void AddResults(testing::Digest& d, const DetectorResults& r) {
  for (float v : {r.detectorValue, r.pactor2Score, r.pactor2Offset, r.pactor3Score, r.pactor3Offset, r.bandLevel,
                  r.templateMean, r.peakValue, r.pulseRatio, r.pulseValue, r.digitalWidth, r.cwLevel, r.cwValue,
                  r.faxLevel, r.faxSnr, r.wwvLevel, r.wwvValue})
    d.Add(v);
  for (bool b : {r.powerDetected, r.pactor2Detected, r.pactor3Detected, r.burstDetected, r.peakDetected,
                 r.pulseDetected, r.digitalDetected, r.cwDetected, r.faxDetected, r.wwvDetected})
    d.Add(b);
  for (const std::string* t : {&r.powerText, &r.pactor2Text, &r.pactor3Text, &r.burstText, &r.peakText, &r.pulseText,
                               &r.digitalText, &r.cwText, &r.faxText, &r.wwvText})
    d.Add(*t);
  d.Add(r.pactor2Count);
  d.Add(r.pactor3Variant);
  for (std::int32_t c : r.pactor3Count) d.Add(c);
}

std::string Outputs() {
  const std::vector<std::pair<std::string, signalgen::SignalRecipe>> signals = {
      {"pactor2", {.form = Form::Pactor2, .snrDb = 5, .seconds = 4, .seed = 71}},
      {"pactor3-3", {.form = Form::Pactor3, .variant = 3, .snrDb = 10, .seconds = 4, .seed = 72}},
      {"pactor3-6", {.form = Form::Pactor3, .variant = 6, .snrDb = 5, .seconds = 4, .rollOff = 1, .seed = 73}},
      {"noise", {.form = Form::Noise, .snrDb = 20, .seconds = 4, .seed = 74}},
      {"speech", {.form = Form::Speech, .snrDb = 30, .seconds = 4, .pitch = 200, .seed = 75}},
      {"fax", {.form = Form::Fax, .snrDb = 10, .seconds = 4, .seed = 76}},
      {"cw", {.form = Form::Cw, .snrDb = 10, .seconds = 4, .keyed = true, .seed = 77}},
      {"bursts", {.form = Form::Bursts, .snrDb = 20, .seconds = 4, .burstRate = 3, .seed = 78}},
  };
  std::ostringstream out;
  for (const auto& [name, recipe] : signals) {
    const auto pcm = testing::Pcm(recipe);
    for (std::int32_t n : {512, 2048, 8192}) {
      for (int which : {0, 1, 2}) {
        testing::AnalysisRig rig;  // 1: every detector of the normal chain, the offset search; 2: the wide band
        rig.settings.burstEnabled = rig.settings.peakEnabled = rig.settings.pulseEnabled = which == 1;
        rig.settings.offsetFrequencyRange = which == 1 ? 100 : 0;
        rig.settings.pactor3WideBand = which == 2;
        rig.analysis.SetAutoConnectActive(which == 1);
        DetectorStatistics statistics;
        testing::Digest digest;
        const auto size = static_cast<std::size_t>(n);
        for (std::size_t at = 0; at + size <= pcm.size(); at += size) {
          const Verdict v = rig.RunBuffer(pcm, size, at);
          digest.Add(v.busy);
          digest.Add(v.noise);
          digest.Add(v.pulse);
          digest.Add(rig.panel);
          digest.Add(rig.analysis.BufferLevel());
          AddResults(digest, rig.analysis.Results());
          StatisticsUpdate(statistics, rig.analysis.Results(), rig.settings, rig.analysis.Spectrum().SignalLevel());
        }
        for (int k = 1; k <= kStatisticsDetectors; ++k)
          digest.Add(statistics.Text(static_cast<StatisticsDetector>(k), rig.analysis.BufferSeconds()));
        out << name << ' ' << n << ' ' << which << ' ' << digest.Text() << '\n';
      }
    }
  }
  return out.str();
}

TEST(DetectorOutput, WithDigitalBusyOffIsAsBefore) {
#ifdef _WIN32
  GTEST_SKIP() << "the golden outputs come from the native build's maths library";
#endif
  ExpectGolden("DetectorOutput.golden.txt", Outputs());
}

using signalgen::SignalRecipe;

SignalRecipe Recipe(Form form, int variant, double snr, double rollOff, std::uint64_t seed) {
  return {.form = form, .variant = variant, .offset = form == Form::Pactor2 ? 20.0 : 0.0, .snrDb = snr,
          .seconds = 3, .rollOff = rollOff, .seed = seed};
}

struct Source { std::string name; std::vector<std::int16_t> pcm; };

std::vector<Source> Sources() {
  std::error_code error;
  const auto demo = ReadWholeFile(std::string(VELMORA_SOURCE_DIR) + "/analysis/demo/Demo Pactor 3.bin", error);
  std::vector<std::int16_t> demoPcm(demo ? demo->size() / 2 : 0);
  if (demo) std::memcpy(demoPcm.data(), demo->data(), demoPcm.size() * 2);
  return {
      {"demo", demoPcm}, {"pactor3-6-r0.35", testing::Pcm(Recipe(Form::Pactor3, 6, 10, 0.35, 61))},
      {"pactor3-6-r1.0", testing::Pcm(Recipe(Form::Pactor3, 6, 10, 1.0, 62))},
      {"pactor3-1", testing::Pcm(Recipe(Form::Pactor3, 1, 0, 0.35, 63))},
      {"pactor2", testing::Pcm(Recipe(Form::Pactor2, 1, 5, 0.35, 64))},
      {"noise", testing::Pcm(Recipe(Form::Noise, 1, 0, 0.35, 65))},
      {"speech", testing::Pcm(Recipe(Form::Speech, 1, 10, 0.35, 66))},
  };
}

// One line per signal, sample size and offset range: the digest of every
// template's score, offset and band level and of Detect's report, per buffer.

std::string Scores() {
  std::ostringstream out;
  for (const Source& source : Sources()) {
    for (std::int32_t n : {512, 2048, 8192}) {
      for (float range : {0.0f, 100.0f}) {
        DetectorSettings settings;
        settings.offsetFrequencyRange = range;
        SignalAnalysis analysis(settings);
        PactorDetectors detectors;
        TemplateCorrelator correlator;
        std::string panel;
        testing::Digest digest;
        int buffers = 0;
        const auto size = static_cast<std::size_t>(n);
        for (std::size_t at = 0; at + size <= source.pcm.size(); at += size, ++buffers) {
          analysis.Analyse({source.pcm.data() + at, size}, n);
          correlator.Begin(analysis.Spectrum());
          auto put = [&](const SpectrumTemplate& t) {
            const Correlation c = correlator.Correlate(t, settings.offsetFrequencyRange, settings.offsetFrequencyStep);
            digest.Add(c.score);
            digest.Add(c.offset);
            digest.Add(c.bandLevel);
          };
          put(detectors.Pactor2Template(n, settings.centerFrequency));
          for (int v : {1, 2, 3, 5, 6}) put(detectors.Pactor3Template(n, v));
          digest.Add(analysis.Detect(panel).busy ? "busy" : "");
          digest.Add(panel);
          digest.Add(analysis.Results().pactor3Score);
        }
        out << source.name << ' ' << n << ' ' << range << ' ' << buffers << ' ' << digest.Text() << '\n';
      }
    }
  }
  return out.str();
}

TEST(PactorScores, AreBitForBitAsBefore) {
#ifdef _WIN32
  GTEST_SKIP() << "the golden scores come from the native build's maths library";
#endif
  ExpectGolden("PactorScores.golden.txt", Scores());
}

}  // namespace
}  // namespace velmora
