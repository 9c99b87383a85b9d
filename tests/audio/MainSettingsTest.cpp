// The main window's settings in the settings file (the binding itself is
// tested with the other records in ProfileKeysTest).
#include "audio/MainSettings.h"

#include <gtest/gtest.h>

#include "common/AtomicFile.h"
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
  const auto golden = std::filesystem::path(VELMORA_SOURCE_DIR) / "tests/audio/MainSettings.golden.ini";
  std::error_code error;
  EXPECT_EQ(Saved(MainSettings{}), ReadWholeFile(golden, error).value_or("(no golden file)"));
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
