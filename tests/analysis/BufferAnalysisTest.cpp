// One buffer through the analysis. The maths under the spectrum (the
// transforms, the windows, decibels) and the spectrum itself: its power
// density, its level and its bins. The detector chain: power gate, Pactor
// before noise, the exclusive modes, what is cleared and what is kept, and
// the values the AutoConnect side reads and sets. Then the detectors one
// by one: the Pactor detectors (what is counted, the offset search, the
// markers and the fine step; which fires first, and the wide band's
// narrower forms, are the golden outputs'), the pulse detector (the step
// from a transmission to its pause in a busy buffer), and the burst and
// peak detectors; the statistics' text.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <tuple>
#include <utility>
#include <vector>

#include "AnalysisTestSupport.h"
#include "analysis/DetectorStatistics.h"
#include "analysis/FftPlan.h"
#include "analysis/MathLib.h"
#include "analysis/PactorDetectors.h"
#include "analysis/PowerDensity.h"
#include "analysis/SignalAnalysis.h"
#include "analysis/ToneDetector.h"
#include "common/Format.h"
#include "tools/signalgen/ChannelSignal.h"
#include "tools/signalgen/SignalGen.h"

namespace velmora {
namespace {

using testing::Pactor2;
using testing::Pactor3;
using testing::Pcm;
using testing::RecordingDrawing;
using testing::Tone;

// The kept tables and the vector path give the same numbers as the plain
// recurrence, bit for bit, at every size and in both directions, also when
// one plan goes back to a smaller size.
TEST(FftPlan, GivesExactlyThePlainTransformsNumbers) {
  for (FftPath path : {FftPath::Scalar, FftPath::Avx, FftPath::Avx512}) {
    if (!FftPlan::Supported(path)) continue;
    FftPlan plan(path);
    for (int log2n : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 11, 8}) {
      for (int direction : {1, -1}) {
        signalgen::Random random(10 + log2n);
        std::vector<Complex> expected(std::size_t{1} << log2n);
        for (auto& c : expected) c = {float(random.Gaussian() * 1000), float(random.Gaussian() * 1000)};
        auto actual = expected;
        Fft(direction, expected, log2n);
        plan.Transform(direction, actual, log2n);
        ASSERT_EQ(0, std::memcmp(expected.data(), actual.data(), expected.size() * sizeof(Complex)))
            << "path " << static_cast<int>(path) << " log2n " << log2n << " direction " << direction;
      }
    }
  }
}

// No decibel figure goes to minus infinity, and a one-point triangular
// window (no half to divide by) leaves its point.
TEST(MathLib, DecibelsAndAOnePointWindowStayFinite) {
  for (double bad : {0.0, -5.0, std::numeric_limits<double>::quiet_NaN()}) EXPECT_EQ(Db10(bad), -100) << bad;
  EXPECT_EQ(Db10(1e-40), -300);
  EXPECT_EQ(Db10(std::numeric_limits<double>::infinity()), 300);
  std::vector<Complex> one{{3, 4}};
  Window(6, one, 1);
  EXPECT_EQ(one[0].re, 3);
}

TEST(PowerDensity, FlatBufferGivesMinus127AndTheFloorInEveryBin) {
  PowerDensity a;
  for (std::int32_t n : {256, 2048, 32768}) {
    for (std::int16_t value : {0, 1234, -32768}) {
      a.Analyse(std::vector<std::int16_t>(static_cast<std::size_t>(n), value), n);
      EXPECT_EQ(a.SignalLevel(), -127.0f) << n << " " << value;
      const float floor = static_cast<float>(-100 - Db10(n));
      for (std::int32_t b = 0; b < n / 2; ++b) ASSERT_EQ(a.Density(b), floor) << n << " bin " << b;
    }
  }
}

TEST(PowerDensity, AShortLastBufferIsZeroPaddedToTheTransformLengthALongOneCut) {
  PowerDensity a;
  const auto tone = Tone(1000, 1700, 3000);
  a.Analyse(tone, 2048);
  EXPECT_EQ(a.N(), 2048);
  EXPECT_EQ(a.SampleCount(), 1000);
  // The level is that of the samples heard, not diluted by the padding.
  EXPECT_NEAR(a.SignalLevel(), 10 * std::log10(3000.0 * 3000 / 2) - 27, 0.2);
  EXPECT_EQ(a.Bin(1700), 316);
  EXPECT_GT(a.Density(316), a.Density(100) + 30);
  // The transform length is always a power of two in range.
  EXPECT_EQ(TransformLength(100, 4096), 4096);
  EXPECT_EQ(TransformLength(3000, 0), 4096);     // not a size: the next power above the buffer
  EXPECT_EQ(TransformLength(100000, 65536), 32768);
  a.Analyse(std::vector<std::int16_t>(40000, 5), 2048);  // longer than the transform: cut
  EXPECT_EQ(a.SampleCount(), 2048);
  a.Analyse({}, 2048);  // nothing at all
  EXPECT_EQ(a.SignalLevel(), -127.0f);
}

TEST(Bins, AreNearestAndKeptInsideTheSpectrum) {
  EXPECT_EQ(BinOf(-500, 2048), 0);
  EXPECT_EQ(BinOf(5512.5, 2048), 1023);
  EXPECT_EQ(BinShift(-20, 2048), -4);  // -3.7 bins
  EXPECT_EQ(ClampBin(-1, 2048), 0);
  EXPECT_EQ(ClampBin(1024, 2048), 1023);
}

struct Chain : ::testing::Test, testing::AnalysisRig {};

// A quiet channel runs no other detector; a busy buffer is never noise; of
// the noise detectors burst comes first.
TEST_F(Chain, AQuietChannelRunsNoOtherDetectorAndNoiseDetectorsRunOnlyWhenNoPactorFired) {
  settings.burstEnabled = settings.peakEnabled = true;
  settings.burstThreshold = settings.peakThreshold = 0;  // would fire on anything
  signalgen::SignalRecipe quiet = testing::Pactor2(40);
  quiet.rms = 30;  // level about 2.5 dB, under the 10 dB gate
  EXPECT_EQ(RunBuffer(Pcm(quiet), 2048), Verdict{});
  EXPECT_FALSE(analysis.Results().powerDetected);
  EXPECT_EQ(analysis.Results().pactor2Text, "");
  settings.powerEnabled = false;  // no gate: the clean signal is found, and no noise detector runs
  EXPECT_EQ(RunBuffer(Pcm(quiet), 2048), Verdict{.busy = true});
  EXPECT_EQ(analysis.Results().burstText + analysis.Results().peakText, "");

  const auto pcm = Pcm(testing::Recipe(signalgen::Form::Noise, 20, 0.5));
  settings.peakThreshold = DetectorSettings{}.peakThreshold;
  EXPECT_EQ(RunBuffer(pcm, 2048), Verdict{.noise = true});
  EXPECT_EQ(panel, "Burst Noise");
  EXPECT_EQ(analysis.Results().peakText, "");
  settings.burstEnabled = false;
  settings.peakThreshold = 0;
  EXPECT_EQ(RunBuffer(pcm, 2048, 2048), Verdict{.noise = true});
  EXPECT_EQ(panel, "Peak Noise");
  EXPECT_TRUE(analysis.Results().peakDetected);
  settings.peakThreshold = 100;
  EXPECT_EQ(RunBuffer(pcm, 2048, 2048), Verdict{});
  EXPECT_EQ(panel, "") << "neither busy nor noise: the panel is cleared";
}

// Automatic, a Pactor 3 row takes the decoder's centre (the Pactor 2 row's
// 1500 and the restore: the engine's tests).
TEST_F(Chain, CentreFrequencyFollowsTheTableOnlyWhenAutomaticAndMovesThePactor2Search) {
  DetectorValues& values = analysis;
  settings.centerFrequencyAuto = false;
  settings.centerFrequency = 2100;
  CenterFrequencySet(values, true);
  CenterFrequencyRestore(values);
  EXPECT_EQ(settings.centerFrequency, 2100);
  settings.centerFrequencyAuto = true;
  settings.centerFrequencyAutoFrequency = 1600;
  CenterFrequencySet(values, true);
  EXPECT_EQ(settings.centerFrequency, 1600);
  // The centre moves the Pactor 2 search.
  const auto pcm = Pcm(testing::Pactor2());  // around 1700 Hz
  settings.centerFrequency = 1500;
  settings.pactor3Enabled = false;
  EXPECT_FALSE(RunBuffer(pcm, 2048).busy);
  analysis.SetCenterFrequency(1700);
  EXPECT_TRUE(RunBuffer(pcm, 2048).busy);
}

signalgen::SignalRecipe Cw(double frequency, double snr) {
  return {.form = signalgen::Form::Cw, .center = frequency, .snrDb = snr, .seconds = 1};
}

// Silence leaves the phase fit nothing to fit: level and ratio 0 before the -30 and +33.
TEST_F(Chain, CwModeMeasuresTheToneNeverReportsBusyAndFindsNoneInSilenceOrOutsideTheRange) {
  settings.cwMode = true;
  EXPECT_EQ(RunBuffer(Pcm(Cw(1703.3, 20)), 2048), Verdict{});
  const auto& r = analysis.Results();
  ASSERT_TRUE(r.cwDetected);
  EXPECT_NEAR(r.cwFrequency, 1703.3, 0.3);
  EXPECT_NEAR(r.cwValue, 17.4 + 33, 2);  // 20 dB in 3 kHz: 17.4 dB in the whole band, plus 33
  EXPECT_EQ(r.cwText, FormatNumber(r.cwValue, "0"));
  EXPECT_EQ(panel, FormatNumber(r.cwFrequency, ".0") + " +/- 5.4 (Hz), " + FormatNumber(r.cwValue, "0.0") + " (dB)");

  RunBuffer(std::vector<std::int16_t>(2048, 0), 2048);
  EXPECT_EQ(std::tuple(r.cwValue, r.cwLevel, r.cwDetected), std::tuple(33.0f, -30.0f, false));
  EXPECT_EQ(panel, "");
  settings.cwFrequency = 1000;  // a tone outside the range is not found
  RunBuffer(Pcm(Cw(1700, 20)), 2048);
  EXPECT_FALSE(r.cwDetected);

  // A Pactor signal in CW mode: still neither busy nor noise, nor counted.
  settings.burstEnabled = settings.peakEnabled = true;
  EXPECT_EQ(RunBuffer(Pcm(testing::Pactor2()), 2048), Verdict{});
  EXPECT_EQ(analysis.Pactor2Count(), 0);
}

TEST_F(Chain, WwvModeAndTheReferenceFlagUseTheCentreFrequency) {
  settings.centerFrequency = 1000;
  analysis.SetReferenceWwv(true);
  settings.cwMode = true;  // WWV comes before CW
  RunBuffer(Pcm(Cw(1050, 10)), 4096);
  EXPECT_TRUE(analysis.WwvDetected());
  EXPECT_NEAR(analysis.WwvValue(), 7.4 + 33, 2);
  EXPECT_NEAR(analysis.Results().wwvFrequency, 1050, 0.3);
  EXPECT_FALSE(analysis.Results().cwDetected);
  EXPECT_EQ(analysis.Results().cwText, "");

  analysis.SetReferenceWwv(false);
  settings.cwMode = false;
  settings.wwvMode = true;  // the mode does what the flag did
  RunBuffer(Pcm(Cw(1050, 10)), 4096);
  EXPECT_TRUE(analysis.WwvDetected());
}

TEST_F(Chain, FaxPathAndEstimateMeasureASteadyEnvelopeAndReferenceFaxSilencesAPactorSignal) {
  settings.faxMode = true;
  settings.wwvMode = true;  // FAX comes first
  EXPECT_EQ(RunBuffer(Pcm(testing::Recipe(signalgen::Form::Fax, 30, 1)), 2048), Verdict{});
  ASSERT_TRUE(analysis.FaxDetected());
  EXPECT_GT(analysis.FaxSnr(), 40);
  EXPECT_EQ(panel, "Power " + FormatNumber(analysis.FaxLevel(), "0") + ", Snr " + FormatNumber(analysis.FaxSnr(), "0"));
  EXPECT_EQ(analysis.Results().faxText, FormatNumber(analysis.FaxSnr(), ".0"));
  EXPECT_FALSE(analysis.WwvDetected());

  RunBuffer(Pcm(testing::Recipe(signalgen::Form::Noise, 20, 1)), 2048);
  EXPECT_FALSE(analysis.FaxDetected());
  EXPECT_LT(analysis.FaxSnr(), 40);
  EXPECT_EQ(panel, "");
  // A receiver's noise overdriven, four samples in five clipped: its flat
  // tops are no steady envelope of a FAX.
  const auto overdriven = signalgen::GenerateChannel(
      {.channel = signalgen::FindChannel("passband-s1"), .snrDb = 0, .seconds = 1, .rms = 150000});
  RunBuffer(signalgen::ToPcm16(overdriven.samples), 2048);
  EXPECT_FALSE(analysis.FaxDetected());
  EXPECT_EQ(panel, "");
  // The reference flag alone silences a Pactor signal.
  settings.faxMode = settings.wwvMode = false;
  analysis.SetReferenceFax(true);
  EXPECT_EQ(RunBuffer(Pcm(testing::Pactor2()), 2048), Verdict{});
  analysis.SetReferenceFax(false);
  EXPECT_TRUE(RunBuffer(Pcm(testing::Pactor2()), 2048).busy);
  // Silence, and an envelope with no steady part at all (every other entry
  // zero: k = 1), give -100.
  const FaxEstimate silent = EstimateFax(std::vector<Complex>(200));
  EXPECT_EQ(std::pair(silent.level, silent.ratio), std::pair(-100.0f, -100.0f));
  std::vector<Complex> gated(200);
  for (std::size_t i = 0; i < gated.size(); i += 2) gated[i] = {1, 0};
  EXPECT_EQ(EstimateFax(gated).ratio, -100);
}

struct PactorDetection : ::testing::Test, testing::AnalysisRig {};

// The labels of each form are DetectionTest's, on longer signals.
TEST_F(PactorDetection, EveryPactor3FormIsCountedAndVariantFourAsThree) {
  const int reported[] = {0, 1, 2, 3, 3, 5, 6};
  for (int v = 1; v <= 6; ++v) {
    analysis.PactorCountsReset();
    ASSERT_TRUE(RunBuffer(Pcm(Pactor3(v, 25)), 2048, 2048).busy) << v;
    EXPECT_EQ(analysis.Results().pactor3Variant, reported[v]);
    EXPECT_EQ(analysis.Pactor3Count(reported[v]), 1);
    EXPECT_EQ(analysis.Pactor3Count(4), 0);
  }
  EXPECT_EQ(analysis.Pactor3Count(0) + analysis.Pactor3Count(7), 0);  // outside the table
}

TEST_F(PactorDetection, NoOffsetSearchWithAStepOrRangeOfZeroOrLess) {
  const auto pcm = Pcm(Pactor2());
  for (auto [range, step] : {std::pair{100.0f, 0.0f}, {100.0f, -20.0f}, {0.0f, 20.0f}, {-100.0f, 20.0f},
                             {std::numeric_limits<float>::quiet_NaN(), 20.0f}}) {
    settings.offsetFrequencyRange = range;
    settings.offsetFrequencyStep = step;
    RunBuffer(pcm, 2048);
    EXPECT_EQ(panel, "Pactor 2") << range << " " << step;
    EXPECT_GE(analysis.Results().pactor3Variant, 1) << "a scan over no offset would leave every score at -100";
  }
}

TEST_F(PactorDetection, MarkersGoToTheDrawingWhileItIsShown) {
  RecordingDrawing drawing;
  analysis.SetDrawing(&drawing);
  RunBuffer(Pcm(Pactor2()), 2048);
  EXPECT_EQ(drawing.Count("marker"), 2);  // one per tone

  // Nothing while the displays are hidden; detection goes on.
  drawing.shown = false;
  drawing.drawn.clear();
  EXPECT_TRUE(RunBuffer(Pcm(Pactor2()), 2048).busy);
  EXPECT_TRUE(drawing.drawn.empty());
}

// However fine the step, a search takes at most 512 steps over its range
// (the scores of a correlator shared by the templates: the scores' digest).
TEST_F(PactorDetection, AFineStepIsRaised) {
  const auto pcm = Pcm(Pactor3(3, 20, 20));
  analysis.Analyse({pcm.data(), 32768}, 32768);
  const auto& spectrum = analysis.Spectrum();
  PactorDetectors detectors;
  TemplateCorrelator shared;
  shared.Begin(spectrum);
  constexpr float kGrid = 800.0f / 512;
  for (int variant : {1, 2, 3, 5, 6}) {
    const SpectrumTemplate& tmpl = detectors.Pactor3Template(32768, variant);
    const Correlation score = shared.Correlate(tmpl, 400, 0.001f);
    const float steps = (score.offset + 400) / kGrid;
    EXPECT_NEAR(steps, std::round(steps), 0.01) << variant << ": " << score.offset;
  }
}

// A transmission that ends inside a busy buffer: the step from signal to
// pause is the buffer's signal-to-noise figure.
std::vector<std::int16_t> PacketEndingAt(double seconds, double snr) {
  return Pcm({.form = signalgen::Form::Pactor2, .snrDb = snr, .seconds = 1,
              .rhythm = {.cycle = 10, .packet = seconds, .ackLength = 0}});
}

struct Pulse : ::testing::Test, testing::AnalysisRig {
  testing::RecordingDrawing drawing;
  Pulse() { settings.pulseEnabled = true; analysis.RestartContinuity(); analysis.SetDrawing(&drawing); }
};

// Only busy buffers are looked into.
TEST_F(Pulse, MeasuresTheStepBetweenATransmissionAndItsPauseAndMarksItsMiddle) {
  const auto pcm = PacketEndingAt(0.2, 20);  // 2205 samples of signal, then noise
  EXPECT_EQ(RunBuffer(pcm, 4096), (Verdict{.busy = true, .pulse = true}));
  const auto& r = analysis.Results();
  EXPECT_NEAR(r.pulseValue, 17.4, 3);  // 20 dB in 3 kHz is 17.4 dB over the whole band
  EXPECT_EQ(panel, "Pactor 2, Snr " + FormatNumber(r.pulseValue, "0"));
  ASSERT_EQ(drawing.Count("pulse"), 1);
  EXPECT_NEAR(drawing.drawn.back().x, 0.2 * 11025, 300);

  settings.pactor2Enabled = settings.pactor3Enabled = false;
  EXPECT_EQ(RunBuffer(pcm, 4096), Verdict{});
  EXPECT_FALSE(r.pulseDetected);
  EXPECT_EQ(r.pulseValue, 0) << "the last buffer's value is not kept";
  EXPECT_EQ(panel, "");
}

TEST_F(Pulse, RunsDuringAutoConnectWhateverThePulseSettingAndKeepsItsValueAfter) {
  settings.pulseEnabled = false;
  const auto step = PacketEndingAt(0.2, 20);
  RunBuffer(step, 4096);
  EXPECT_EQ(analysis.PulseValue(), 0);  // never ran
  EXPECT_EQ(analysis.Results().pulseText, "");

  analysis.SetAutoConnectActive(true);
  EXPECT_FALSE(RunBuffer(step, 4096).pulse);  // found, but "Pulse" is off: no playback stop
  EXPECT_TRUE(analysis.Results().pulseDetected);
  const float value = analysis.PulseValue();
  EXPECT_GT(value, 10);
  const auto steady = Pcm(testing::Pactor2(20));
  RunBuffer(steady, 4096);  // busy, but no step: 0 on every buffer without a pulse
  EXPECT_EQ(analysis.PulseValue(), 0);
  RunBuffer(step, 4096);
  EXPECT_EQ(analysis.PulseValue(), value);

  analysis.SetAutoConnectActive(false);
  RunBuffer(steady, 4096);  // the detector no longer runs
  EXPECT_EQ(analysis.PulseValue(), value);
}

TEST_F(Pulse, TheWindowsReachBackIntoTheLastBufferButNotPastARestart) {
  // A steady transmission whose level drops 20 dB 300 samples into a buffer.
  const auto steady = Pcm(testing::Pactor2(30));
  std::vector<std::int16_t> drop(steady.begin() + 4096, steady.begin() + 8192);
  for (std::size_t i = 300; i < drop.size(); ++i) drop[i] = static_cast<std::int16_t>(drop[i] / 10);

  RunBuffer(steady, 4096);
  ASSERT_TRUE(RunBuffer(drop, 4096).busy);
  ASSERT_EQ(drawing.Count("pulse"), 1);
  EXPECT_NEAR(drawing.drawn.back().x, 300, 60);
  EXPECT_NEAR(analysis.PulseValue(), 20, 1);

  // Right after a restart no window around sample 300 is full yet.
  analysis.RestartContinuity();
  drawing.drawn.clear();
  ASSERT_TRUE(RunBuffer(drop, 4096).busy);
  for (const auto& d : drawing.drawn)
    if (d.what == "pulse") { EXPECT_GE(d.x, 500); }
}

std::vector<std::int16_t> Square(std::size_t n, std::int16_t amplitude) {
  std::vector<std::int16_t> s(n);
  for (std::size_t i = 0; i < n; ++i) s[i] = i % 2 ? amplitude : static_cast<std::int16_t>(-amplitude);
  return s;
}

// The noise detectors alone: no gate, and no Pactor detector before them.
struct NoiseDetectors : ::testing::Test, testing::AnalysisRig {
  RecordingDrawing drawing;
  NoiseDetectors() {
    settings.powerEnabled = settings.pactor2Enabled = settings.pactor3Enabled = false;
    analysis.SetDrawing(&drawing);
  }
};

TEST_F(NoiseDetectors, BurstFiresOnASuddenRiseOrDropAndMarksIt) {
  settings.burstEnabled = true;
  settings.burstThreshold = 35;
  RunBuffer(Square(2048, 100), 2048);
  EXPECT_FALSE(RunBuffer(Square(2048, 100), 2048).noise);
  EXPECT_TRUE(RunBuffer(Square(2048, 1000), 2048).noise);
  EXPECT_EQ(panel, "Burst Noise");
  ASSERT_EQ(drawing.Count("burst"), 1);
  EXPECT_TRUE(RunBuffer(Square(2048, 10), 2048).noise);  // drops fire too
  EXPECT_LT(analysis.Results().detectorValue, -35) << "the smallest wins when it is the larger excursion";
}

TEST_F(NoiseDetectors, PeakFiresOnAToneStandingOutOfTheBand) {
  settings.peakEnabled = true;
  const auto& r = analysis.Results();
  auto pcm = testing::Pcm(testing::Recipe(signalgen::Form::Noise, 20, 0.2));
  EXPECT_FALSE(RunBuffer(pcm, 2048).noise);
  EXPECT_GE(r.peakValue, 0);
  EXPECT_LT(r.peakValue, 20);

  const auto tone = testing::Tone(2048, 1500, 3000);
  for (std::size_t i = 0; i < 2048; ++i) pcm[i] = static_cast<std::int16_t>(pcm[i] / 10 + tone[i]);
  EXPECT_TRUE(RunBuffer(pcm, 2048).noise);
  EXPECT_EQ(panel, "Peak Noise");
  EXPECT_GT(r.peakValue, 20);

  EXPECT_FALSE(RunBuffer(std::vector<std::int16_t>(2048, 9), 2048).noise);  // flat: nothing above the band level
  EXPECT_EQ(r.peakValue, 0);
}

// What the statistics show after a run of buffers, given as runs of alike
// buffers: each buffer's value, whether it hit, its duration, and how many.
TEST(DetectorStatistics, TextOfTheBuffersCounted) {
  struct Buffers { float value; bool hit; float seconds; int times; };
  struct Row { const char* name; StatisticsDetector detector; std::vector<Buffers> runs; std::string text; };
  const Row rows[] = {
      // Silence reads -127 dB: the peak is the largest value added, not the
      // reset value above them all.
      {"silence", StatisticsDetector::Power, {{-127.0f, false, 0.186f, 2}, {-110.5f, false, 0.186f, 1}},
       "Power:\rCount 3, Hits 0\rRate 0.0e0, Secs .2\rMean -121.5, Std 7.8\rPeak -110.5"},
      // A steady value spreads by nothing, however its squares round.
      {"steady", StatisticsDetector::Pactor2, {{43.2f, false, 0.186f, 100}},
       "Pactor 2:\rCount 100, Hits 0\rRate 0.0e0, Secs 18.6\rMean 43.2, Std .0\rPeak 43.2"},
      // Buffers of 8192 samples, then of 2048 (AutoConnect's size): each
      // counts for its own duration.
      {"gate open at 8192", StatisticsDetector::Power, {{20.0f, true, 0.743f, 2}, {0.0f, false, 0.186f, 18}},
       "Power:\rCount 20, Hits 2\rRate 1.0e-1, Secs 1.5\rMean 2.0, Std 6.0\rPeak 20.0"},
      {"hits at 8192", StatisticsDetector::Pactor2, {{50.0f, true, 0.743f, 10}, {10.0f, false, 0.186f, 10}},
       "Pactor 2:\rCount 20, Hits 10\rRate 5.0e-1, Secs .9\rMean 30.0, Std 20.0\rPeak 50.0"},
  };
  for (const auto& row : rows) {
    DetectorStatistics s;
    for (const Buffers& run : row.runs)
      for (int i = 0; i < run.times; ++i) s.Add(row.detector, run.hit, run.value, run.seconds);
    EXPECT_EQ(s.Text(row.detector, 0.186f), row.text) << row.name;
  }
}

}  // namespace
}  // namespace velmora
