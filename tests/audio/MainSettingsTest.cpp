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
  s.detector.pactor3WideBand = s.detector.digitalBusy = s.detector.pactorFading = true;
  s.display = {true, kRangeZoomed, 8192, true};
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
  EXPECT_EQ(Recalled("[Display Data]\r\nSample Size=32768").display.sampleSize, 32768);
  for (const char* bad : {"4", "-1", "70000"})
    EXPECT_EQ(Recalled(std::string("[Display Data]\r\nFft Range=") + bad).display.fftRange, kRangeHalf) << bad;
}

// A detector value the Options dialog would refuse sends a search out of
// the spectrum or through millions of offsets: the current value stays
// (one value a bound; the same check keeps the others).
TEST(MainSettings, DetectorValuesOutsideTheDialogsBoundsKeepTheCurrentValue) {
  // recalled: what the member holds after the recall (defaults: 0, 1700, 1700, 50).
  const struct { const char* lines; float DetectorSettings::*member; float recalled; } cases[] = {
      {"Offset Frequency Range=6000", &DetectorSettings::offsetFrequencyRange, 0},
      {"Center Frequency=5263", &DetectorSettings::centerFrequency, 1700},
      {"CW Frequency=5500", &DetectorSettings::cwFrequency, 1700},  // with the range of 50: past 5512.5 Hz
      {"CW Frequency=5500\r\nCW Range=12", &DetectorSettings::cwFrequency, 5500},
  };
  for (const auto& c : cases) {
    MainSettings s = Recalled(std::string("[Detector Data]\r\n") + c.lines + "\r\n");
    EXPECT_EQ(s.detector.*c.member, c.recalled) << c.lines;
    EXPECT_LE(s.detector.cwFrequency + s.detector.cwRange, 5512.5f) << c.lines;
  }
}

}  // namespace
}  // namespace velmora
