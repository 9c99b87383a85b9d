// The signal generator's fading channels and link pauses:
// what the tables measured through them rests on these.
#include <gtest/gtest.h>

#include <cmath>
#include <complex>

#include "tools/signalgen/FadingChannel.h"
#include "tools/signalgen/LinkPauses.h"
#include "tools/signalgen/SignalGen.h"

namespace velmora::signalgen {
namespace {

double Power(std::span<const float> x) {
  double sum = 0;
  for (float v : x) sum += double(v) * v;
  return sum / double(x.size());
}

// A path's gain: Gaussian with a mean power of 1, and as fast as its spread
// says (a Gaussian Doppler spectrum of deviation s has the correlation
// exp(-2 pi^2 s^2 t^2), a half at t = 0.1874 / s).
TEST(FadingChannel, PathGainsHaveUnitPowerAndTheirSpread) {
  for (double spread : {0.5, 10.0}) {
    const double step = 11025 / (spread * 40);  // 20 values per half-correlation time
    const std::size_t count = 200000;
    const auto g = PathGains(count, step, spread, 5);
    const auto value = [&](std::size_t i) { return std::complex<double>(g[2 * i], g[2 * i + 1]); };
    const std::size_t lag = std::lround(0.1874 / (spread / 2) * 11025 / step);
    double power = 0;
    std::complex<double> correlation = 0;
    for (std::size_t i = 0; i + lag < count; ++i) {
      power += std::norm(value(i));
      correlation += value(i + lag) * std::conj(value(i));
    }
    EXPECT_NEAR(power / double(count - lag), 1.0, 0.1) << spread;
    EXPECT_NEAR(std::abs(correlation) / power, 0.5, 0.1) << spread;
  }
}

// The signal keeps its mean power through the channel's two paths.
TEST(FadingChannel, KeepsThePowerOnAverage) {
  std::vector<float> tone(10 * 11025);
  AddTone(tone, 1500, 1000, {});
  double faded = 0;

  FadingChannel poor;
  ASSERT_TRUE(NamedChannel("poor", poor));
  for (std::uint64_t seed = 1; seed <= 6; ++seed) {
    std::vector<float> x = tone;
    ApplyFading(x, poor, seed);
    faded += Power(x) / Power(tone) / 6;
  }
  EXPECT_NEAR(faded, 1.0, 0.25);
}

// Both stations of a link take turns; a station never sends and replies at once,
// and the two never transmit together.
TEST(LinkPauses, StationsTakeTurnsAndNeverOverlap) {
  Random random(4);
  const LinkGates gates = MakeLinkGates(120 * 11025, {}, 0, random);
  double firstOn = 0, otherOn = 0;
  for (std::size_t n = 0; n < gates.first.size(); ++n) {
    ASSERT_FALSE(gates.first[n] > 0.1f && gates.other[n] > 0.1f) << n;
    firstOn += gates.first[n] > 0.5f;
    otherOn += gates.other[n] > 0.5f;
  }
  EXPECT_GT(gates.first[11025 / 2], 0.5f) << "the first station begins";
  EXPECT_GT(firstOn, 11025 * 0.96 * 4);
  EXPECT_GT(otherOn, 11025 * 0.96 * 4) << "the other station sent blocks too";
}

}  // namespace
}  // namespace velmora::signalgen
