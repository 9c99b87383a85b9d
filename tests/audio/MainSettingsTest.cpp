// The main window's settings in the settings file (the binding itself is
// tested with the other records in ProfileKeysTest).
#include "audio/MainSettings.h"

#include <gtest/gtest.h>

#include "tests/common/TempFolder.h"

namespace velmora {
namespace {

std::string Saved(const MainSettings& s) {
  testing::TempFolder folder;
  ProfileWriter writer(folder.path() / kSettingsFileName);
  ProfileSave(writer, s);
  std::error_code error;
  EXPECT_TRUE(writer.Commit(error));
  return ProfileDocument::Load(folder.path() / kSettingsFileName).Text();
}

MainSettings Recalled(std::string_view text, MainSettings s = {}) {
  ProfileRecall(ProfileDocument::Parse(text), s);
  return s;
}

TEST(MainSettings, ANewFileHoldsEveryKeyWithItsDefaultInOrder) {
  EXPECT_EQ(Saved(MainSettings{}),
            "[Detector Data]\r\nBurst=False\r\nBurst Threshold=35\r\nCenter Frequency=1700\r\n"
            "Center Frequency Auto=True\r\nCenter Frequency Auto Frequency=1700\r\nCW=False\r\nCW Frequency=1700\r\n"
            "CW Range=50\r\nCW Threshold=20\r\nDebug=False\r\nDebug Data=0\r\nFAX=False\r\nFAX Threshold=40\r\n"
            "Offset Frequency Range=0\r\nOffset Frequency Step=20\r\nPactor2=True\r\nPactor2 Threshold=40\r\n"
            "Pactor3=True\r\nPactor3 Threshold=35\r\nPeak=False\r\nPeak Threshold=20\r\nPower=True\r\n"
            "Power Threshold=10\r\nPulse=False\r\nPulse Threshold=10\r\nWWV=False\r\nWWV Threshold=30\r\n"
            "\r\n[Display Data]\r\nDisplay Color=False\r\nFft Range=1\r\nMenuBar=False\r\nSample Size=2048\r\n");
}

TEST(MainSettings, EveryKeyComesBackButTheSpecialModes) {
  MainSettings s;
  s.detector.cwMode = s.detector.faxMode = s.detector.wwvMode = true;
  s.detector.peakThreshold = 0.7f;
  s.display = {true, kRangeZoomed, 8192};
  s.menuBarVisible = true;
  MainSettings back = Recalled(Saved(s));
  EXPECT_FALSE(back.detector.cwMode || back.detector.faxMode || back.detector.wwvMode)
      << "each silences the busy verdict, so the program starts with them off";
  back.detector.cwMode = back.detector.faxMode = back.detector.wwvMode = true;
  EXPECT_EQ(back, s);
  Default(back);
  EXPECT_EQ(back.detector, DetectorSettings{});
  EXPECT_TRUE(back.menuBarVisible) << "Default leaves the menu bar alone";
}

TEST(MainSettings, OnlySafeSampleSizesAndRangesAreTaken) {
  for (const char* bad : {"1000", "65536", "128", "0", "-2048", "3e9", "16385"})
    EXPECT_EQ(Recalled(std::string("[Display Data]\r\nSample Size=") + bad).display.sampleSize, 2048) << bad;
  EXPECT_EQ(Recalled("[Display Data]\r\nSample Size=256").display.sampleSize, 256);
  EXPECT_EQ(Recalled("[Display Data]\r\nSample Size=32768").display.sampleSize, 32768);
  for (const char* bad : {"4", "-1", "70000"})
    EXPECT_EQ(Recalled(std::string("[Display Data]\r\nFft Range=") + bad).display.fftRange, kRangeHalf) << bad;
}

}  // namespace
}  // namespace velmora
