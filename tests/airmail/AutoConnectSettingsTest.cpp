// The AutoConnect settings in the settings file: every key with its default,
// in order, and back again.
#include "airmail/AutoConnectSettings.h"

#include <gtest/gtest.h>

#include <vector>

#include "common/Format.h"
#include "common/TextFileLines.h"
#include "common/TextParse.h"
#include "tests/airmail/Fixture.h"
#include "tests/common/TempFolder.h"

namespace velmora {
namespace {

// The section as a new file holds it after saving the defaults.
std::string DefaultsText() {
  return testing::ReadBytes(std::filesystem::path(VELMORA_SOURCE_DIR) / "tests/airmail/AutoConnectSettings.golden.ini");
}

std::vector<std::pair<std::string, std::string>> Keys(const std::string& text) {
  std::vector<std::pair<std::string, std::string>> keys;
  for (const auto& line : SplitLines(text))
    if (auto eq = line.find('='); eq != std::string::npos) keys.emplace_back(line.substr(0, eq), line.substr(eq + 1));
  return keys;
}

std::string SectionText(const std::vector<std::pair<std::string, std::string>>& keys) {
  std::string text = "[Airmail Data]\r\n";
  for (const auto& [key, value] : keys) text += key + "=" + value + "\r\n";
  return text;
}

class AutoConnectSettingsFile : public ::testing::Test {
 protected:
  std::filesystem::path File() const { return folder.path() / "Velmora.Ini"; }
  std::string Saved(const AutoConnectSettings& settings) const {
    ProfileWriter writer(File());
    ProfileSave(writer, settings);
    std::error_code error;
    EXPECT_TRUE(writer.Commit(error)) << error.message();
    return testing::ReadBytes(File());
  }
  AutoConnectSettings Recalled(std::string_view text, AutoConnectSettings settings = {}) const {
    ProfileRecall(ProfileDocument::Parse(text), settings);
    return settings;
  }
  testing::TempFolder folder;
};

TEST_F(AutoConnectSettingsFile, DefaultsAreWrittenKeyByKeyInOrderInOneSection) {
  EXPECT_EQ(Saved(AutoConnectSettings{}), DefaultsText());
}

// Every key given another value of its type: recall takes each, save writes each back.
TEST_F(AutoConnectSettingsFile, EveryKeyIsRecalledAndSavedBack) {
  auto others = Keys(DefaultsText());
  ASSERT_EQ(others.size(), 86u);
  for (auto& [key, value] : others) {
    if (value == "True" || value == "False") value = value == "True" ? "False" : "True";
    else if (key == "Propagation Model Model") value = "1";
    else if (auto number = ParseLeadingNumber(value)) value = ShortestSingle(static_cast<float>(*number + 1));
    else value += "Other";
  }
  auto recalled = Recalled(SectionText(others));
  EXPECT_EQ(Saved(recalled), SectionText(others));
  EXPECT_EQ(recalled.noConnectDataFile, "Other") << "an empty text given a value";
}

// The rules of this record: only "True" and "False" exactly so, folder names
// longer than a number's buffer, the mode and model used as indexes, and
// values out of range keep what was there.
TEST_F(AutoConnectSettingsFile, RefusesWhatTheRecordCannotHold) {
  auto s = Recalled("[Airmail Data]\r\nConnect Tx Only=true\r\nAuto Select Noise=1\r\nMode Index=7\r\n"
                    "Propagation Model Model=0\r\nAirmail Directory Data=C:\\" + std::string(300, 'd') + "\r\n");
  EXPECT_FALSE(s.connectTxOnly || s.autoSelectNoise);
  EXPECT_EQ(s.modeIndex, kModeMultipleStations);
  EXPECT_EQ(s.propagationModelModel, kModelRec533);
  EXPECT_EQ(s.airmailDirectoryData.size(), 303u);
  EXPECT_EQ(Recalled("[Airmail Data]\r\nMode Index=-1").modeIndex, 2);
  EXPECT_EQ(Recalled("[Airmail Data]\r\nMode Index=6\r\nPropagation Model Model=4").modeIndex, kModeScanStations);
  // A time shift of more than a year either way.
  for (std::string shift : {"8785", "-1e9", "2.3e8"})
    EXPECT_EQ(Recalled("[Airmail Data]\r\nPropagation Model Time Shift=" + shift).propagationModelTimeShift, 0) << shift;
  EXPECT_EQ(Recalled("[Airmail Data]\r\nPropagation Model Time Shift=-8784").propagationModelTimeShift, -8784.0f);
  // A call needs an attempt and a wait of some time; what was heard fades by half in some time.
  for (const char* value : {"0", "-3", "-0.5", "1e-50"}) {
    auto s = Recalled("[Airmail Data]\r\nConnect Attempts=" + std::string(value) + "\r\nConnect Not Busy=" + value +
                      "\r\nStation Occupancy Half Life=" + value);
    EXPECT_EQ(s.connectAttempts, 10) << value;
    EXPECT_EQ(s.connectNotBusy, 7.0f) << value;
    EXPECT_EQ(s.stationOccupancyHalfLife, 30.0f) << value;
  }
  s = Recalled("[Airmail Data]\r\nConnect Attempts=1\r\nConnect Not Busy=0.25");
  EXPECT_EQ(s.connectAttempts, 1);
  EXPECT_EQ(s.connectNotBusy, 0.25f);
}

}  // namespace
}  // namespace velmora
