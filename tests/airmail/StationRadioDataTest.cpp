// The station radio data file, read and written (the fixture's file is read
// by the transceiver filter's tests, a missing one reported there too).
#include "airmail/StationRadioData.h"

#include <gtest/gtest.h>

#include "tests/airmail/Fixture.h"
#include "tests/common/TempFolder.h"

namespace velmora {
namespace {

TEST(StationRadioData, WrittenWholeAndReadBackWithoutHarmFromOddLines) {
  testing::TempFolder folder;
  const auto file = folder.path() / kStationRadioDataFile;
  FileFailure failure;
  std::error_code error;
  std::vector<StationRadioRecord> records{{"HAM", "W1AW", "1", {"14075.0", "14080.0(p3)"}},
                                          {"SAILMAIL", "WPE", "2", {}}};
  ASSERT_TRUE(StationRadioDataWrite(file, records, error)) << error.message();
  EXPECT_EQ(testing::ReadBytes(file),
            "System,Station,Tx Rc,Frequency\r\nHAM,W1AW,1,14075.0 14080.0(p3)\r\nSAILMAIL,WPE,2,\r\n");
  EXPECT_EQ(StationRadioDataRead(file, failure), records);
  EXPECT_FALSE(std::filesystem::exists(folder.path() / "StationRadioData.txt.new"));

  testing::WriteBytes(file, "header\nHAM,W1AW\n\nHAM,KX1,1,7101.0  7103.0(p3),x\nHAM,W1,2,14110.0");
  EXPECT_EQ(StationRadioDataRead(file, failure),
            (std::vector<StationRadioRecord>{{"HAM", "W1AW", "", {}},
                                             {"HAM", "KX1", "1", {"7101.0", "7103.0(p3),x"}},
                                             {"HAM", "W1", "2", {"14110.0"}}}));
  testing::WriteBytes(file, "header\nHAM,W1,2,14110.0\n" + std::string(kDataFileLimit, '\n'));
  EXPECT_FALSE(StationRadioDataRead(file, failure)) << "past any data file's size";
  EXPECT_EQ(failure.error, std::errc::file_too_large);
  EXPECT_FALSE(StationRadioDataWrite(folder.path() / "missing" / kStationRadioDataFile, records, error));
  EXPECT_TRUE(error) << "a failed write says why";
}

}  // namespace
}  // namespace velmora
