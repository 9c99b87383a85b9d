// Finding AirMail's folders (the program file, the registry, the install
// log), and reading its INI files: single values, the data-folder hint, the
// version line, the modem's centre tone and the options dialog's age texts.
#include "airmail/AirmailInstallation.h"

#include <gtest/gtest.h>

#include "airmail/AirmailProfile.h"
#include "airmail/CenterTone.h"
#include "common/TextFileLines.h"
#include "tests/airmail/Fixture.h"
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
  const std::string longLog = std::string(200000, 'x') + "\r\nNewCommonRoot= E:\\AirMail  \r\n" + std::string(300000, 'y');
  // programFile, airmailIni: in the program folder; programRight: the stored program folder holds AirMail;
  // data: found, empty for the program folder.
  struct Case { const char* name; bool programFile, airmailIni; std::string log, registry; bool programRight;
                std::string data; } cases[] = {
      {"CR LF, the last root", true, false,
       "Started\r\nNewCommonRoot= C:\\First\\\r\nCopied\r\nNewCommonRoot= D:\\Mail\\AirMail\\\r\nDone\r\n",
       "C:\\Elsewhere", true, "D:\\Mail\\AirMail"},
      {"LF, within a line, an empty last root", false, false,
       "x NewCommonRoot= " + data.string() + "/\nNewCommonRoot= ", program.string() + "/", false, data.string()},
      {"no trailing separator, a long log", false, false, longLog, program.string(), false, "E:\\AirMail"},
      {"Airmail.ini in the registry's folder", false, true, "NewCommonRoot= D:\\Other\\\r\n", program.string(),
       false, ""},
      {"a log past any install log's size, refused unread", true, false,
       "NewCommonRoot= D:\\Mail\\\r\n" + std::string(kDataFileLimit, 'z'), "C:\\Elsewhere", true, data.string()},
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

constexpr auto Hint = testing::DataFolderHint;

TEST(AirMailGetProfileString, ReadsAValueOrReportsItsAbsenceWhenAskedToAndTheVersionText) {
  RecordingMessenger messages;
  AirmailDataFolder data(testing::FixturePath("data").string(), messages);
  EXPECT_EQ(AirMailGetProfileString(data, "Airmail.ini", "position report", "current time", true),
            "05/14/2024 08:30:00") << "section and key compared without regard to case";


  EXPECT_EQ(AirMailGetProfileString(data, "Airmail.ini", "Hardware", "XYZ Center Tone", false), "");
  EXPECT_TRUE(messages.entries.empty());
  EXPECT_EQ(AirMailGetProfileString(data, "Airmail.ini", "Hardware", "XYZ Center Tone", true), "");
  EXPECT_EQ(AirMailGetProfileString(data, "Missing.ini", "Settings", "Anything", true), "");
  ASSERT_EQ(messages.entries.size(), 2u);
  EXPECT_EQ(messages.entries[0].text, "Unable to find AirMail's Hardware, XYZ Center Tone in \"Airmail.ini\"." +
                                          Hint(data.Folder()));
  EXPECT_EQ(messages.entries[0].icon, MessageIcon::Exclamation);
  messages.entries.clear();
  // AirMail's version on the second line, or not available.
  EXPECT_EQ(AirmailVersionText(data), "Test Version 3.2.022.\r  Current Version 3.4.062");
  EXPECT_TRUE(messages.entries.empty());
  testing::TempFolder folder;
  testing::WriteBytes(folder.path() / "Airmail.ini", "[Settings]\r\nCallsign=KD7XYZ\r\n");
  AirmailDataFolder other(folder.path().string(), messages);
  EXPECT_EQ(AirmailVersionText(other), "Test Version 3.2.022.\r  Current Version N/A");
  EXPECT_EQ(messages.entries.size(), 1u) << "the missing key's message, as any missing value's";
}

UtcDateTime At(int year, int month, int day, int hour, int minute, int second = 0) {
  return {year, month, day, hour, minute, second, 0};
}

TEST(TimeSpanText, CountsCalendarBoundariesNotElapsedTime) {
  EXPECT_EQ(TimeSpanText(At(2024, 5, 13, 22, 30), At(2024, 5, 14, 1, 30)), "1 days") << "3 hours, previous day";
  EXPECT_EQ(TimeSpanText(At(2024, 5, 14, 7, 40), At(2024, 5, 14, 8, 30)), "1 hours") << "50 minutes, across the hour";
  EXPECT_EQ(TimeSpanText(At(2024, 5, 14, 8, 29, 59), At(2024, 5, 14, 8, 30, 0)), "1 minutes");
  EXPECT_EQ(TimeSpanText(At(2023, 12, 31, 23, 59), At(2024, 1, 1, 0, 0)), "1 days") << "across the year";
  EXPECT_EQ(TimeSpanText(At(2024, 2, 28, 12, 0), At(2024, 3, 1, 12, 0)), "2 days") << "a leap year's February";
  EXPECT_EQ(TimeSpanText(At(2024, 5, 14, 10, 0), At(2024, 5, 14, 8, 30)), "-2 hours") << "a time in the future";
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
      {"DecoderType=PTC\r\nPTC Center Tone=9000", std::nullopt},
      {"DecoderType=PTC\r\nPTC Center Tone=-1700", std::nullopt},
  };
  for (const auto& [hardware, tone] : cases) {
    testing::WriteBytes(folder.path() / "Airmail.ini",
                        "[Settings]\r\nx=1\r\n\r\n[Hardware]\r\n" + std::string(hardware) + "\r\n");
    EXPECT_EQ(CenterToneFromAirmail(data), tone) << hardware;
  }
  const std::string tone = "CenterFrequencyAuto, Unable to get center tone.";
  EXPECT_EQ(messages.Texts(),
            (std::vector<std::string>{"CenterFrequency, Unable to get decoder type.", tone, tone, tone, tone}));
}

}  // namespace
}  // namespace velmora
