// The Pactor scores as they have always been, bit for bit in a golden file:
// options added to the detectors must leave them untouched while they are
// off. VELMORA_WRITE_GOLDEN=1 writes the file anew (only after a deliberate
// change of the scoring).
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

#include "AnalysisTestSupport.h"
#include "common/AtomicFile.h"

namespace velmora {
namespace {

using signalgen::Form;
using signalgen::SignalRecipe;

const std::string kGolden = std::string(VELMORA_SOURCE_DIR) + "/tests/analysis/PactorScores.golden.txt";

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
  const std::string scores = Scores();
  if (std::getenv("VELMORA_WRITE_GOLDEN")) std::ofstream(kGolden, std::ios::binary) << scores;
  std::error_code error;
  EXPECT_EQ(scores, ReadWholeFile(kGolden, error).value_or("(no golden file)"));
}

}  // namespace
}  // namespace velmora
