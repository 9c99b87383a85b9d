// The maths under the spectrum (the transforms, the windows, decibels) and
// the spectrum itself: its power density, its level and its bins.
#include "analysis/MathLib.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <numbers>
#include <vector>

#include "AnalysisTestSupport.h"
#include "analysis/FftPlan.h"
#include "analysis/PowerDensity.h"
#include "tools/signalgen/SignalGen.h"

namespace velmora {
namespace {

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

// No decibel figure goes to minus infinity, and a sine rounded just past 1
// still has an angle.
TEST(MathLib, DecibelsAndArcSinClampTheirArguments) {
  for (double bad : {0.0, -5.0, std::numeric_limits<double>::quiet_NaN()}) EXPECT_EQ(Db10(bad), -100) << bad;
  EXPECT_DOUBLE_EQ(Db20(1000), 60);
  EXPECT_EQ(Db10(1e-40), -300);
  EXPECT_EQ(Db10(std::numeric_limits<double>::infinity()), 300);
  EXPECT_NEAR(ArcSin(0.5), std::numbers::pi / 6, 1e-12);
  EXPECT_DOUBLE_EQ(ArcSin(1.0000001), kPi / 2);
  EXPECT_DOUBLE_EQ(ArcSin(-7), -kPi / 2);
}

TEST(PowerDensity, FlatBufferGivesMinus127AndTheFloorInEveryBin) {
  PowerDensity a;
  for (std::int32_t n : {256, 2048, 32768}) {
    for (std::int16_t value : {0, 1234, -32768}) {
      a.Analyse(std::vector<std::int16_t>(static_cast<std::size_t>(n), value), n);
      EXPECT_EQ(a.SignalLevel(), -127.0f) << n << " " << value;
      EXPECT_EQ(a.SampleMean(), static_cast<float>(value));
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
  EXPECT_EQ(BinOf(1700, 2048), 316);
  EXPECT_EQ(BinOf(-500, 2048), 0);
  EXPECT_EQ(BinOf(5512.5, 2048), 1023);
  EXPECT_EQ(BinShift(-20, 2048), -4);  // -3.7 bins
  EXPECT_EQ(ClampBin(-1, 2048), 0);
  EXPECT_EQ(ClampBin(1024, 2048), 1023);
  EXPECT_DOUBLE_EQ(BinFrequency(316, 2048), 316 * 11025.0 / 2048);
}

}  // namespace
}  // namespace velmora
