#include "app/MainSettings.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "tests/common/CommaLocale.h"
#include "tests/common/TempFolder.h"

namespace velmora {
namespace {

MainSettings Changed() {
  MainSettings s;
  auto& d = s.detector;
  d.burstEnabled = true;
  d.burstThreshold = 36.5f;
  d.centerFrequency = 1500;
  d.centerFrequencyAuto = false;
  d.centerFrequencyAutoFrequency = 2100;
  d.cwFrequency = 1000;
  d.cwRange = 75;
  d.cwThreshold = 21;
  d.debugEnabled = true;
  d.debugData = 3;
  d.faxThreshold = 41;
  d.offsetFrequencyRange = 100;
  d.offsetFrequencyStep = 10;
  d.pactor2Enabled = false;
  d.pactor2Threshold = 42.25f;
  d.pactor3Enabled = false;
  d.pactor3Threshold = 36;
  d.peakEnabled = true;
  d.peakThreshold = 0.7f;
  d.powerEnabled = false;
  d.powerThreshold = -12.5f;
  d.pulseEnabled = true;
  d.pulseThreshold = 11;
  d.wwvThreshold = 31;
  s.display = {true, kRangeZoomed, 8192};
  s.menuBarVisible = true;
  return s;
}

ProfileDocument SavedDocument(const MainSettings& s) {
  testing::TempFolder folder;
  ProfileWriter writer(folder.path() / kSettingsFileName);
  ProfileSave(writer, s);
  std::error_code error;
  EXPECT_TRUE(writer.Commit(error));
  return ProfileDocument::Load(folder.path() / kSettingsFileName);
}

TEST(MainSettings, DefaultsAreTheBuiltInValues) {
  MainSettings s = Changed();
  Default(s);
  EXPECT_EQ(s.detector, DetectorSettings{});
  EXPECT_EQ(s.display.sampleSize, 2048);
  EXPECT_EQ(s.display.fftRange, 1);
  EXPECT_FALSE(s.display.displayColor);
  EXPECT_TRUE(s.menuBarVisible) << "Default leaves the menu bar alone";
  EXPECT_EQ(s.detector.centerFrequency, 1700);
  EXPECT_EQ(s.detector.pactor3Threshold, 35);
  EXPECT_TRUE(s.detector.powerEnabled);
}

TEST(MainSettings, EveryKeyRoundTrips) {
  MainSettings saved = Changed();
  auto doc = SavedDocument(saved);
  MainSettings recalled;
  ProfileRecall(doc, recalled);
  EXPECT_EQ(recalled, saved);

  MainSettings defaults;
  MainSettings back = Changed();
  ProfileRecall(SavedDocument(defaults), back);
  EXPECT_EQ(back, defaults);
}

TEST(MainSettings, FileHoldsTheDesignedTexts) {
  auto doc = SavedDocument(MainSettings{});
  EXPECT_EQ(doc.Read(kDetectorSection, "Center Frequency"), "1700");
  EXPECT_EQ(doc.Read(kDetectorSection, "Pactor2"), "True");
  EXPECT_EQ(doc.Read(kDetectorSection, "CW"), "False");
  EXPECT_EQ(doc.Read(kDetectorSection, "Offset Frequency Step"), "20");
  EXPECT_EQ(doc.Read(kDisplaySection, "Sample Size"), "2048");
  EXPECT_EQ(doc.Read(kDisplaySection, "MenuBar"), "False");
  MainSettings half;
  half.detector.peakThreshold = 0.5f;
  EXPECT_EQ(SavedDocument(half).Read(kDetectorSection, "Peak Threshold"), "0.5");
}

TEST(MainSettings, SpecialModesAreSavedButNotRestored) {
  MainSettings s;
  s.detector.cwMode = s.detector.faxMode = s.detector.wwvMode = true;
  auto doc = SavedDocument(s);
  EXPECT_EQ(doc.Read(kDetectorSection, "FAX"), "True");
  MainSettings recalled;
  ProfileRecall(doc, recalled);
  EXPECT_FALSE(recalled.detector.cwMode || recalled.detector.faxMode || recalled.detector.wwvMode);
}

TEST(MainSettings, AbsentEmptyAndUnreadableKeysLeaveValuesAlone) {
  MainSettings s = Changed();
  MainSettings before = s;
  ProfileRecall(ProfileDocument::Parse("[Detector Data]\r\nBurst=\r\nBurst Threshold=abc\r\nPeak=maybe\r\n"
                                       "[Display Data]\r\nSample Size=\r\nFft Range=x\r\n"),
                s);
  EXPECT_EQ(s, before);
  ProfileRecall(ProfileDocument::Parse("[Detector Data]\r\nPower Threshold=7\r\n"), s);
  EXPECT_EQ(s.detector.powerThreshold, 7);
  s.detector.powerThreshold = before.detector.powerThreshold;
  EXPECT_EQ(s, before);
}

TEST(MainSettings, BooleansAcceptNumbers) {
  MainSettings s;
  ProfileRecall(ProfileDocument::Parse("[Detector Data]\r\nBurst=-1\r\nPower=0\r\n"), s);
  EXPECT_TRUE(s.detector.burstEnabled);
  EXPECT_FALSE(s.detector.powerEnabled);
}

TEST(MainSettings, UnsafeSampleSizesAndRangesKeepTheCurrentValue) {
  for (const char* bad : {"1000", "65536", "128", "0", "-2048", "3e9", "16385"}) {
    MainSettings s;
    s.display.sampleSize = 4096;
    ProfileRecall(ProfileDocument::Parse(std::string("[Display Data]\r\nSample Size=") + bad + "\r\n"), s);
    EXPECT_EQ(s.display.sampleSize, 4096) << bad;
  }
  for (const char* good : {"256", "32768"}) {
    MainSettings s;
    ProfileRecall(ProfileDocument::Parse(std::string("[Display Data]\r\nSample Size=") + good + "\r\n"), s);
    EXPECT_EQ(std::to_string(s.display.sampleSize), good);
  }
  for (const char* bad : {"4", "-1", "70000"}) {
    MainSettings s;
    s.display.fftRange = 2;
    ProfileRecall(ProfileDocument::Parse(std::string("[Display Data]\r\nFft Range=") + bad + "\r\n"), s);
    EXPECT_EQ(s.display.fftRange, 2) << bad;
  }
}

// A detector value the Options dialog would refuse sends a search out of
// the spectrum or through millions of offsets: the current value stays.
TEST(MainSettings, DetectorValuesOutsideTheDialogsBoundsKeepTheCurrentValue) {
  const struct {
    const char* lines;
    float DetectorSettings::*member;
    float recalled;  // what the member holds after the recall
  } cases[] = {
      {"Offset Frequency Range=6000", &DetectorSettings::offsetFrequencyRange, 100},
      {"Offset Frequency Range=-1", &DetectorSettings::offsetFrequencyRange, 100},
      {"Offset Frequency Range=400", &DetectorSettings::offsetFrequencyRange, 400},
      {"Offset Frequency Step=400.5", &DetectorSettings::offsetFrequencyStep, 10},
      {"Offset Frequency Step=0.0001", &DetectorSettings::offsetFrequencyStep, 0.0001f},
      {"Center Frequency=249", &DetectorSettings::centerFrequency, 1500},
      {"Center Frequency=5263", &DetectorSettings::centerFrequency, 1500},
      {"Center Frequency Auto Frequency=1e9", &DetectorSettings::centerFrequencyAutoFrequency, 2100},
      {"CW Frequency=6000", &DetectorSettings::cwFrequency, 1000},
      {"CW Range=0", &DetectorSettings::cwRange, 75},
      {"CW Frequency=5500", &DetectorSettings::cwFrequency, 1000},  // with the range of 75: past 5512.5 Hz
      {"CW Frequency=5500\r\nCW Range=12", &DetectorSettings::cwFrequency, 5500},
  };
  for (const auto& c : cases) {
    MainSettings s = Changed();
    ProfileRecall(ProfileDocument::Parse(std::string("[Detector Data]\r\n") + c.lines + "\r\n"), s);
    EXPECT_EQ(s.detector.*c.member, c.recalled) << c.lines;
    EXPECT_LE(s.detector.cwFrequency + s.detector.cwRange, 5512.5f) << c.lines;
  }
}

TEST(MainSettings, PlacementOnlyInTheNormalState) {
  testing::TempFolder folder;
  auto file = folder.path() / kSettingsFileName;
  std::error_code error;
  {
    ProfileWriter w(file);
    ProfileSaveWindow(w, true, {10.0f, 20.0f, 800.0f, 600.0f}, false);
    ASSERT_TRUE(w.Commit(error));
  }
  {
    ProfileWriter w(file);
    ProfileSaveWindow(w, false, {0.0f, 0.0f, 1920.0f, 1080.0f}, true);
    ASSERT_TRUE(w.Commit(error));
  }
  auto doc = ProfileDocument::Load(file);
  auto placement = ProfileRecallWindow(doc);
  EXPECT_EQ(placement.left, 10.0f);
  EXPECT_EQ(placement.top, 20.0f);
  EXPECT_EQ(placement.width, 800.0f);
  EXPECT_EQ(placement.height, 600.0f);
  EXPECT_TRUE(AutoConnectWasVisible(doc)) << "the visibility is written in every state";
  EXPECT_FALSE(AutoConnectWasVisible(ProfileDocument::Parse("[Airmail Data]\r\nWindow Visible=False\r\n")));
  EXPECT_FALSE(AutoConnectWasVisible(ProfileDocument::Parse("")));
  EXPECT_FALSE(ProfileRecallWindow(ProfileDocument::Parse("")).left);
}

// Under a comma-decimal locale the file must still hold "0.5" and read back.
TEST(MainSettings, NumbersIgnoreTheUserLocale) {
  testing::CommaLocale comma;
  if (!comma.Active()) GTEST_SKIP() << "no comma-decimal locale on this machine";
  char probe[16];
  std::snprintf(probe, sizeof probe, "%.1f", 0.5);
  EXPECT_STREQ(probe, "0,5") << "the locale is in force";
  MainSettings s;
  s.detector.peakThreshold = 0.5f;
  s.detector.burstThreshold = 1378.125f;
  auto doc = SavedDocument(s);
  EXPECT_EQ(doc.Read(kDetectorSection, "Peak Threshold"), "0.5");
  MainSettings recalled;
  ProfileRecall(doc, recalled);
  EXPECT_EQ(recalled, s);
}

}  // namespace
}  // namespace velmora
