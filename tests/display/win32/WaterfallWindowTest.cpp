// The waterfall on the real main window: fed buffer by buffer from a real
// playback, drawn into the time picture with each buffer's verdict beside
// it, kept through a resize, and read out under the mouse.
#include <windows.h>

#include "display/WaterfallTexts.h"
#include "tests/app/win32/MainWindowFixture.h"

namespace velmora {
namespace {

COLORREF Colour(Rgb rgb) { return RGB(rgb >> 16 & 255, rgb >> 8 & 255, rgb & 255); }

class WaterfallWindowTest : public testing::MainWindowFixture<> {
 protected:
  // Each row of the picture shows its buffer's verdict at the right edge.
  void ExpectStripShowsTheHistory(const std::string& when) {
    const SignalDisplay& display = window->Display();
    const BufferedPicture& picture = window->TimePicture();
    const std::size_t rows = std::min<std::size_t>(display.History().Count(), picture.Height());
    ASSERT_GT(rows, 50u) << when;
    for (std::size_t y = 0; y < rows; ++y)
      ASSERT_EQ(GetPixel(picture.BufferDc(), picture.Width() - 2, static_cast<int>(y)),
                Colour(VerdictColour(display.History().Kind(y), true)))
          << when << ", row " << y;
  }
};

TEST_F(WaterfallWindowTest, ShowsEachBuffersVerdictKeepsItThroughAResizeAndReadsItOut) {
  // A Pactor 2 link heard from one side, after 3 s of channel noise.
  Playback(signalgen::Generate({.form = signalgen::Form::Pactor2, .snrDb = 20, .seconds = 25,
                                .rhythm = {.ackLength = 0, .start = 3}}).samples);
  window->Settings().display.waterfall = true;
  window->Settings().display.displayColor = true;
  MoveWindow(window->Handle(), 0, 0, 700, 420, TRUE);
  for (int i = 0; i < 130; ++i) window->Signal().PlaybackStep();

  const SignalDisplay& display = window->Display();
  ASSERT_EQ(display.History().Count(), 130u);
  ASSERT_LT(window->TimePicture().Height(), 130) << "the rows' ring has turned";
  EXPECT_NE(display.Waterfall().TopRow(), 0);
  int busy = 0;
  for (std::size_t age = 0; age < 130; ++age) busy += display.History().Kind(age) == VerdictKind::Busy;
  EXPECT_GT(busy, 60);
  EXPECT_LT(busy, 120) << "free buffers between the packets and before the link";
  ExpectStripShowsTheHistory("while playing");
  const std::string readout = *window->Display().TimeMouse(WM_MOUSEMOVE, 300, 0);
  EXPECT_NE(readout.find("0.0 (Sec) ago,  " + std::string(VerdictName(display.History().Kind(0)))),
            std::string::npos)
      << readout;

  MoveWindow(window->Handle(), 0, 0, 900, 700, TRUE);
  EXPECT_EQ(display.History().Count(), 130u) << "a redraw adds no buffer";
  EXPECT_GT(window->TimePicture().Height(), 130);
  ExpectStripShowsTheHistory("after the resize");
}

}  // namespace
}  // namespace velmora
