// The pieces "Digital Busy" decides by, each on signals whose answer is
// known: the envelope's steadiness, the steady lines and the narrow band of
// the averaged spectrum, and the repetition of a cyclic prefix.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <numbers>

#include "AnalysisTestSupport.h"
#include "analysis/BandSignal.h"
#include "analysis/EnvelopeSteadiness.h"
#include "analysis/AveragedLevels.h"
#include "analysis/SymbolRepetition.h"
#include "tools/signalgen/ChannelSignal.h"

namespace velmora {
namespace {

constexpr std::int32_t kN = 2048;
constexpr float kSeconds = kN / 11025.0f;

std::vector<float> Samples(double seconds, double noiseRms, std::uint64_t seed = 3) {
  std::vector<float> x(static_cast<std::size_t>(seconds * 11025));
  signalgen::Random random(seed);
  signalgen::AddNoise(x, noiseRms, random);
  return x;
}

// Noise gives 2 however its level swings from stretch to stretch; one tone
// at a time gives 1; crashes more than noise.
TEST(EnvelopeSteadiness, OneToneOneNoiseTwoCrashesMore) {
  signalgen::Random random(5);
  auto noise = [&](double g) { return Complex{float(g * random.Gaussian()), float(g * random.Gaussian())}; };
  const struct { const char* name; std::function<Complex(std::size_t)> sample; double least, most; } cases[] = {
      {"tone", [](std::size_t i) { return Complex{float(std::cos(0.3 * i)), float(std::sin(0.3 * i))}; }, 0.99, 1.01},
      {"noise, swinging", [&](std::size_t i) { return noise(1 + 0.8 * std::sin(i / 400.0)); }, 1.85, 2.15},
      {"crashes", [&](std::size_t i) { return noise(i % 300 < 3 ? 30 : 1); }, 4, 1e9},
  };
  for (const auto& c : cases) {
    EnvelopeSteadiness e;
    for (int buffer = 0; buffer < 4; ++buffer) {
      std::vector<Complex> z(kN / 2);
      for (std::size_t i = 0; i < z.size(); ++i) z[i] = c.sample(i + buffer * z.size());
      e.Add(z, 2756.25, kSeconds);
    }
    EXPECT_TRUE(e.Ratio() >= c.least && e.Ratio() <= c.most) << c.name << ": " << e.Ratio();
  }
  EXPECT_EQ(EnvelopeSteadiness{}.Ratio(), 2) << "nothing heard: noise";
}

// Buffers through the analysis's transform, kept, into the band signal and
// the averaged spectrum.
struct Steady {
  PowerDensity density;
  BandSignal buffer;
  AveragedLevels spectrum;
  Steady() { density.KeepTransform(true); }
  void Next(const std::vector<std::int16_t>& pcm, std::size_t at) {
    density.Analyse({pcm.data() + at, std::size_t{kN}}, kN);
    ASSERT_TRUE(buffer.Take(density));
    spectrum.Follow(buffer, kSeconds);
  }
  void Run(const std::vector<float>& x) {
    const auto pcm = signalgen::ToPcm16(x);
    for (std::size_t at = 0; at + kN <= pcm.size(); at += kN) Next(pcm, at);
  }
  bool LineAt(double hz) const {
    return spectrum.Lines()[static_cast<std::size_t>(buffer.Bin(hz) - buffer.FirstBin())];
  }
};

// A steady tone is a line whose bins are left out; the same tone keyed
// with the buffers is none.
TEST(AveragedLevels, ASteadyToneIsALineAKeyedOneIsNot) {
  for (bool keyed : {false, true}) {
    auto x = Samples(3, 100);
    for (std::size_t i = 0; i < x.size(); ++i)
      if (!keyed || (i / 700) % 3 == 0) x[i] += float(1000 * std::cos(2 * std::numbers::pi * 1000 * i / 11025));
    Steady s;
    s.Run(x);
    EXPECT_EQ(s.LineAt(1000), !keyed);
    EXPECT_FALSE(s.LineAt(1300));
  }
}

// Noise through a filter narrower than a receiver's passband stands out as
// a narrow band; through a receiver's 2.4 kHz it does not.
TEST(AveragedLevels, ANarrowBandIsNoReceiversPassband) {
  const struct { double low, high; bool narrow; } cases[] = {{1000, 1800, true}, {2000, 2500, true}, {300, 2700, false}};
  for (const auto& c : cases) {
    auto x = Samples(2, 1000);
    signalgen::ApplyPassband(x, {.low = c.low, .high = c.high, .skirt = 50, .depthDb = 30});
    Steady s;
    s.Run(x);
    EXPECT_EQ(s.spectrum.NarrowBand(), c.narrow) << c.low;
    EXPECT_NEAR(s.spectrum.BandLow(), c.low, 60) << c.low;
    EXPECT_NEAR(s.spectrum.BandHigh(), c.high, 60) << c.low;
  }
}

// OFDM's cyclic prefix repeats its spectrum steadily; without a prefix, or
// as a comb of mains harmonics, nothing repeats.
TEST(SymbolRepetition, APrefixRepeatsNoPrefixAndHumDoNot) {
  const struct { const char* name; double guard; bool hum, repeats; } cases[] = {
      {"prefix 1/8", 0.125, false, true}, {"no prefix", 0, false, false}, {"hum", 0, true, false}};

  for (const auto& c : cases) {
    auto x = Samples(4, 300);
    signalgen::Random random(9);
    if (c.hum) {
      signalgen::ApplyPassband(x, {});
      signalgen::AddHum(x, {.rms = 2000}, random);
    } else {
      signalgen::AddOfdm(x, {.carriers = 40, .spacing = 50, .guard = c.guard, .center = 1600}, 3000, random);
    }
    Steady s;
    SymbolRepetition repetition;
    const auto pcm = signalgen::ToPcm16(x);
    double most = 0;
    for (std::size_t at = 0; at + kN <= pcm.size(); at += kN) {
      s.Next(pcm, at);
      repetition.Add(s.buffer, s.spectrum.Lines(), s.spectrum.FlatTop(), kSeconds);
      most = std::max(most, repetition.Ratio());
    }
    EXPECT_EQ(most > 18, c.repeats) << c.name << " " << most;
  }
}

// The window undone: a tone keeps its amplitude, and the passband's power
// without the window is what a transform of the bare samples gives.
TEST(BandSignal, AToneKeepsItsAmplitudeAClickIsImpulsive) {
  std::vector<std::int16_t> pcm = testing::Tone(kN, 1500, 5000);
  Steady s;
  s.Next(pcm, 0);
  s.buffer.LimitToPassband({});
  EXPECT_FALSE(s.buffer.Impulsive());
  const auto z = s.buffer.Analytic();
  for (std::size_t i = z.size() / 5; i < 4 * z.size() / 5; i += 7)
    EXPECT_NEAR(std::hypot(z[i].re, z[i].im), 5000, 50) << i;
  std::vector<Complex> bare(kN);
  for (std::size_t i = 0; i < bare.size(); ++i) bare[i].re = pcm[i] - s.density.SampleMean();
  FftPlan().Transform(1, bare, 11);
  for (std::size_t k = 0; k < s.buffer.FlatPower().size(); k += 5) {
    const Complex c = bare[k + static_cast<std::size_t>(s.buffer.FirstBin())];
    EXPECT_NEAR(s.buffer.FlatPower()[k], double(c.re) * c.re + double(c.im) * c.im, 1e-3 * 5000.0 * 5000 * kN * kN / 4)
        << k;
  }
  for (std::size_t i = 700; i < 720; ++i)  // a crash's stroke: a loud burst of two milliseconds
    pcm[i] = static_cast<std::int16_t>(30000 * std::sin(0.7 * static_cast<double>(i)));
  s.Next(pcm, 0);
  s.buffer.LimitToPassband({});
  EXPECT_TRUE(s.buffer.Impulsive());
  PowerDensity unkept;
  unkept.Analyse(pcm, kN);
  EXPECT_FALSE(BandSignal{}.Take(unkept)) << "the transform was not kept";
}

}  // namespace
}  // namespace velmora
