#include "audio/Simulator.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/audio/SignalFakes.h"

namespace velmora {
namespace {

TEST(Simulator, LevelsAbove100PercentAreHeldToTheSampleRange) {
  SimulateSettings s;
  s.amLevel = 400;  // the envelope swings down to 16000 - 2 * 32000
  std::vector<std::int16_t> out(4096);
  SimulateSamples(s, out);
  EXPECT_EQ(out[128], -32768) << "held, not wrapped to a positive value";
}

// Without output a start makes one buffer and ends. The scroll bars act at
// once: stopped on the shown buffer, playing from the next buffer.
TEST(Simulator, OneBufferWithoutOutputAndChangedSettingsHeardAndSeenAtOnce) {
  testing::SignalRig rig;
  rig.signal.inputSource = kSimulated;
  rig.Start();
  ASSERT_EQ(rig.analysis.analysed.size(), 1u);
  EXPECT_EQ(rig.analysis.analysed[0][0], 16000);
  EXPECT_FALSE(rig.signal.Running());
  rig.signal.SimulateChanged();
  EXPECT_EQ(rig.analysis.analysed.size(), 2u) << "stopped: the shown buffer is made again";
  rig.signal.simulate.output = true;
  for (int i = 0; i < 6; ++i) rig.output.script.push_back([](testing::FakeWaveDevice& d) { return d.Fill(0); });
  SimulateSettings changed = rig.signal.simulate;
  changed.frequency = 500;
  rig.pump.passes = {[&] {
    rig.signal.simulate = changed;
    rig.signal.SimulateChanged();
  }, nullptr, nullptr, [&] { rig.signal.ProcessStop(); }};
  rig.Start();
  std::vector<std::int16_t> expected(2048);
  SimulateSamples(changed, expected);
  ASSERT_GE(rig.analysis.analysed.size(), 5u);
  EXPECT_NE(rig.analysis.analysed[3], expected);
  EXPECT_EQ(rig.analysis.analysed.back(), expected);
  EXPECT_FALSE(rig.signal.Running());
  EXPECT_FALSE(rig.output.IsOpen()) << "played until stopped, then closed";
}

}  // namespace
}  // namespace velmora
