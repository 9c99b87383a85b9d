// The real loop under the real main window: minimised, and started while an
// AutoConnect operation waits below it or the loop of the input before ends;
// panel 1 read back from the status bar.
#include <cmath>

#include "tests/app/win32/MainWindowFixture.h"
#include "tests/app/win32/ThreadTimer.h"

namespace velmora {
namespace {

using MainWindowLoopTest = testing::MainWindowFixture<>;

TEST_F(MainWindowLoopTest, MinimisedNothingIsDrawnButDetectionGoesOn) {
  // One continuous transmission.
  Playback(signalgen::Generate({.form = signalgen::Form::Pactor2, .snrDb = 30, .seconds = 3, .rhythm = {.cycle = 0}})
               .samples);
  ShowWindow(window->Handle(), SW_MINIMIZE);
  Press("Start");
  int ticks = 0;
  // Inside the loop's event passes.
  testing::ThreadTimer watcher(20, [&] {
    if (window->Analysis().Pactor2Count() >= 5 || ++ticks > 300) Press("Stop");
  });
  ASSERT_TRUE(testing::PumpUntil(
      [&] { return !window->Signal().LoopActive() && window->Status().Text(1) == "Stopped"; }, 15));
  EXPECT_GE(window->Analysis().Pactor2Count(), 5) << "the detectors ran on every buffer";
  auto& picture = window->TimePicture();
  EXPECT_EQ(GetPixel(picture.BufferDc(), picture.Width() / 2, picture.Height() / 2), RGB(255, 255, 255))
      << "the time trace was never drawn";
}

struct BusySide : NoAutoConnect {
  bool busy = false;
  bool Busy() const override { return busy; }
};
using LoopUnderAnOperation = testing::MainWindowFixture<BusySide>;

// Started inside an AutoConnect operation's wait, the loop would hold the
// operation below it for good; it starts once the operation has returned.
TEST_F(LoopUnderAnOperation, TheLoopStartsOnceTheOperationHasReturned) {
  Playback(signalgen::Generate({.seconds = 2}).samples);
  autoConnect.busy = true;
  Press("Start");
  EXPECT_FALSE(testing::PumpUntil([&] { return window->Status().Text(1).starts_with("Playback"); }, 0.5));
  autoConnect.busy = false;
  bool played = false;
  int ticks = 0;
  testing::ThreadTimer watcher(20, [&] {
    played = played || window->Status().Text(1).starts_with("Playback");
    if (played || ++ticks > 300) Press("Stop");
  });
  ASSERT_TRUE(testing::PumpUntil([&] { return window->Status().Text(1) == "Stopped"; }, 15));
  EXPECT_TRUE(played);
}

// Options switches the input while a loop runs and ends that loop; a Start
// pressed before its last buffer was done was lost, "Stopped" stood.
TEST_F(MainWindowLoopTest, AStartWhileTheLoopOfTheInputBeforeEndsIsKept) {
  Playback(signalgen::Generate({.seconds = 2}).samples);
  Press("Start");
  bool switched = false;
  testing::ThreadTimer watcher(20, [&] {
    if (switched || !window->Signal().LoopActive()) return;
    window->Signal().PlaybackEnd();  // as Options, OK does on leaving playback
    window->Signal().inputSource = kSimulated;
    Press("Start");
    switched = true;
    // The loop before still waits for its last buffer, as a sound card's does.
    testing::PumpUntil([] { return false; }, 0.2);
  });
  // The test tone's bin stands out once the simulated buffer has been analysed.
  const auto& spectrum = window->Analysis().Spectrum();
  const std::int32_t tone = std::lround(window->Signal().simulate.frequency * 2048 / 11025);
  EXPECT_TRUE(testing::PumpUntil([&] {
    return switched && !window->Signal().LoopActive() && spectrum.N() == 2048 &&
           spectrum.Density(tone) > spectrum.Density(tone / 2) + 20;
  }, 15));
}

}  // namespace
}  // namespace velmora
