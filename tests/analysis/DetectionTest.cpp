// Generated signals buffer by buffer through the real analysis and
// detectors, counted as the sweep counts them (the playback path that feeds
// the analysis: PlaybackTest, and the waterfall's playback under Wine).
#include <gtest/gtest.h>

#include "AnalysisTestSupport.h"
#include "tools/signalgen/Sweep.h"

namespace velmora {
namespace {

using signalgen::Form;
using signalgen::SignalRecipe;
using testing::Recipe;

signalgen::BufferCounts Count(const SignalRecipe& recipe, const DetectorSettings& detectors = {},
                              const std::string& label = "") {
  return signalgen::CountBuffers(signalgen::Generate(recipe), detectors, 2048, label);
}

// Pactor 2 heard from one side (pauses long enough for a whole buffer) and
// every Pactor 3 form, each found with the label of its variant.
TEST(Detection, PactorInItsArqRhythmWithTheLabelOfItsForm) {
  std::vector<SignalRecipe> recipes{{.form = Form::Pactor2, .snrDb = 10, .seconds = 12, .rhythm = {.ackLength = 0}}};
  for (int v = 1; v <= 6; ++v)
    recipes.push_back({.form = Form::Pactor3, .variant = v, .snrDb = 15, .seconds = 8,
                       .seed = static_cast<std::uint64_t>(30 + v)});
  for (const SignalRecipe& recipe : recipes) {
    const std::string label = signalgen::ExpectedLabel(recipe);
    const auto r = Count(recipe, {}, label);
    ASSERT_GT(r.inside, 20) << label;
    EXPECT_GE(r.insideLabel, r.inside * 95 / 100) << label;
    EXPECT_EQ(r.insideBusy, r.insideLabel) << label;
    EXPECT_EQ(r.outsideBusy, 0) << label;
  }
}

TEST(Detection, NoiseCwAndSpeechAreNotBusy) {
  DetectorSettings d;
  d.offsetFrequencyRange = 100;
  d.offsetFrequencyStep = 20;
  for (double snr : {0.0, 10.0, 30.0}) {
    EXPECT_EQ(Count(Recipe(Form::Noise, snr, 8)).allBusy, 0) << snr;
    SignalRecipe cw = Recipe(Form::Cw, snr, 8);
    EXPECT_EQ(Count(cw).allBusy, 0) << "steady CW " << snr;
    cw.keyed = true;
    EXPECT_EQ(Count(cw).allBusy, 0) << "keyed CW " << snr;
    // With the offset search, eleven tries a buffer: about one buffer in a
    // hundred of noise reaches the Pactor 2 threshold (see the sweep).
    EXPECT_LE(Count(Recipe(Form::Noise, snr, 20), d).allBusy, 3) << snr;
    EXPECT_LE(Count(cw, d).allBusy, 1) << "keyed CW " << snr;
    // Speech with the default settings: the offset search lets a pair of
    // voice harmonics pass for Pactor 2 on an odd buffer (see the sweep).
    EXPECT_EQ(Count(Recipe(Form::Speech, snr, 8)).allBusy, 0) << "speech " << snr;
  }
}

// "Digital Busy": each modem busy once it is on (4-FSK partly under Pactor 2,
// whose tones two of its four share), also when it is on from the first
// buffer, as after a change of frequency; noise, bursts and CW stay free.
TEST(Detection, DigitalModemsAreBusyWithTheOption) {
  DetectorSettings on;
  on.digitalBusy = true;
  for (double start : {2.0, 0.0})
  for (Form form : {Form::Ofdm, Form::Fsk4, Form::Psk2400, Form::Mfsk}) {
    SignalRecipe recipe = Recipe(form, 10, 8);
    recipe.rhythm.start = start;
    SCOPED_TRACE(std::to_string(start) + " " + std::string(signalgen::FormName(form)));
    const auto r = Count(recipe, on, "Digital");
    ASSERT_GT(r.inside, 25);
    EXPECT_GE(r.insideBusy, r.inside * 9 / 10);
    // Pactor 2 claims 4-FSK's buffers first where their tones meet.
    EXPECT_GT(r.insideLabel, r.inside / (form == Form::Fsk4 ? 3 : 2));
    EXPECT_EQ(r.outsideBusy, 0);
    if (form == Form::Ofdm) {
      EXPECT_EQ(Count(recipe).allBusy, 0) << "with the option off";
    }
  }
  SignalRecipe keyed = Recipe(Form::Cw, 30, 8);
  keyed.keyed = true;
  for (const SignalRecipe& quiet : {Recipe(Form::Noise, 10, 8), Recipe(Form::Bursts, 10, 8), keyed,
                                    Recipe(Form::Cw, 30, 8)})
    EXPECT_EQ(Count(quiet, on).allBusy, 0) << signalgen::FormName(quiet.form);
}

TEST(Detection, ImpulsiveBurstsAreNoiseNotBusy) {
  DetectorSettings d;
  d.burstEnabled = true;
  const auto r = Count({.form = Form::Bursts, .snrDb = 20, .seconds = 8, .burstRate = 3}, d);
  EXPECT_GT(r.outsideNoise, r.all / 4);
  EXPECT_EQ(r.allBusy, 0);
}

}  // namespace
}  // namespace velmora
