#include "audio/Simulator.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "tests/audio/SignalFakes.h"

namespace velmora {
namespace {

std::int16_t Formula(const SimulateSettings& s, int n) {
  const double pi2 = 6.28318530717959;
  double a = s.amLevel * 8000.0 / 100.0, offset = 16000.0 - a;
  double pa = n * pi2 * s.amRate / 11025.0, pc = n * pi2 * s.frequency / 11025.0;
  return static_cast<std::int16_t>(std::nearbyint((a * std::cos(pa) + offset) * std::cos(pc)));
}

TEST(Simulator, SamplesFollowTheFormulaAtFullAndHalfLevel) {
  for (float level : {100.0f, 50.0f}) {
    SimulateSettings s;
    s.amLevel = level;
    std::vector<std::int16_t> out(2048);
    SimulateSamples(s, out);
    EXPECT_EQ(out[0], 16000) << "both phases start at 0";
    int mismatches = 0;
    for (int n = 0; n < 2048; ++n) mismatches += std::abs(out[n] - Formula(s, n)) > 1;
    EXPECT_EQ(mismatches, 0) << level;
  }
  SimulateSettings full;
  std::vector<std::int16_t> out(2048);
  SimulateSamples(full, out);
  // At 100 % the envelope swings between 0 and 16000: after half an AM period it is near 0.
  EXPECT_LT(std::abs(out[128]), 50);
}

TEST(Simulator, LevelsAbove100PercentAreHeldToTheSampleRange) {
  SimulateSettings s;
  s.amLevel = 400;  // the envelope swings down to 16000 - 2 * 32000
  std::vector<std::int16_t> out(4096);
  SimulateSamples(s, out);
  EXPECT_EQ(out[128], -32768) << "held, not wrapped to a positive value";
  for (auto v : out) EXPECT_GE(v, -32768);
}

TEST(Simulator, WithoutOutputOneBufferIsProcessedAndTheSimulationEnds) {
  testing::SignalRig rig;
  rig.signal.inputSource = kSimulated;
  rig.Start();
  ASSERT_EQ(rig.analysis.analysed.size(), 1u);
  EXPECT_EQ(rig.analysis.analysed[0][0], 16000);
  EXPECT_FALSE(rig.signal.Running());
}

TEST(Simulator, AFailedOutputOpenStopsTheLoop) {
  testing::SignalRig rig;
  rig.signal.inputSource = kSimulated;
  rig.signal.simulate.output = true;
  rig.output.openCode = 6;
  rig.Start();
  EXPECT_FALSE(rig.signal.Running());
  EXPECT_EQ(rig.host.Last(1), "Stopped");
  EXPECT_EQ(rig.messages.Texts()[0], "WaveOutputOpen - Cannot Open Sound Card\rNo device driver is present.");
}

TEST(Simulator, WithOutputItPlaysUntilStopped) {
  testing::SignalRig rig;
  rig.signal.inputSource = kSimulated;
  rig.signal.simulate.output = true;
  rig.output.onScriptEnd = [&] { rig.signal.ProcessStop(); };
  for (int i = 0; i < 4; ++i) rig.output.script.push_back([](testing::FakeWaveDevice& d) { return d.Fill(); });
  rig.pump.passes = {nullptr, nullptr, [&] { rig.signal.ProcessStop(); }};
  rig.Start();
  EXPECT_EQ(rig.analysis.analysed.size(), 4u) << "the generated buffer, then three played";
  EXPECT_FALSE(rig.signal.Running());
  EXPECT_FALSE(rig.output.IsOpen());
}

}  // namespace
}  // namespace velmora
