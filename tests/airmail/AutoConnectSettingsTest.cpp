// The AutoConnect settings in the settings file: every key with its default,
// in order, and back again.
#include "airmail/AutoConnectSettings.h"

#include <gtest/gtest.h>

#include <vector>

#include "app/SettingsOnlyAutoConnect.h"
#include "common/Format.h"
#include "common/SystemLib.h"
#include "common/TextParse.h"
#include "tests/airmail/Fixture.h"
#include "tests/common/CommaLocale.h"
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
  EXPECT_EQ(kDefaults.size(), 82u);
  EXPECT_EQ(Saved(AutoConnectSettings{}), SectionText(kDefaults));
}

TEST_F(AutoConnectSettingsFile, SavingTheDefaultsAndRecallingThemGivesTheSameRecord) {
  AutoConnectSettings changed;
  changed.connectNotBusy = 1;
  changed.propagationModelIonCoefficients = "CCIR";
  auto text = Saved(AutoConnectSettings{});
  auto recalled = Recalled(text, changed);
  EXPECT_EQ(recalled, AutoConnectSettings{});
  EXPECT_EQ(recalled.connectNotBusy, 7.0f);
  EXPECT_EQ(recalled.propagationModelIonCoefficients, "URSI");
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
  EXPECT_EQ(recalled.airmailDirectoryData, "C:\\Program Files\\AirMailOther");
  EXPECT_EQ(recalled.noConnectDataFile, "Other") << "an empty text given a value";
  EXPECT_EQ(recalled.propagationModelLayerAdjustEs, 1.7f);
  EXPECT_EQ(recalled.modeIndex, 3);
  EXPECT_FALSE(recalled.terminalConnectCheckFile);
}

TEST_F(AutoConnectSettingsFile, OnlyTrueAndFalseExactlySoAreBooleans) {
  auto s = Recalled(
      "[Airmail Data]\r\nConnect Tx Only=true\r\nAuto Select Noise=1\r\nNo Connect Data=Yes\r\n"
      "Station History Debug=True\r\nLog File=False\r\nMenuBar=FALSE\r\nStation Offset=0\r\n");
  EXPECT_FALSE(s.connectTxOnly);
  EXPECT_FALSE(s.autoSelectNoise);
  EXPECT_FALSE(s.noConnectData);
  EXPECT_TRUE(s.stationHistoryDebug);
  EXPECT_FALSE(s.logFile);
  EXPECT_TRUE(s.menuBar);
  EXPECT_TRUE(s.stationOffset);
  // A number key given a boolean word keeps its value.
  EXPECT_EQ(Recalled("[Airmail Data]\r\nConnect Attempts=True\r\n").connectAttempts, 10);
}

TEST_F(AutoConnectSettingsFile, TheConnectCheckKeysSpelledAirMailDataShareTheSection) {
  auto text = Saved(AutoConnectSettings{});
  EXPECT_EQ(CountChar(text, '['), 1u) << text;
  auto doc = ProfileDocument::Parse(text);
  EXPECT_EQ(doc.Read("Airmail Data", "Last Connect Check Minutes"), "15");
  AutoConnectSettings s;
  s.lastConnectCheckMinutes = 40;
  s.lastConnectCheck = false;
  auto again = Recalled(Saved(s));
  EXPECT_EQ(again.lastConnectCheckMinutes, 40);
  EXPECT_FALSE(again.lastConnectCheck);
  EXPECT_EQ(Recalled("[AIRMAIL DATA]\r\nLast Connect Check Minutes=5\r\n").lastConnectCheckMinutes, 5);
}

TEST_F(AutoConnectSettingsFile, ASectionWithOnlyTheRadioPortChangesOnlyThePort) {
  AutoConnectSettings before;
  before.connectNotBusy = 9.5f;
  auto s = Recalled("[Detector Data]\r\nConnect Attempts=3\r\n[Airmail Data]\r\nRadio Comm Port=3\r\n", before);
  AutoConnectSettings expected = before;
  expected.radioCommPort = 3;
  EXPECT_EQ(s, expected);
}

TEST_F(AutoConnectSettingsFile, EmptyMissingAndUnreadableValuesKeepTheMember) {
  AutoConnectSettings defaults;
  EXPECT_EQ(Recalled(""), defaults);
  EXPECT_EQ(Recalled("[Airmail Data]\r\nConnect Attempts=\r\nConnect Not Busy=soon\r\nRadio Comm Port=99999\r\n"
                     "Reference Data File=\r\n"),
            defaults);
  ProfileRecall(ProfileDocument::Load(folder.path() / "missing.ini"), defaults);
  EXPECT_EQ(defaults, AutoConnectSettings{});
}

TEST_F(AutoConnectSettingsFile, LongFolderNamesAreKeptWhole) {
  AutoConnectSettings s;
  s.airmailDirectoryData = "C:\\" + std::string(258, 'd');
  EXPECT_EQ(Recalled(Saved(s)).airmailDirectoryData, s.airmailDirectoryData);
}

TEST_F(AutoConnectSettingsFile, ModeAndModelOutsideTheirRangeKeepTheCurrentValue) {
  for (const char* mode : {"7", "-1", "32767"})
    EXPECT_EQ(Recalled(std::string("[Airmail Data]\r\nMode Index=") + mode + "\r\n").modeIndex, 2) << mode;
  for (const char* model : {"0", "4", "-3"})
    EXPECT_EQ(Recalled(std::string("[Airmail Data]\r\nPropagation Model Model=") + model + "\r\n").propagationModelModel,
              3)
        << model;
  auto s = Recalled("[Airmail Data]\r\nMode Index=6\r\nPropagation Model Model=1\r\n");
  EXPECT_EQ(s.modeIndex, kModeScanStations);
  EXPECT_EQ(s.propagationModelModel, kModelIcepac);
  EXPECT_EQ(Recalled("[Airmail Data]\r\nMode Index=0\r\n").modeIndex, kModeCurrentFrequency);
}

// Singles written under a comma-decimal locale by older versions ("0,7") read
// back, and new files always hold ".".
TEST_F(AutoConnectSettingsFile, SinglesDoNotDependOnTheUserNumberFormat) {
  auto s = Recalled("[Airmail Data]\r\nPropagation Model Layer Adjust Es=0,8\r\nStation History Bad=-1,25\r\n");
  EXPECT_EQ(s.propagationModelLayerAdjustEs, 0.8f);
  EXPECT_EQ(s.stationHistoryBad, -1.25f);

  AutoConnectSettings written;
  written.propagationModelLayerAdjustEs = 0.75f;
  std::string text;
  {
    testing::CommaLocale comma;
    if (!comma.Active()) GTEST_SKIP() << "no comma-decimal locale on this machine";
    text = Saved(written);
  }
  EXPECT_EQ(ProfileDocument::Parse(text).Read(kAutoConnectSection, "Propagation Model Layer Adjust Es"), "0.75");
  EXPECT_EQ(Recalled(text), written);
}

TEST_F(AutoConnectSettingsFile, TheSettingsOnlySeamKeepsTheRecordAcrossRecallAndSave) {
  SettingsOnlyAutoConnect seam;
  EXPECT_FALSE(seam.Available());
  EXPECT_FALSE(seam.Visible());
  seam.ProfileRecall(ProfileDocument::Parse("[Airmail Data]\r\nConnect Attempts=4\r\nWindow Width=9000\r\n"));
  EXPECT_EQ(seam.Settings().connectAttempts, 4);
  ProfileWriter writer(File());
  seam.ProfileSave(writer);
  seam.ProfileSaveWindow(writer);
  std::error_code error;
  ASSERT_TRUE(writer.Commit(error));
  auto doc = ProfileDocument::Load(File());
  EXPECT_EQ(doc.Read(kAutoConnectSection, "Connect Attempts"), "4");
  EXPECT_EQ(doc.Read(kAutoConnectSection, "Window Width"), "") << "no window, no placement";
}

}  // namespace
}  // namespace velmora
