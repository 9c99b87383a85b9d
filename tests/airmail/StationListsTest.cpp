// AirMail's systems, their stations and their frequency lists, read from a
// whole AirMail data folder.
#include "airmail/FrequencyLists.h"
#include "airmail/MailSystems.h"
#include "airmail/StationEntries.h"

#include <gtest/gtest.h>

#include "airmail/FrequencyLabel.h"
#include "tests/airmail/Fixture.h"
#include "tests/common/TempFolder.h"

namespace velmora {
namespace {

using Strings = std::vector<std::string>;
constexpr auto Hint = testing::DataFolderHint;

// A data folder of one station file written by the test.
class OwnStationFile : public ::testing::Test {
 protected:
  void Write(std::string_view system, std::string_view content) {
    testing::WriteBytes(folder.path() / StationFileName(system), content);
  }
  testing::TempFolder folder;
  RecordingMessenger messages;
  AirmailDataFolder data{folder.path().string(), messages};
};

// What the fixture's lists hold is the tool's listing (VelmoraAirmailToolTest);
// here what the listing cannot show.
TEST_F(OwnStationFile, SystemsAreListedByNameWhateverTheirCase) {
  for (const char* name : {"system.pactor.ini", "System.HAM.ini", "SYSTEM.Sailmail.INI", "System.ini", "System.HAM.bak",
                           "Systems.X.ini"})
    testing::WriteBytes(folder.path() / name, "");
  std::filesystem::create_directory(folder.path() / "System.FOLDER.ini");
  SelectionList list;
  ASSERT_TRUE(SystemGetList(data, list, 2));
  EXPECT_EQ(list.entries, (Strings{"HAM", "pactor", "Sailmail"}));
  EXPECT_EQ(list.selected, 2);
  for (int index : {-1, 3}) {
    ASSERT_TRUE(SystemGetList(data, list, index));
    EXPECT_EQ(list.selected, 0) << index;
  }
}

// The selected list of the fixture, "W1" in it for being part of "W1AW",
// is met through the configuration's tests (selection).
TEST(StationIsSelected, CaseCounts) { EXPECT_FALSE(StationIsSelected("W1AW,KX1", "w1aw")); }

// A missing file, then a station section ended at once.
TEST_F(OwnStationFile, AMissingOrEmptyStationListIsReported) {
  SelectionList list;
  EXPECT_FALSE(StationGetListAll(data, "HAM", list, 0));
  Write("HAM", "[Station Info]\r\n\r\nW1AW=FN31:x\r\n[Frequency Setup]\r\nSelected=W1AW\r\n");
  EXPECT_FALSE(StationGetListSelected(data, "HAM", list, 0));
  EXPECT_TRUE(list.entries.empty());
  EXPECT_EQ(messages.Texts(),
            (Strings{"StationGetListAll - Open, Unable to open AirMail \"HAM\" Station Info data." +
                         Hint(data.Folder()),
                     "StationGetList, Unable to find any selected AirMail \"HAM\"Stations." + Hint(data.Folder())}));
}

#ifdef __linux__
// A file that opens but cannot be read: the kernel refuses to read a
// process's memory at address 0.
TEST_F(OwnStationFile, AReadErrorIsToldFromAnOpenError) {
  std::filesystem::create_symlink("/proc/self/mem", folder.path() / "System.HAM.ini");
  SelectionList list;
  EXPECT_FALSE(StationGetListSelected(data, "HAM", list, 0));
  EXPECT_EQ(StationFromStationName(data, "SAILMAIL", "x"), "");  // no such file: an open error
  std::filesystem::create_symlink("/proc/self/mem", folder.path() / "System.SAILMAIL.ini");
  EXPECT_EQ(StationFromStationName(data, "SAILMAIL", "x"), "");
  const char* starts[] = {"StationGetListSelected - Read, Unable to get AirMail \"HAM\" Station Info data.",
                          "Unable to open AirMail's \"System.SAILMAIL.ini\". ",
                          "Unable to process AirMail's \"System.SAILMAIL.ini\". "};
  ASSERT_EQ(messages.entries.size(), 3u);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(messages.entries[i].text.rfind(starts[i], 0), 0u) << messages.entries[i].text;
}
#endif

TEST_F(OwnStationFile, LinesOfAnyLengthAndEitherEndAreRead) {
  std::string longName(300000, 'n');
  Write("SAILMAIL", "[Station Info]\nAAA=FN31:" + longName + ";P3\nBBB=FN32:Short");
  std::vector<StationEntry> stations;
  ASSERT_TRUE(StationEntriesGet(data, "SAILMAIL", StationListKind::All, stations));
  ASSERT_EQ(stations.size(), 2u);
  EXPECT_EQ(stations[0].name, longName);
  EXPECT_EQ(stations[1].name, "Short") << "the last line has no line end";
}

// No station file comes near a few megabytes: a larger one is refused
// with the read message, unread.
TEST_F(OwnStationFile, AFileLargerThanAnyStationFileIsRefused) {
  Write("HAM", "[Station Info]\nW1AW=FN31:Newington\n" + std::string(kProfileFileLimit, '\n'));
  SelectionList list;
  EXPECT_FALSE(StationGetListAll(data, "HAM", list, 0));
  ASSERT_EQ(messages.entries.size(), 1u);
  EXPECT_EQ(messages.entries[0].text,
            "StationGetListAll - Read, Unable to get AirMail \"HAM\" Station Info data." + Hint(data.Folder()));
}

TEST(StationFiles, SailmailNamesAndKeysConvertBothWaysAndAnExactNameWins) {
  RecordingMessenger messages;
  AirmailDataFolder fixture(testing::FixturePath("data").string(), messages);
  EXPECT_EQ(StationFromStationName(fixture, "SAILMAIL", "Friday Harbor, WA"), "WPE");
  EXPECT_EQ(StationNameFromStation(fixture, "SAILMAIL", "WLO"), "Mobile, AL");
  EXPECT_EQ(StationFromStationName(fixture, "HAM", "W1AW"), "W1AW");
  EXPECT_EQ(StationNameFromStation(fixture, "HAM", "Anything"), "Anything");
  EXPECT_EQ(StationFromStationName(fixture, "SAILMAIL", "Panama"), "HP2B");
  EXPECT_EQ(StationFromStationName(fixture, "SAILMAIL", "Panama City"), "HP1A");
  EXPECT_EQ(StationFromStationName(fixture, "SAILMAIL", "Harbor"), "WPE") << "a part still finds the station";
  EXPECT_EQ(StationFromStationName(fixture, "SAILMAIL", ""), "") << "no name is no station";
  EXPECT_TRUE(messages.entries.empty());
  // An unknown name is reported with the last key read.
  EXPECT_EQ(StationFromStationName(fixture, "SAILMAIL", "Nowhere"), "");
  EXPECT_EQ(StationNameFromStation(fixture, "SAILMAIL", "XYZ"), "");
  EXPECT_EQ(messages.Texts(),
            (Strings{"Unable to find AirMail's Nowhere, HP2B in \"" + fixture.File("System.SAILMAIL.ini").string() +
                         "\"." + Hint(fixture.Folder()),
                     "Unable to find AirMail's Station Info, XYZ in \"System.SAILMAIL.ini\"." +
                         Hint(fixture.Folder())}));
}

TEST_F(OwnStationFile, ANameNotFoundBeforeTheEndOfTheFileIsNotReported) {
  Write("SAILMAIL", "[Station Info]\r\nWPE=CN87:Friday Harbor\r\n");
  EXPECT_EQ(StationFromStationName(data, "SAILMAIL", "Mobile"), "");
  EXPECT_TRUE(messages.entries.empty());
}

TEST_F(OwnStationFile, AListOfNothingButTyposGivesNoRows) {
  Write("HAM", "[Frequency List]\r\nX1=abc, 7O00 ;-5,0\r\nX2= 7000 , 7001.5# ;\r\n");
  std::vector<FrequencyRow> rows;
  EXPECT_FALSE(StationFrequencyListGet(data, "HAM", "X1", rows));
  EXPECT_TRUE(rows.empty());
  ASSERT_EQ(messages.entries.size(), 1u);
  EXPECT_NE(messages.entries[0].text.find("the frequencies \"abc\", \"7O00\", \"-5\", \"0\""), std::string::npos)
      << messages.entries[0].text;
  ASSERT_TRUE(StationFrequencyListGet(data, "HAM", "X2", rows));
  EXPECT_EQ(rows, (std::vector<FrequencyRow>{{"X2", "7000.0", 1, false, false}, {"X2", "7001.5(p3)", 1, true, false}}))
      << "blanks around items are no part of them";
}

// AirMail reads a value through 1024 characters: a longer list arrives cut,
// and what stands after its last separator may be part of a frequency.
TEST_F(OwnStationFile, AListTooLongToReadWholeLosesItsCutEnd) {
  std::string full = "14075";
  while (full.size() < 1017) full += ",14075";  // 1019 characters
  struct Case {
    std::string list;
    size_t rows;
    std::string lastLabel;
    std::string skipped;  // the end of the message, empty for none
  } cases[] = {
      {full + ",7205", 170, "14075.0", ", from \"720\" on."},   // "7205" would be read as 720.0
      {full + ",720", 171, "720.0", ""},                        // 1023 characters: read whole
      {"\"" + full + ",720\"", 170, "14075.0", ", from \"72\" on."},  // the quotes take room
      {full.substr(0, 1014) + "14075.00,7205", 170, "14075.0", "."},  // cut just after a separator
  };
  for (const auto& c : cases) {
    Write("HAM", "[Frequency List]\r\nW1AW=" + c.list + "\r\n");
    messages.entries.clear();
    std::vector<FrequencyRow> rows;
    ASSERT_TRUE(StationFrequencyListGet(data, "HAM", "W1AW", rows)) << c.list.size();
    EXPECT_EQ(rows.size(), c.rows) << c.list.size();
    EXPECT_EQ(rows.back().label, c.lastLabel) << c.list.size();
    if (c.skipped.empty()) {
      EXPECT_TRUE(messages.entries.empty()) << c.list.size();
      continue;
    }
    ASSERT_EQ(messages.entries.size(), 1u) << c.list.size();
    EXPECT_EQ(messages.entries[0].text,
              "StationFrequencyListGet, Skipped the end of AirMail's Frequency List, W1AW in \"System.HAM.ini\", "
              "which is longer than 1023 characters" + c.skipped + Hint(data.Folder()));
  }
}

TEST(FrequencyReformat, GivesOneDecimalAndThePactor3Suffix) {
  EXPECT_EQ(FrequencyReformat("10147.3#"), "10147.3(p3)");
  EXPECT_EQ(FrequencyReformat("7102.25"), "7102.3");
  EXPECT_EQ(FrequencyReformat("99.96"), "100.0") << "the label decides";
  EXPECT_EQ(FrequencyReformat("30000#"), "30000.0(p3)");
  // Every refused item would give a label that is no HF frequency, or none.
  for (const char* bad : {"", " ", "#", "14O75", "1e4", "inf", "nan", "0", "-7000", "7000.1.2", "0x1A", "7000 kHz",
                          "0.04", ".01#", ".5", "99.9", "30000.1", "99999999999999999999999999999"})
    EXPECT_EQ(FrequencyReformat(bad), std::nullopt) << bad;
}

TEST(StationKinds, WwvAndAirmailSystemsAreKnownWhateverTheirCase) {
  EXPECT_TRUE(StationIsWwv("wwv") && !StationIsWwv("WWVH"));
  EXPECT_TRUE(SystemIsAirmail("Ham") && SystemIsAirmail("SailMail") && !SystemIsAirmail("PACTOR"));
}

}  // namespace
}  // namespace velmora
