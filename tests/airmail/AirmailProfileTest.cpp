// Single values of AirMail's INI files, the data-folder hint, the version
// line and the age texts of the options dialog.
#include "airmail/AirmailProfile.h"

#include <gtest/gtest.h>

#include "tests/airmail/Fixture.h"
#include "tests/common/TempFolder.h"

namespace velmora {
namespace {

constexpr auto Hint = testing::DataFolderHint;

TEST(AirMailGetProfileString, ReadsAValueOrReportsItsAbsenceWhenAskedTo) {
  RecordingMessenger messages;
  AirmailDataFolder data(testing::FixturePath("data").string(), messages);
  EXPECT_EQ(AirMailGetProfileString(data, "Airmail.ini", "position report", "current time", true),
            "05/14/2024 08:30:00")
      << "section and key compared without regard to case";
  EXPECT_EQ(AirMailGetProfileString(data, "Airmail.ini", "Hardware", "XYZ Center Tone", false), "");
  EXPECT_TRUE(messages.entries.empty());
  EXPECT_EQ(AirMailGetProfileString(data, "Airmail.ini", "Hardware", "XYZ Center Tone", true), "");
  EXPECT_EQ(AirMailGetProfileString(data, "Missing.ini", "Settings", "Anything", true), "");
  ASSERT_EQ(messages.entries.size(), 2u);
  EXPECT_EQ(messages.entries[0].text, "Unable to find AirMail's Hardware, XYZ Center Tone in \"Airmail.ini\"." +
                                          Hint(data.Folder()));
  EXPECT_EQ(messages.entries[0].icon, MessageIcon::Exclamation);
}

TEST(AirmailVersionText, ShowsAirMailsVersionOnTheSecondLineOrNotAvailable) {
  RecordingMessenger messages;
  AirmailDataFolder data(testing::FixturePath("data").string(), messages);
  EXPECT_EQ(AirmailVersionText(data), "Test Version 3.2.022.\r  Current Version 3.4.062");
  EXPECT_TRUE(messages.entries.empty());
  testing::TempFolder folder;
  testing::WriteBytes(folder.path() / "Airmail.ini", "[Settings]\r\nCallsign=KD7XYZ\r\n");
  AirmailDataFolder other(folder.path().string(), messages);
  EXPECT_EQ(AirmailVersionText(other), "Test Version 3.2.022.\r  Current Version N/A");
  ASSERT_EQ(messages.entries.size(), 1u);
  EXPECT_EQ(messages.entries[0].text,
            "Unable to find AirMail's Settings, Last Program Version in \"Airmail.ini\"." + Hint(folder.path().string()));
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
  EXPECT_EQ(TimeSpanText(At(2024, 5, 15, 0, 10), At(2024, 5, 14, 23, 50)), "-1 days");
}

}  // namespace
}  // namespace velmora
