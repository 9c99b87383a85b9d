// The Options dialog's Apply steps over the main window's members, and the
// overview's headings its F1 opens at.
#include "display/OptionsModel.h"

#include <gtest/gtest.h>

#include <fstream>

#include "display/HelpTexts.h"
#include "tests/audio/SignalFakes.h"
#include "tests/common/TempFolder.h"

namespace velmora {
namespace {

struct OptionsRig : testing::SignalRig {
  ApplyTargets Targets() { return {settings, signal, messages}; }
  OptionsControls Controls() { return DataSet(settings, signal); }
};

TEST(OptionsApply, UnchangedBoxesChangeNothingAndKeepTheLoopRunning) {
  OptionsRig rig;
  rig.settings.detector.offsetFrequencyRange = 100;
  rig.settings.detector.peakThreshold = 0.7f;
  rig.settings.display.sampleSize = 8192;
  // The automatic centre frequency is on and AutoConnect has moved the
  // search centre: the box shows AirMail's tone, which must not be stored.
  rig.settings.detector.centerFrequencyAuto = true;
  rig.settings.detector.centerFrequencyAutoFrequency = 2100;
  rig.settings.detector.centerFrequency = 1500;
  MainSettings before = rig.settings;
  bool stillRunning = false;
  rig.input.script = {testing::FakeWaveDevice::Filled(), testing::FakeWaveDevice::Do([&] {
                        EXPECT_TRUE(Apply(rig.Controls(), rig.Targets()));
                        stillRunning = rig.signal.Running();
                      }),
                      testing::FakeWaveDevice::Filled()};
  rig.Start();
  EXPECT_TRUE(stillRunning);
  EXPECT_EQ(rig.analysis.analysed.size(), 2u) << "Apply did not stop the loop";
  EXPECT_EQ(rig.settings, before);
}

TEST(OptionsApply, EachBadValueStopsItsStepWithItsMessage) {
  struct Case {
    void (*edit)(OptionsControls&);
    const char* message;
    bool (*step)(const OptionsControls&, ApplyTargets);
  };
  const Case cases[] = {
      // No number, which the settings file could not keep, named with its
      // box and text: the dialog's many boxes give no other clue.
      {[](OptionsControls& c) { c.peak.threshold = "nan"; },
       "Options Detector Error, Type mismatch in Peak Threshold: \"nan\"", ApplyDetector},
      {[](OptionsControls& c) { c.offsetStep = "1e39"; },
       "Options Detector Error, Overflow in Offset Freq Step: \"1e39\"", ApplyDetector},
      {[](OptionsControls& c) { c.pactor2.threshold = "1e35"; },
       "Options Detector Error, Overflow in Pactor 2 Threshold: \"1e35\"", ApplyDetector},
      {[](OptionsControls& c) { c.simulateAmRate = "43,5"; }, "Input Option Error, Type mismatch in AM Rate: \"43,5\"",
       ApplyInput},
      {[](OptionsControls& c) { c.centerFrequency = "5400"; },
       "Options Detector Error, Center Freq must be from 250 to 5262 Hz", ApplyDetector},
      {[](OptionsControls& c) { c.cwFrequency = "5500"; },
       "Options Detector Error, CW Frequency +/- CW Range must lie between 0 and 5512 Hz", ApplyDetector},
      {[](OptionsControls& c) { c.simulateFrequency = "9000"; },
       "Input Option Error, Frequency must be from 0 to 5512 Hz", ApplyInput},
  };
  for (const auto& test : cases) {
    OptionsRig rig;
    auto controls = rig.Controls();
    test.edit(controls);
    EXPECT_FALSE(test.step(controls, rig.Targets()));
    EXPECT_EQ(rig.messages.Texts(), std::vector<std::string>{test.message});
    EXPECT_FALSE(Apply(controls, rig.Targets())) << "Apply fails when one step fails";
  }
}

TEST(OptionsApply, ValuesAreStoredByEveryStep) {
  OptionsRig rig;
  auto controls = rig.Controls();
  controls.pactor3 = {false, " 33.5 "};
  controls.centerFrequency = "2100", controls.centerFrequencyAuto = false;
  controls.offsetRange = "100", controls.offsetStep = "10", controls.cwFrequency = "1000";
  controls.cw = controls.displayColor = controls.waterfall = controls.pactor3WideBand = controls.digitalBusy =
      controls.pactorFading = true;
  controls.displaySamples = 7, controls.displayRange = 2;
  controls.inputSource = kSimulated, controls.simulateFrequency = "1500", controls.soundBits = 0;
  ASSERT_TRUE(Apply(controls, rig.Targets())) << rig.messages.Texts()[0];
  // The round trip shows every box stored; the members whose values the
  // boxes convert are checked themselves.
  EXPECT_EQ(rig.settings.detector.pactor3Threshold, 33.5f);
  EXPECT_EQ(rig.settings.display.sampleSize, 32768);
  controls.pactor3.threshold = "33.5";  // the box shows the value as stored
  EXPECT_EQ(DataSet(rig.settings, rig.signal), controls) << "DataSet shows what was stored";
}

// Leaving the sound card, or changing its sample width, stops it at once,
// and the buffer in hand is not queued again with the new width's length,
// which its memory (8-bit, 32769 bytes) cannot hold. A recording heard
// through the output (16-bit buffers only) stops at a change of width too,
// and the test signal heard at "Sound" unticked (it sounded on until Stop).
TEST(OptionsApply, LeavingOrChangingWhatTheRunningLoopReadsOrSoundsStopsIt) {
  // made, played: the buffers analysed and sent to the sound output (the test signal heard makes its two
  // buffers before the first is played).
  const struct { const char* name; int source; bool use16Bit; void (*edit)(OptionsControls&); size_t made, played; }
  cases[] = {
      {"the sound card left", kSoundCard, true, [](OptionsControls& c) { c.inputSource = kSimulated; }, 1, 0},
      {"the sound card's width", kSoundCard, false, [](OptionsControls& c) { c.soundBits = 1; }, 1, 0},
      {"a recording heard, its width", kPlayback, true, [](OptionsControls& c) { c.soundBits = 0; }, 1, 1},
      {"the test signal heard, its sound", kSimulated, true, [](OptionsControls& c) { c.simulateOutput = false; }, 2,
       1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    OptionsRig rig;
    testing::TempFolder folder;
    rig.signal.inputSource = c.source;
    rig.signal.use16Bit = c.use16Bit;
    rig.settings.display.sampleSize = 32768;
    (c.source == kSimulated ? rig.output : rig.input).script = testing::FakeWaveDevice::Filled(3);
    rig.signal.playbackOutput = c.source == kPlayback;
    rig.signal.simulate.output = c.source == kSimulated;
    rig.signal.playbackFile = folder.path() / "heard.bin";
    std::ofstream(rig.signal.playbackFile) << std::string(8 * 65536, 'a');
    rig.pump.passes = {[&] {
                         auto controls = rig.Controls();
                         c.edit(controls);
                         Apply(controls, rig.Targets());
                       },
                       [&] { rig.signal.Stop(); }};
    rig.Start();
    EXPECT_EQ(rig.analysis.analysed.size(), c.made);
    EXPECT_EQ(rig.output.played.size(), c.played);
    EXPECT_FALSE(rig.input.IsOpen() || rig.output.IsOpen());
    EXPECT_EQ(rig.input.overlongQueues, 0);
  }
}

TEST(OptionsApply, TheInputAndOutputStepsOpenAndCloseTheirFiles) {
  OptionsRig rig;
  testing::TempFolder folder;
  // Named with an accented letter, as the file chooser gives a name: the
  // box shows it as it was chosen, so that Apply finds the same file again.
  const std::string first = folder.path().string() + "/first", second = folder.path().string() + "/Jos\xe9";
  std::ofstream(std::filesystem::path(first + ".bin")) << std::string(4096, 'a');
  std::ofstream(std::filesystem::path(second + ".bin")) << std::string(4096, 'b');
  auto controls = rig.Controls();
  controls.inputSource = kPlayback;
  for (const auto& file : {first, second}) {
    controls.playbackFile = file + ".bin";
    ASSERT_TRUE(Apply(controls, rig.Targets()));
    EXPECT_EQ(rig.signal.PlaybackCaption(), "Velmora - " + file.substr(folder.path().string().size() + 1));
    EXPECT_EQ(DataSet(rig.settings, rig.signal).playbackFile, controls.playbackFile);
  }
  controls.inputSource = kSoundCard;
  ASSERT_TRUE(Apply(controls, rig.Targets()));
  EXPECT_FALSE(rig.signal.Playback().IsOpen()) << "leaving playback ends it";

  // A recording that cannot start fails the step (OK keeps the dialog open).
  rig.signal.dataFolder = first + ".bin";  // a file where the folder should be
  controls.record = true;
  EXPECT_FALSE(Apply(controls, rig.Targets()));
  EXPECT_TRUE(rig.messages.Texts().back().starts_with("RecordOpen - Cannot open "));
  rig.signal.dataFolder = folder.path();
  ASSERT_TRUE(Apply(controls, rig.Targets()));
  EXPECT_TRUE(rig.signal.Recording());
  EXPECT_TRUE(DataSet(rig.settings, rig.signal).record);
  controls.record = false;
  ASSERT_TRUE(Apply(controls, rig.Targets()));
  EXPECT_FALSE(rig.signal.Recording());
}

// F1 on each tab of the Options dialog opens the overview at a heading the
// shipped text has, not at its top.
TEST(OptionsHelp, EachTabsHeadingIsALineOfTheOverview) {
  std::ifstream in(VELMORA_SOURCE_DIR "/app/Velmora.txt", std::ios::binary);
  const std::string text{std::istreambuf_iterator<char>(in), {}};
  for (int tab = 0; tab < 4; ++tab) EXPECT_GT(HeadingLine(text, OptionsHelpHeading(tab)), 0) << tab;
  for (bool dialog : {false, true}) EXPECT_GT(HeadingLine(text, AutoConnectHelpHeading(dialog)), 0) << dialog;
}

}  // namespace
}  // namespace velmora
