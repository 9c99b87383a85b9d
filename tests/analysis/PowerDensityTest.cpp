#include "analysis/PowerDensity.h"

#include <gtest/gtest.h>

#include <cmath>

#include "AnalysisTestSupport.h"

namespace velmora {
namespace {

using testing::Constant;
using testing::Tone;

TEST(PowerDensity, FlatBufferGivesMinus127AndTheFloorInEveryBin) {
  PowerDensity a;
  for (std::int32_t n : {256, 2048, 32768}) {
    for (std::int16_t value : {0, 1234, -32768}) {
      a.Analyse(Constant(static_cast<std::size_t>(n), value), n);
      EXPECT_EQ(a.SignalLevel(), -127.0f) << n << " " << value;
      EXPECT_EQ(a.SampleMean(), static_cast<float>(value));
      const float floor = static_cast<float>(-100 - Db10(n));
      for (std::int32_t b = 0; b < n / 2; ++b) ASSERT_EQ(a.Density(b), floor) << n << " bin " << b;
    }
  }
}

TEST(PowerDensity, ToneShowsInItsBinAboveTheRestAndTheLevelIsTheMeanSquareLess27) {
  PowerDensity a;
  a.Analyse(Tone(2048, 11025.0 * 200 / 2048, 1000), 2048);  // on a bin: mean square 500000
  EXPECT_NEAR(a.SignalLevel(), 10 * std::log10(500000.0) - 27, 0.01);
  a.Analyse(Tone(2048, 1700, 3000), 2048);
  const std::int32_t peak = a.Bin(1700);  // 316, as BinOf gives
  for (std::int32_t b = 0; b < 1024; ++b)
    if (std::abs(b - peak) > 2) { ASSERT_LT(a.Density(b), a.Density(peak) - 30) << b; }
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
  EXPECT_EQ(TransformLength(2048, 2048), 2048);
  EXPECT_EQ(TransformLength(100, 4096), 4096);
  EXPECT_EQ(TransformLength(3000, 0), 4096);     // not a size: the next power above the buffer
  EXPECT_EQ(TransformLength(10, 1000), 256);
  EXPECT_EQ(TransformLength(100000, 65536), 32768);
  a.Analyse(Constant(40000, 5), 2048);  // longer than the transform: cut
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
