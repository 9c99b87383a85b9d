// Generated signals buffer by buffer through the real analysis and
// detectors, counted as the sweep counts them (the playback path that feeds
// the analysis: CaptureLoopTest, and the waterfall's playback under Wine);
// "Pactor Fading" on Pactor through fading channels, beside the same
// analysis with the option off (those channels and seeds are of the tuning
// set; the sweep, velmora-signalgen --sweep-fading, measures the ones kept
// apart). Then what must stay bit for bit as it was, in golden files: with
// "Digital Busy" off every detector's output (each buffer's verdict, texts
// and values, then the statistics), and the Pactor scores, which options
// added to the detectors must leave untouched while they are off.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <tuple>

#include "AnalysisTestSupport.h"
#include "analysis/DetectorStatistics.h"
#include "common/AtomicFile.h"
#include "tools/signalgen/ChannelSignal.h"
#include "tools/signalgen/FadingSweep.h"
#include "tools/signalgen/ReceiverNoise.h"
#include "tools/signalgen/ShipNoise.h"
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

// "Digital Busy": a modem of each family busy in nine buffers of ten, from
// the first buffer, after the channel alone or through a receiver; a
// receiver's noise, its AGC, hum and crashes busy in no buffer the option
// off leaves free, strong hum's comb under an AGC too, which read busy by
// its ripple (the sweep measures every variant; these are a few of the
// tuning set's). A Pactor detector that fires first keeps its label.
// Held through a fade of seconds: on the good channel at 10 dB this FSK
// sank under the noise for 4 s and read free, 75 % of its buffers busy.
// Found in flutter: this short-prefix OFDM's faint echo at half its symbol
// passed for a comb's for 8 s, 76 %, and its repetition, smeared, then took
// 4 s to grow, 88 %, until its band, 2.2 kHz wide with the noise lying flat
// beside it, counted; on the moderate channel a chance echo at three times
// its symbol did for 2 s, 88 %. Found over echoes longer
// than its symbols: this fast 2-PSK's envelope read unsteady on the
// moderate channel at 5 dB, 43 %. Judged 2048 samples at a time at every
// sample size: at 512 samples this OFDM read busy in 3 % of its buffers and
// strong hum in 98 %, at 8192 this FSK in 70 % and at 32768 this one in
// 50 %, each found after seconds. Overdriven, a tenth of its samples clipped
// at full scale, a receiver's noise read steady and busy in 83 % of its buffers.
TEST(Detection, DigitalBusyFindsEveryFamilyThroughFadesAtEverySampleSizeAndNotAReceiversNoise) {
  DetectorSettings off, on;
  on.digitalBusy = true;
  // No modem: the channel alone. Fading: of the named channels, -1 none.
  // rms: the modem's, and the noise's beside it; 70000 clips a tenth of the samples, 45000 one in a hundred.
  const struct { const char *modem, *channel; double leadIn, snr, seconds; int leastPercent, fading = -1;
                 std::uint64_t seed = 1; std::int32_t sampleSize = 2048; double rms = 3000; } cases[] = {
      {"ofdm-s4", nullptr, 0, 10, 8, 90},        {"fsk-s1", nullptr, 2, 10, 10, 90},
      {"psk-s2", "agc-slow-s", 0, 10, 8, 90},    {"mfsk-s4", nullptr, 0, 5, 8, 90},
      {nullptr, "passband-s1", 0, 20, 16, 0},    {nullptr, "agc-fast-s", 0, 10, 16, 0},
      {nullptr, "hum-s", 0, 30, 16, 0},          {nullptr, "crashes-agc-s", 0, 10, 16, 0},
      {nullptr, "hum-s2", 0, 30, 16, 0},         {nullptr, "hum-s3", 0, 10, 16, 0},  // strong hum under an AGC
      {"fsk-s5", nullptr, 0, 10, 30, 90, 0, 2016}, {"ofdm-s3", nullptr, 0, 10, 30, 95, 3, 1002},
      {"ofdm-s3", nullptr, 0, 10, 30, 90, 1, 2002}, {"psk-s6", nullptr, 0, 5, 30, 90, 1, 2040},
      {"ofdm-s5", nullptr, 0, 10, 15, 90, -1, 1, 512}, {nullptr, "hum-s2", 0, 30, 15, 0, -1, 1, 512},
      {"fsk-s1", nullptr, 0, 10, 15, 90, -1, 1, 8192}, {"fsk-s4", nullptr, 0, 10, 15, 90, -1, 1, 32768},
      {nullptr, "passband-s1", 0, 10, 16, 0, -1, 1, 2048, 70000},  // overdriven: clipping steadies noise
      {nullptr, "passband-s1", 0, 10, 16, 0, -1, 1, 2048, 45000},  // 1 % clipped: nor the buffers clipped less
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.modem ? c.modem : "") + " " + (c.channel ? c.channel : "") + " fading " +
                 std::to_string(c.fading) + " at " + std::to_string(c.sampleSize) + " rms " + std::to_string(c.rms));
    const auto signal = signalgen::GenerateChannel(
        {.modem = c.modem ? signalgen::FindModem(c.modem) : nullptr,
         .channel = c.channel ? signalgen::FindChannel(c.channel) : nullptr,
         .fading = c.fading < 0 ? signalgen::FadingChannel{} : signalgen::NamedChannels()[std::size_t(c.fading)],
         .snrDb = c.snr, .seconds = c.seconds, .leadIn = c.leadIn, .rms = c.rms, .seed = c.seed});
    const auto r = signalgen::CountBuffers(signal, on, c.sampleSize, "Digital");
    if (!c.modem) {
      EXPECT_EQ(r.allBusy, signalgen::CountBuffers(signal, off, c.sampleSize, "").allBusy);
      continue;
    }
    ASSERT_GT(r.inside * c.sampleSize / 11025.0, 6) << "seconds of the modem judged";
    EXPECT_GE(r.insideBusy * 100, r.inside * c.leastPercent);
  }
}

// "Digital Busy" leaves a boat's steady birdies (a switching supply's
// carriers) free once their lines are found, in the first second: their
// unweighted skirts rippled the spectrum as a modem's symbols do and read
// busy in 36 to 95 % of the buffers (seeds 1 and 2); a carrier beside
// another 43 Hz away (seed 6) was no line and read busy in nearly all.
// From 30 dB a carrier's weighted skirts stood as a narrow band, and its
// mirror, left in, lifted the repetition (seed 5). A buzz's harmonics below
// the receiver's 2.4 kHz passband lie flat beside its noise, as the noise
// beside a modem does, and read busy in 60 % of the buffers.
TEST(Detection, DigitalBusyLeavesSteadyBirdiesAndAPassbandBesideABuzzFree) {
  using enum signalgen::ShipKind;
  const struct { signalgen::ShipKind kind; double snr; std::uint64_t seed; int most = 0; } rows[] = {
      {Birdie, 10, 1}, {Birdie, 20, 1}, {Birdie, 10, 2}, {Birdie, 20, 2}, {Birdie, 20, 6},
      {Birdie, 30, 5}, {Birdie, 30, 6}, {Birdie, 40, 1}, {Birdie, 40, 5}, {LightingBuzz, 10, 1, 5}};
  for (const auto& row : rows) {
    SCOPED_TRACE("seed " + std::to_string(row.seed) + " at " + std::to_string(row.snr) + " dB");
    const auto pcm = signalgen::ToPcm16(signalgen::ShipChannel(row.kind, row.snr, 20, row.seed));
    testing::AnalysisRig rig;
    rig.settings.digitalBusy = true;
    rig.analysis.RestartContinuity();
    int busy = 0;
    for (std::size_t at = 0; at + 2048 <= pcm.size(); at += 2048)
      busy += rig.RunBuffer(pcm, 2048, at).busy && at >= 11025;
    EXPECT_LE(busy, row.most);
  }
}

constexpr std::size_t kBuffer = 2048;
constexpr double kBufferSeconds = kBuffer / 11025.0;

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
    testing::AnalysisRig plain, fading;  // in step, the option off and on
    plain.settings.pactor3WideBand = fading.settings.pactor3WideBand = form == 6;
    plain.settings.pulseEnabled = fading.settings.pulseEnabled = fading.settings.pactorFading = true;
    int inside = 0, insideBusy = 0, free = 0, longestFree = 0;
    for (std::size_t at = 0; at + kBuffer <= pcm.size(); at += kBuffer) {
      const Verdict off = plain.RunBuffer(pcm, kBuffer, at), on = fading.RunBuffer(pcm, kBuffer, at);
      const DetectorResults &a = plain.analysis.Results(), &b = fading.analysis.Results();
      ASSERT_EQ(std::tie(a.pactor2Score, a.pactor3Text, a.pactor3Count, a.pulseValue),
                std::tie(b.pactor2Score, b.pactor3Text, b.pactor3Count, b.pulseValue));
      if (off.busy) {
        ASSERT_TRUE(on.busy);
        ASSERT_EQ(plain.panel, fading.panel);
      } else if (on.busy) {
        ASSERT_EQ(fading.panel, label);
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
  const std::pair<Form, double> forms[] = {{Form::Noise, 120}, {Form::Bursts, 120}, {Form::Cw, 120},
                                           {Form::Fax, 120},   {Form::Speech, 120}, {Form::Speech, 200}};
  for (double snr : {10.0, 30.0})
    for (const auto& [form, pitch] : forms) {
      signalgen::SignalRecipe recipe = testing::Recipe(form, snr, 30);
      recipe.keyed = true;
      recipe.pitch = pitch;
      recipe.seed = 3000 + static_cast<int>(form);
      const auto signal = signalgen::Generate(recipe);
      SCOPED_TRACE(std::string(signalgen::FormName(form)) + " " + std::to_string(pitch) + " " + std::to_string(snr));
      EXPECT_EQ(signalgen::CountFading(signal.samples, {}, on, kBuffer).allBusy,
                signalgen::CountFading(signal.samples, {}, off, kBuffer).allBusy);
    }
  const auto receiver = signalgen::ReceiverNoise(30, 300, 0.5, 3001);
  EXPECT_EQ(signalgen::CountFading(receiver, {}, on, kBuffer).allBusy, 0);
  // A lighting buzz whose lines (about 121.6 Hz apart) lie beside the Pactor 3 grid's places, not on them.
  const auto buzz = signalgen::ShipChannel(signalgen::ShipKind::LightingBuzz, 20, 30, 2);
  EXPECT_EQ(signalgen::CountFading(buzz, {}, on, kBuffer).allBusy, 0);
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
          StatisticsUpdate(statistics, rig.analysis.Results(), rig.settings, rig.analysis.Spectrum().SignalLevel(),
                           rig.analysis.BufferSeconds());
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
