// Finding AirMail's folders (the program file, the registry, the install
// log), and reading its INI files: single values, the data-folder hint, the
// version line, the modem's centre tone and the options dialog's age texts;
// and the AutoConnect settings in the settings file: every key with its
// default, in order, and back again.
#include "airmail/AirmailInstallation.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>
#include <vector>

#include "airmail/AirmailProfile.h"
#include "airmail/AutoConnectSettings.h"
#include "airmail/CenterTone.h"
#include "common/AtomicFile.h"
#include "common/Format.h"
#include "common/TextFileLines.h"
#include "common/TextParse.h"
#include "tests/airmail/Fixture.h"
#include "tests/common/InPlaceRewriter.h"
#include "tests/common/TempFolder.h"

namespace velmora {
namespace {

struct FakeRegistry final : AirmailRegistry {
  explicit FakeRegistry(std::optional<std::string> v) : value(std::move(v)) {}
  std::optional<std::string> InstallFolder() const override { ++asked; return value; }
  std::optional<std::string> value;
  mutable int asked = 0;
};

class AirmailInstallation : public ::testing::Test {
 protected:
  AutoConnectSettings Folders(const std::filesystem::path& dataFolder, const std::filesystem::path& programFolder) {
    AutoConnectSettings s;
    s.airmailDirectoryData = dataFolder.string();
    s.airmailDirectoryProgram = programFolder.string();
    return s;
  }
  testing::TempFolder folder;
  const std::filesystem::path program = folder.path() / "program", data = folder.path() / "data";
};

TEST_F(AirmailInstallation, WithoutTheProgramFileOrARegistryValueTheFoldersStay) {
  const auto before = Folders(data, program);
  for (const auto& value : {std::optional<std::string>(), std::optional<std::string>(std::string("\0", 1))}) {
    auto s = before;
    AirmailInstallationGet(s, FakeRegistry(value));
    EXPECT_EQ(s, before) << "an empty value names no folder";
  }
}

// The install log's last "NewCommonRoot=" names the data folder, looked for
// in the program folder, else in the registry's; a program file in place
// leaves the registry alone, an "Airmail.ini" the log.
TEST_F(AirmailInstallation, TheInstallLogNamesTheDataFolder) {
  // programFile, airmailIni: in the program folder; programRight: the stored program folder holds AirMail;
  // data: found, empty for the program folder.
  struct Case { const char* name; bool programFile, airmailIni; std::string log, registry; bool programRight;
                std::string data; } cases[] = {
      {"CR LF, the last root", true, false,
       "Started\r\nNewCommonRoot= C:\\First\\\r\nCopied\r\nNewCommonRoot= D:\\Mail\\AirMail\\\r\nDone\r\n",
       "C:\\Elsewhere", true, "D:\\Mail\\AirMail"},
      {"LF, within a line, an empty last root", false, false,
       "x NewCommonRoot= " + data.string() + "/\nNewCommonRoot= ", program.string() + "/", false, data.string()},
      {"no trailing separator", false, false, "x\r\nNewCommonRoot= E:\\AirMail  \r\n", program.string(), false,
       "E:\\AirMail"},
      {"Airmail.ini in the registry's folder", false, true, "NewCommonRoot= D:\\Other\\\r\n", program.string(),
       false, ""},
  };
  for (const auto& c : cases) {
    std::filesystem::remove_all(program);
    std::filesystem::create_directories(program);
    if (c.programFile) testing::WriteBytes(program / "Airmail3.exe", "");
    if (c.airmailIni) testing::WriteBytes(program / "Airmail.ini", "[Settings]\r\n");
    testing::WriteBytes(program / "Install.log", c.log);
    FakeRegistry registry(c.registry);
    auto s = c.programRight ? Folders(data, program) : Folders("C:\\Nowhere", "C:\\Nowhere");
    AirmailInstallationGet(s, registry);
    EXPECT_EQ(s.airmailDirectoryData, c.data.empty() ? program.string() : c.data) << c.name;
    EXPECT_EQ(s.airmailDirectoryProgram, program.string()) << c.name;
    EXPECT_EQ(registry.asked == 0, c.programRight) << c.name;
  }
}

TEST(FolderFromStoredText, DropsOneTrailingSeparatorOnlyWhenThere) {
  EXPECT_EQ(FolderFromStoredText(std::string("C:\\AirMail\\\0\0", 13)), "C:\\AirMail");
  EXPECT_EQ(FolderFromStoredText("C:\\"), "C:\\") << "a drive's root keeps its separator";
  EXPECT_EQ(FolderFromStoredText("\\"), "\\");
}

TEST(AirMailGetProfileString, ReadsAValueOrReportsItsAbsenceWhenAskedToAndTheVersionText) {
  RecordingMessenger messages;
  AirmailDataFolder data(testing::FixturePath("data").string(), messages);
  EXPECT_EQ(AirMailGetProfileString(data, "Airmail.ini", "position report", "current time", true),
            "05/14/2024 08:30:00") << "section and key compared without regard to case";
  EXPECT_EQ(AirMailGetProfileString(data, "Airmail.ini", "Hardware", "XYZ Center Tone", false), "");
  EXPECT_TRUE(messages.entries.empty());
  // Asked to: a warning (its text: StationNameFromStation's test), as for a missing file.
  EXPECT_EQ(AirMailGetProfileString(data, "Missing.ini", "Settings", "Anything", true), "");
  ASSERT_EQ(messages.entries.size(), 1u);
  EXPECT_EQ(messages.entries[0].icon, MessageIcon::Exclamation);
  messages.entries.clear();
  // AirMail's version on the second line, or not available.
  EXPECT_EQ(AirmailVersionText(data), "Test Version 3.2.022.\r  Current Version 3.4.062");
  EXPECT_TRUE(messages.entries.empty());
}

// AirMail empties its file and writes it again in place, not at once: a
// value is read whole, never from the file half written.
TEST(AirMailGetProfileString, WaitsOutAFileBeingRewrittenInPlace) {
  testing::TempFolder folder;
  const std::string whole = "[Settings]\r\nCallsign=KD7XYZ\r\n[Position Report]\r\nCurrent Latitude=48 07.20'N\r\n";
  const auto file = folder.path() / "Airmail.ini";
  std::error_code error;
  ASSERT_TRUE(WriteFileAtomically(file, whole, error));
  RecordingMessenger messages;
  AirmailDataFolder data(folder.path().string(), messages);
  int cut = 0;
  {
    testing::InPlaceRewriter airmail(file, whole, whole.size() - 6);
    for (int read = 0; read < 50; ++read) {
      cut += AirMailGetProfileString(data, "Airmail.ini", "Position Report", "Current Latitude", true) != "48 07.20'N";
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
  }
  EXPECT_EQ(cut, 0);
  EXPECT_TRUE(messages.entries.empty());
}

UtcDateTime At(int year, int month, int day, int hour, int minute, int second = 0) {
  return {year, month, day, hour, minute, second, 0};
}

TEST(TimeSpanText, CountsCalendarBoundariesNotElapsedTime) {
  EXPECT_EQ(TimeSpanText(At(2024, 5, 13, 22, 30), At(2024, 5, 14, 1, 30)), "1 days") << "3 hours, previous day";
  EXPECT_EQ(TimeSpanText(At(2024, 5, 14, 7, 40), At(2024, 5, 14, 8, 30)), "1 hours") << "50 minutes, across the hour";
  EXPECT_EQ(TimeSpanText(At(2024, 5, 14, 8, 29, 59), At(2024, 5, 14, 8, 30, 0)), "1 minutes");
  EXPECT_EQ(TimeSpanText(At(2024, 2, 28, 12, 0), At(2024, 3, 1, 12, 0)), "2 days") << "a leap year's February";
}

// A decoder type names its own key; each failure has its message.
TEST(CenterTone, FromTheDecodersKeyOrAMessage) {
  testing::TempFolder folder;
  RecordingMessenger messages;
  AirmailDataFolder data(folder.path().string(), messages);
  const std::pair<const char*, std::optional<float>> cases[] = {
      {"DecoderType=SCS\r\nPTC Center Tone=1500\r\nSCS Center Tone=2100", 2100.0f},
      {"PTC Center Tone=1500", std::nullopt}, {"DecoderType=PTC", std::nullopt},
      {"DecoderType=PTC\r\nPTC Center Tone=fifteen hundred", std::nullopt},
      {"DecoderType=PTC\r\nPTC Center Tone=-1700", std::nullopt},
  };
  for (const auto& [hardware, tone] : cases) {
    testing::WriteBytes(folder.path() / "Airmail.ini",
                        "[Settings]\r\nx=1\r\n\r\n[Hardware]\r\n" + std::string(hardware) + "\r\n");
    EXPECT_EQ(CenterToneFromAirmail(data), tone) << hardware;
  }
  // With the folder to check, as every message about AirMail's files.
  const std::string hint = testing::DataFolderHint(folder.path().string());
  const std::string tone = "CenterFrequencyAuto, Unable to get center tone." + hint;
  EXPECT_EQ(messages.Texts(),
            (std::vector<std::string>{"CenterFrequency, Unable to get decoder type." + hint, tone, tone, tone}));
}

// The section as a new file holds it after saving the defaults.
std::string DefaultsText() {
  return testing::ReadBytes(std::filesystem::path(VELMORA_SOURCE_DIR) / "tests/airmail/AutoConnectSettings.golden.ini");
}

using Keys = std::vector<std::pair<std::string, std::string>>;

std::string SectionText(const Keys& keys) {
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
  Keys others;
  for (const auto& line : SplitLines(DefaultsText()))
    if (auto eq = line.find('='); eq != std::string::npos) others.emplace_back(line.substr(0, eq), line.substr(eq + 1));
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
// values out of range keep what was there (the bounds themselves are the
// key binding's, ProfileKeys' tests).
TEST_F(AutoConnectSettingsFile, RefusesWhatTheRecordCannotHold) {
  auto s = Recalled("[Airmail Data]\r\nConnect Tx Only=true\r\nAuto Select Noise=1\r\nMode Index=7\r\n"
                    "Propagation Model Model=0\r\nAirmail Directory Data=C:\\" + std::string(300, 'd') + "\r\n");
  EXPECT_FALSE(s.connectTxOnly || s.autoSelectNoise);
  EXPECT_EQ(s.modeIndex, kModeMultipleStations);
  EXPECT_EQ(s.propagationModelModel, kModelRec533);
  EXPECT_EQ(s.airmailDirectoryData.size(), 303u);
  // A time shift of more than a year either way.
  for (std::string shift : {"8785", "-1e9", "2.3e8"})
    EXPECT_EQ(Recalled("[Airmail Data]\r\nPropagation Model Time Shift=" + shift).propagationModelTimeShift, 0) << shift;
  // A call needs an attempt and a wait of some time; what was heard fades by half in some time.
  for (const char* value : {"0", "-3", "-0.5", "1e-50"}) {
    auto s = Recalled("[Airmail Data]\r\nConnect Attempts=" + std::string(value) + "\r\nConnect Not Busy=" + value +
                      "\r\nStation Occupancy Half Life=" + value);
    EXPECT_EQ(s.connectAttempts, 10) << value;
    EXPECT_EQ(s.connectNotBusy, 7.0f) << value;
    EXPECT_EQ(s.stationOccupancyHalfLife, 30.0f) << value;
  }
}

}  // namespace
}  // namespace velmora
