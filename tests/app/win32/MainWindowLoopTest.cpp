// The real loop under the real main window: minimised, and started while an
// AutoConnect operation waits below it; panel 1 read back from the status bar.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "app/win32/MainWindow.h"
#include "tests/app/win32/MainWindowFixture.h"
#include "tests/autoconnect/win32/ThreadTimer.h"
#include "tools/signalgen/SignalGen.h"
#include "tests/common/win32/TestWin32.h"

namespace velmora {
namespace {

// Samples panel 1 from a timer that runs inside the loop's event passes,
// keeps each text it changes to, and acts on what it sees.
class PanelWatcher {
 public:
  using Action = std::function<void(const std::string& text, int tick)>;
  PanelWatcher(MainWindow& window, Action action)
      : timer_(20, [this, &window, action = std::move(action)] {
          std::string text = window.Status().Text(1);
          if (seen_.empty() || seen_.back() != text) seen_.push_back(text);
          action(text, ticks_++);
        }) {}
  bool Saw(const std::string& prefix) const {
    return std::any_of(seen_.begin(), seen_.end(), [&](const std::string& t) { return t.starts_with(prefix); });
  }

 private:
  std::vector<std::string> seen_;
  int ticks_ = 0;
  testing::ThreadTimer timer_;  // last: it runs the action over the members above
};

using MainWindowLoopTest = testing::MainWindowFixture<>;

TEST_F(MainWindowLoopTest, MinimisedNothingIsDrawnButDetectionGoesOn) {
  // One continuous transmission.
  auto pactor2 =
      signalgen::Generate({.form = signalgen::Form::Pactor2, .snrDb = 30, .seconds = 3, .rhythm = {.cycle = 0}});
  auto file = folder.path() / "pactor2.bin";
  std::error_code error;
  ASSERT_TRUE(signalgen::WriteRecording(file, pactor2.samples, false, error)) << error.message();
  window->Signal().inputSource = kPlayback;
  window->Signal().playbackFile = file;
  ShowWindow(window->Handle(), SW_MINIMIZE);
  Press("Start");
  PanelWatcher watcher(*window, [&](const std::string&, int tick) {
    if (window->Analysis().Pactor2Count() >= 5 || tick > 300) Press("Stop");
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
  auto file = folder.path() / "noise.bin";
  std::error_code error;
  ASSERT_TRUE(signalgen::WriteRecording(file, signalgen::Generate({.seconds = 2}).samples, false, error));
  window->Signal().inputSource = kPlayback;
  window->Signal().playbackFile = file;
  autoConnect.busy = true;
  Press("Start");
  EXPECT_FALSE(testing::PumpUntil([&] { return window->Status().Text(1).starts_with("Playback"); }, 0.5));
  autoConnect.busy = false;
  PanelWatcher watcher(*window, [&](const std::string& text, int tick) {
    if (text.starts_with("Playback") || tick > 300) Press("Stop");
  });
  ASSERT_TRUE(testing::PumpUntil([&] { return window->Status().Text(1) == "Stopped"; }, 15));
  EXPECT_TRUE(watcher.Saw("Playback"));
}

}  // namespace
}  // namespace velmora
