// Waiting by the clock while window events run.
#include "common/SystemLib.h"

#include <gtest/gtest.h>

#include <vector>

namespace velmora {
namespace {

// A clock that moves only while the pump idles.
struct CountingPump final : EventPump, Clock {
  double now = 100;
  int runs = 0;
  std::vector<std::chrono::milliseconds> idles;
  double Seconds() override { return now; }
  void RunPending() override { ++runs; }
  void Idle(std::chrono::milliseconds longest) override {
    idles.push_back(longest);
    now += 0.015;  // the next event came after 15 ms
  }
};

TEST(WaitSeconds, WaitsByTheClockAndLetsEventsRunThroughout) {
  CountingPump pump;
  WaitSeconds(pump, pump, 0.5);
  EXPECT_GE(pump.now, 100.5);
  EXPECT_LT(pump.now, 100.5 + 0.015);
  EXPECT_EQ(pump.runs, static_cast<int>(pump.idles.size()) + 1) << "events run before and after every idle";
  for (auto idle : pump.idles) EXPECT_LE(idle.count(), 20) << "never idle long past the end";
  pump.runs = 0;
  WaitSeconds(pump, pump, 0);
  EXPECT_EQ(pump.runs, 1) << "no wait still lets events run once";
}

}  // namespace
}  // namespace velmora
