// Generated signals played back through the program's per-buffer work (the
// same path the sound card takes) into the real analysis and detectors.
#include <gtest/gtest.h>

#include "AnalysisTestSupport.h"
#include "analysis/PactorDetectors.h"
#include "analysis/SignalAnalysis.h"
#include "tests/audio/SignalFakes.h"
#include "tests/common/TempFolder.h"
#include "tools/signalgen/SignalGen.h"
#include "tools/signalgen/Sweep.h"

namespace velmora {
namespace {

using signalgen::Form;
using signalgen::SignalRecipe;
using testing::Recipe;

struct Played {
  std::vector<Verdict> verdicts;
  std::vector<std::string> labels;
  std::vector<bool> inside, outside;  // the buffer lies wholly inside or outside the wanted signal
};

Played Play(const SignalRecipe& recipe, const DetectorSettings& detectors = {}, bool eightBit = false,
            std::int32_t sampleSize = 2048) {
  const signalgen::Signal signal = signalgen::Generate(recipe);
  testing::TempFolder folder;
  const auto file = folder.path() / "signal.bin";
  std::error_code error;
  EXPECT_TRUE(signalgen::WriteRecording(file, signal.samples, eightBit, error));

  testing::SignalRig rig;
  rig.settings.detector = detectors;
  rig.settings.display.sampleSize = sampleSize;
  SignalAnalysis analysis(rig.settings.detector);
  rig.signal.SetAnalysis(analysis);
  rig.signal.inputSource = kPlayback;
  rig.signal.use16Bit = !eightBit;
  rig.signal.playbackFile = file;
  rig.autoConnect.visible = true;
  const std::size_t n = static_cast<std::size_t>(sampleSize);
  const std::size_t buffers = signal.samples.size() / n;
  for (std::size_t i = 0; i + 1 < buffers; ++i) rig.pump.passes.push_back(nullptr);
  rig.pump.passes.push_back([&] { rig.signal.PlaybackStop(); });
  rig.Start();

  Played p;
  p.verdicts = rig.autoConnect.updates;
  p.labels = rig.host.status[3];
  EXPECT_EQ(p.verdicts.size(), buffers);
  EXPECT_EQ(p.labels.size(), buffers);
  for (std::size_t b = 0; b < buffers; ++b) {
    const auto first = signal.on.begin() + static_cast<std::ptrdiff_t>(b * n);
    const auto on = std::count(first, first + static_cast<std::ptrdiff_t>(n), 1);
    p.inside.push_back(on == static_cast<long>(n));
    p.outside.push_back(on == 0);
  }
  return p;
}

struct Rates {
  int inside = 0, insideRight = 0, outside = 0, outsideBusy = 0, busy = 0;
};

Rates Count(const Played& p, const std::string& label) {
  Rates r;
  for (std::size_t b = 0; b < p.verdicts.size(); ++b) {
    const bool busy = p.verdicts[b].busy;
    r.busy += busy;
    if (p.inside[b]) {
      ++r.inside;
      r.insideRight += busy && p.labels[b] == label;
    }
    if (p.outside[b]) {
      ++r.outside;
      r.outsideBusy += busy;
    }
  }
  return r;
}

TEST(Detection, Pactor2InItsArqRhythm) {
  // One side heard: pauses long enough for a whole buffer.
  const SignalRecipe recipe{.form = Form::Pactor2, .snrDb = 10, .seconds = 12, .rhythm = {.ackLength = 0}};
  const Rates r = Count(Play(recipe), "Pactor 2");
  ASSERT_GT(r.inside, 20);
  ASSERT_GT(r.outside, 3);
  EXPECT_GE(r.insideRight, r.inside * 95 / 100);
  EXPECT_EQ(r.outsideBusy, 0);
}

TEST(Detection, EveryPactor3FormWithTheLabelOfItsVariant) {
  for (int v = 1; v <= 6; ++v) {
    const SignalRecipe recipe{.form = Form::Pactor3, .variant = v, .snrDb = 15, .seconds = 8,
                              .seed = static_cast<std::uint64_t>(30 + v)};
    const std::string label = signalgen::ExpectedLabel(recipe);
    const Played played = Play(recipe);
    const Rates r = Count(played, label);
    ASSERT_GT(r.inside, 20) << v;
    EXPECT_GE(r.insideRight, r.inside * 9 / 10) << label;
    for (std::size_t b = 0; b < played.labels.size(); ++b)
      if (played.verdicts[b].busy) {
        EXPECT_EQ(played.labels[b], label) << v << " buffer " << b;
      }
  }
}

TEST(Detection, NoiseCwAndSpeechAreNotBusy) {
  DetectorSettings d;
  d.offsetFrequencyRange = 100;
  d.offsetFrequencyStep = 20;
  for (double snr : {0.0, 10.0, 30.0}) {
    EXPECT_EQ(Count(Play(Recipe(Form::Noise, snr, 8)), "").busy, 0) << snr;
    SignalRecipe cw = Recipe(Form::Cw, snr, 8);
    EXPECT_EQ(Count(Play(cw), "").busy, 0) << "steady CW " << snr;
    cw.keyed = true;
    EXPECT_EQ(Count(Play(cw), "").busy, 0) << "keyed CW " << snr;
    // With the offset search, eleven tries a buffer: about one buffer in a
    // hundred of noise reaches the Pactor 2 threshold (see the sweep).
    EXPECT_LE(Count(Play(Recipe(Form::Noise, snr, 20), d), "").busy, 3) << snr;
    EXPECT_LE(Count(Play(cw, d), "").busy, 1) << "keyed CW " << snr;
    // Speech with the default settings: the offset search lets a pair of
    // voice harmonics pass for Pactor 2 on an odd buffer (see the sweep).
    EXPECT_EQ(Count(Play(Recipe(Form::Speech, snr, 8)), "").busy, 0) << "speech " << snr;
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
    SCOPED_TRACE(start);
    const Played played = Play(recipe, on);
    int insideBusy = 0, digital = 0;
    for (std::size_t b = 0; b < played.verdicts.size(); ++b) {
      insideBusy += played.inside[b] && played.verdicts[b].busy;
      digital += played.labels[b] == "Digital";
    }
    const Rates r = Count(played, "Digital");
    ASSERT_GT(r.inside, 25) << signalgen::FormName(form);
    EXPECT_GE(insideBusy, r.inside * 9 / 10) << signalgen::FormName(form);
    // Pactor 2 claims 4-FSK's buffers first where their tones meet.
    EXPECT_GT(digital, r.inside / (form == Form::Fsk4 ? 3 : 2)) << signalgen::FormName(form);
    EXPECT_EQ(r.outsideBusy, 0) << signalgen::FormName(form);
    if (form == Form::Ofdm) {
      EXPECT_EQ(Count(Play(recipe), "").busy, 0) << "with the option off";
    }
  }
  SignalRecipe keyed = Recipe(Form::Cw, 30, 8);
  keyed.keyed = true;
  for (const SignalRecipe& quiet : {Recipe(Form::Noise, 10, 8), Recipe(Form::Bursts, 10, 8), keyed,
                                    Recipe(Form::Cw, 30, 8)})
    EXPECT_EQ(Count(Play(quiet, on), "").busy, 0) << signalgen::FormName(quiet.form);
}

TEST(Detection, ImpulsiveBurstsAreNoiseNotBusy) {
  DetectorSettings d;
  d.burstEnabled = true;
  const SignalRecipe recipe{.form = Form::Bursts, .snrDb = 20, .seconds = 8, .burstRate = 3};
  const Played p = Play(recipe, d);
  int noise = 0, busy = 0;
  for (const auto& v : p.verdicts) {
    noise += v.noise;
    busy += v.busy;
  }
  EXPECT_GT(noise, static_cast<int>(p.verdicts.size()) / 4);
  EXPECT_EQ(busy, 0);
}

}  // namespace
}  // namespace velmora
