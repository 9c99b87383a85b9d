// "Pactor Fading" on Pactor through fading channels, beside the same analysis
// with the option off. These channels and seeds are of the tuning set; the
// sweep (velmora-signalgen --sweep-fading) measures the ones kept apart.
#include <gtest/gtest.h>

#include <tuple>

#include "AnalysisTestSupport.h"
#include "tools/signalgen/FadingSweep.h"
#include "tools/signalgen/ReceiverNoise.h"

namespace velmora {
namespace {

using signalgen::Form;

constexpr std::size_t kBuffer = 2048;
constexpr double kBufferSeconds = kBuffer / 11025.0;

// Two analyses in step, the option off and on.
struct Pair {
  testing::AnalysisRig off, on;
  explicit Pair(bool wideBand) {
    off.settings.pactor3WideBand = on.settings.pactor3WideBand = wideBand;
    on.settings.pactorFading = true;
    off.settings.pulseEnabled = on.settings.pulseEnabled = true;
  }
};

// A form the templates lose in the fades of its channel is held busy; every
// buffer busy without the option stays busy, with the same scores, counts
// and label; a buffer only the option finds busy names the link's form.
TEST(PactorFading, HoldsEachFadedFormBusyAndTakesNothingAway) {
  const std::pair<int, const char*> rows[] = {{0, "good"}, {1, "moderate"}, {2, "flutter"}, {3, "poor"}, {5, "good"},
                                              {6, "good"}};
  for (const auto& [form, name] : rows) {
    SCOPED_TRACE(std::to_string(form) + " " + name);
    signalgen::FadingChannel channel;
    ASSERT_TRUE(signalgen::NamedChannel(name, channel));
    signalgen::SignalRecipe recipe = signalgen::FadingRecipe(form, channel, 1, 30, false);
    recipe.snrDb = 6;
    const signalgen::Signal signal = signalgen::Generate(recipe);
    const auto pcm = signalgen::ToPcm16(signal.samples);
    const std::string label = form == 0 ? "Pactor 2, Fading" : "Pactor 3, Fading";
    Pair pair(form == 6);
    int inside = 0, insideBusy = 0, free = 0, longestFree = 0;
    for (std::size_t at = 0; at + kBuffer <= pcm.size(); at += kBuffer) {
      const Verdict off = pair.off.RunBuffer(pcm, kBuffer, at), on = pair.on.RunBuffer(pcm, kBuffer, at);
      const DetectorResults &a = pair.off.analysis.Results(), &b = pair.on.analysis.Results();
      ASSERT_EQ(std::tie(a.pactor2Score, a.pactor3Text, a.pactor3Count, a.pulseValue),
                std::tie(b.pactor2Score, b.pactor3Text, b.pactor3Count, b.pulseValue));
      if (off.busy) {
        ASSERT_TRUE(on.busy);
        ASSERT_EQ(pair.off.panel, pair.on.panel);
      } else if (on.busy) {
        ASSERT_EQ(pair.on.panel, label);
      }
      const bool whole = std::all_of(signal.on.begin() + long(at), signal.on.begin() + long(at + kBuffer),
                                     [](std::uint8_t x) { return x != 0; });
      inside += whole;
      insideBusy += whole && on.busy;
      free = on.busy ? 0 : free + 1;
      longestFree = std::max(longestFree, free);
    }
    EXPECT_GE(insideBusy, inside * 8 / 10);
    EXPECT_LE(longestFree * kBufferSeconds, 2.0);
  }
}

TEST(PactorFading, AddsNoBusyBufferToSignalsThatAreNotPactor) {
  DetectorSettings off, on;
  on.pactorFading = true;
  for (double snr : {10.0, 30.0})
    for (Form form : {Form::Noise, Form::Bursts, Form::Cw, Form::Fax, Form::Speech}) {
      for (double pitch : {120.0, 200.0}) {
        if (pitch != 120 && form != Form::Speech) continue;
        signalgen::SignalRecipe recipe = testing::Recipe(form, snr, 30);
        recipe.keyed = true;
        recipe.pitch = pitch;
        recipe.seed = 3000 + static_cast<int>(form);
        const auto signal = signalgen::Generate(recipe);
        SCOPED_TRACE(std::string(signalgen::FormName(form)) + " " + std::to_string(pitch) + " " + std::to_string(snr));
        EXPECT_EQ(signalgen::CountFading(signal.samples, {}, on, kBuffer).allBusy,
                  signalgen::CountFading(signal.samples, {}, off, kBuffer).allBusy);
      }
    }
  const auto receiver = signalgen::ReceiverNoise(30, 300, 0.5, 3001);
  EXPECT_EQ(signalgen::CountFading(receiver, {}, on, kBuffer).allBusy, 0);
}

// After the link the channel reads free again within about three seconds:
// the average forgets it, then the hold runs out.
TEST(PactorFading, FreesTheChannelSoonAfterTheLinkEnds) {
  signalgen::FadingChannel good;
  ASSERT_TRUE(signalgen::NamedChannel("good", good));
  signalgen::SignalRecipe recipe = signalgen::FadingRecipe(5, good, 2, 30, false);
  signalgen::Signal signal = signalgen::Generate(recipe);
  const std::size_t end = 15 * 11025;
  std::fill(signal.samples.begin() + end, signal.samples.end(), 0.0f);
  signalgen::Random noise(9);
  signalgen::AddNoise(signal.samples, signalgen::NoiseRms(recipe.rms, 6), noise);
  const auto pcm = signalgen::ToPcm16(signal.samples);
  testing::AnalysisRig rig;
  rig.settings.pactorFading = true;
  double lastBusy = 0;
  for (std::size_t at = 0; at + kBuffer <= pcm.size(); at += kBuffer)
    if (rig.RunBuffer(pcm, kBuffer, at).busy) lastBusy = double(at + kBuffer) / 11025;
  EXPECT_GT(lastBusy, 14.0);
  EXPECT_LT(lastBusy, 15 + 3.5);
}

}  // namespace
}  // namespace velmora
