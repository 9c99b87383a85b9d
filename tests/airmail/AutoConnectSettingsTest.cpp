// The AutoConnect settings in the settings file: every key with its default,
// in order, and back again.
#include "airmail/AutoConnectSettings.h"

#include <gtest/gtest.h>

#include <vector>

#include "common/Format.h"
#include "common/SystemLib.h"
#include "common/TextParse.h"
#include "tests/airmail/Fixture.h"
#include "tests/common/TempFolder.h"

namespace velmora {
namespace {

// The section as a new file holds it after saving the defaults.
const std::vector<std::pair<std::string, std::string>> kDefaults = {
    {"Airmail Directory Data", "C:\\Program Files\\AirMail"},
    {"Airmail Directory Program", "C:\\Program Files\\AirMail"},
    {"Airmail Lat/Lon Check", "True"},
    {"Airmail Lat/Lon Check Days", "7"},
    {"Last Connect Check", "True"},
    {"Last Connect Check Minutes", "15"},
    {"Airmail Resize", "True"},
    {"Airmail Startup", "True"},
    {"Auto Select Add Snr Slope", "False"},
    {"Auto Select All Stations", "True"},
    {"Auto Select All Stations Limit", "10"},
    {"Auto Select Highest Frequency", "True"},
    {"Auto Select Highest Snr Range", "3"},
    {"Auto Select Noise", "False"},
    {"Auto Select Noise Interval", "2"},
    {"Auto Select Noise Threshold", "30"},
    {"Auto Select Noise Top Frequencies", "1"},
    {"Auto Select Pactor Mode", "0"},
    {"Auto Select Range Max", "1500"},
    {"Auto Select Reference", "False"},
    {"Auto Select Reference Frequency Limit", "20"},
    {"Auto Select Reference Top Frequencies", "1"},
    {"Auto Select Reference Range Limit", "50"},
    {"Auto Select Snr", "True"},
    {"Auto Select Snr Threshold", "50"},
    {"Auto Select Snr Top Frequencies", "1"},
    {"Connect Attempts", "10"},
    {"Connect Not Busy", "7"},
    {"Connect Station Index", "0"},
    {"Connect System Index", "0"},
    {"Connect Tx Only", "False"},
    {"Log File", "True"},
    {"MenuBar", "True"},
    {"Mode Index", "2"},
    {"No Connect Data", "False"},
    {"No Connect Data File", ""},
    {"No Connect Data Recalculate", "False"},
    {"No Connect Data Recalculate Difference", "False"},
    {"Propagation Model Additional Data", "False"},
    {"Propagation Model Ion Coefficients", "URSI"},
    {"Propagation Model Layer Adjust E", "1"},
    {"Propagation Model Layer Adjust Es", "0.7"},
    {"Propagation Model Layer Adjust F1", "1"},
    {"Propagation Model Layer Adjust F2", "1"},
    {"Propagation Model Model", "3"},
    {"Propagation Model Multipath Delay", "10"},
    {"Propagation Model Multipath Power", "0"},
    {"Propagation Model Noise Level", "-145"},
    {"Propagation Model Q Index", "3"},
    {"Propagation Model Reliability", "50"},
    {"Propagation Model Sun Spot", "True"},
    {"Propagation Model Sun Spot Number", "170"},
    {"Propagation Model Takeoff Angle", "3"},
    {"Propagation Model Time Shift", "0"},
    {"Radio Comm Port", "8"},
    {"Radio Icom Address", "3"},
    {"Reference Data File", ""},
    {"Reference Data Recompute", "False"},
    {"Reference Data Recompute Difference", "False"},
    {"Reference Data Reference", "0"},
    {"Reference Station Additional Data", "False"},
    {"Reference Station All Stations", "True"},
    {"Reference Station All Stations Limit", "5"},
    {"Reference Station Average", "5"},
    {"Reference Station Select Station", "False"},
    {"Reference Station S-Meter", "True"},
    {"Reference Station Station Index", "0"},
    {"Reference Station System Index", "0"},
    {"Scan Station Not Busy", "5"},
    {"Scan Station Pactor Mode", "2"},
    {"Scan Station System Index", "0"},
    {"Scan Station Systems Limit", "25"},
    {"Station History", "True"},
    {"Station History Bad", "-0.5"},
    {"Station History Debug", "False"},
    {"Station History Good", "1"},
    {"Station History Max", "4"},
    {"Station History Min", "-3"},
    {"Station Offset", "True"},
    {"Station Stations", "True"},
    {"Station Stations File", "0"},
    {"Terminal Connect Check File", "True"},
};

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
  EXPECT_EQ(Saved(AutoConnectSettings{}), SectionText(kDefaults));
}

// Every key given another value of its type: recall takes each, save writes each back.
TEST_F(AutoConnectSettingsFile, EveryKeyIsRecalledAndSavedBack) {
  auto others = kDefaults;
  for (auto& [key, value] : others) {
    if (value == "True" || value == "False") value = value == "True" ? "False" : "True";
    else if (key == "Propagation Model Model") value = "1";
    else if (auto number = ParseLeadingNumber(value)) value = ShortestSingle(static_cast<float>(*number + 1));
    else value += "Other";
  }
  auto recalled = Recalled(SectionText(others));
  EXPECT_EQ(Saved(recalled), SectionText(others));
  EXPECT_EQ(recalled.noConnectDataFile, "Other") << "an empty text given a value";
  // The two keys spelled "AirMail Data" land in the same section.
  EXPECT_EQ(CountChar(Saved(recalled), '['), 1u);
}

// The rules of this record: only "True" and "False" exactly so, folder names
// longer than a number's buffer, and the mode and model used as indexes.
TEST_F(AutoConnectSettingsFile, RefusesWhatTheRecordCannotHold) {
  auto s = Recalled("[Airmail Data]\r\nConnect Tx Only=true\r\nAuto Select Noise=1\r\nMode Index=7\r\n"
                    "Propagation Model Model=0\r\nAirmail Directory Data=C:\\" + std::string(300, 'd') + "\r\n");
  EXPECT_FALSE(s.connectTxOnly);
  EXPECT_FALSE(s.autoSelectNoise);
  EXPECT_EQ(s.modeIndex, kModeMultipleStations);
  EXPECT_EQ(s.propagationModelModel, kModelRec533);
  EXPECT_EQ(s.airmailDirectoryData.size(), 303u);
  for (const char* mode : {"-1", "32767"})
    EXPECT_EQ(Recalled(std::string("[Airmail Data]\r\nMode Index=") + mode).modeIndex, 2) << mode;
  EXPECT_EQ(Recalled("[Airmail Data]\r\nMode Index=6\r\nPropagation Model Model=4").modeIndex, kModeScanStations);
}

}  // namespace
}  // namespace velmora
