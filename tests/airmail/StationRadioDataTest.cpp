// The station radio data file, read and written (the fixture's file is read
// by the transceiver filter's tests, a missing one reported there too).
#include "airmail/StationRadioData.h"

#include <gtest/gtest.h>

#include "tests/airmail/Fixture.h"
#include "tests/common/TempFolder.h"

namespace velmora {
namespace {

class StationRadioData : public ::testing::Test {
 protected:
  std::optional<std::vector<StationRadioRecord>> Read() {
    FileFailure failure;
    return StationRadioDataRead(file, failure);
  }
  testing::TempFolder folder;
  std::filesystem::path file = folder.path() / kStationRadioDataFile;
  std::error_code error;
};

TEST_F(StationRadioData, WrittenWholeWithItsHeaderAndReadBack) {
  std::vector<StationRadioRecord> records{{"HAM", "W1AW", "1", {"14075.0", "14080.0(p3)"}},
                                          {"SAILMAIL", "WPE", "2", {}}};
  ASSERT_TRUE(StationRadioDataWrite(file, records, error)) << error.message();
  EXPECT_EQ(testing::ReadBytes(file),
            "System,Station,Tx Rc,Frequency\r\nHAM,W1AW,1,14075.0 14080.0(p3)\r\nSAILMAIL,WPE,2,\r\n");
  EXPECT_EQ(Read(), records);
  EXPECT_FALSE(std::filesystem::exists(folder.path() / "StationRadioData.txt.new"));
}

TEST_F(StationRadioData, OddLinesReadWithoutHarm) {
  testing::WriteBytes(file, "header\nHAM,W1AW\n\nHAM,KX1,1,7101.0  7103.0(p3),x\nHAM,W1,2,14110.0");
  EXPECT_EQ(Read(), (std::vector<StationRadioRecord>{{"HAM", "W1AW", "", {}},
                                                     {"HAM", "KX1", "1", {"7101.0", "7103.0(p3),x"}},
                                                     {"HAM", "W1", "2", {"14110.0"}}}));
}

TEST_F(StationRadioData, AFieldCannotShiftTheOthers) {
  ASSERT_TRUE(StationRadioDataWrite(file, {{"HAM", "W1,AW\r\n", "1", {"7000.0"}}}, error));
  auto records = Read();
  ASSERT_TRUE(records);
  ASSERT_EQ(records->size(), 1u);
  EXPECT_EQ((*records)[0].transceiver, "1");
  EXPECT_EQ((*records)[0].labels, std::vector<std::string>{"7000.0"});
}

TEST_F(StationRadioData, AFailedWriteSaysWhy) {
  EXPECT_FALSE(StationRadioDataWrite(folder.path() / "missing" / kStationRadioDataFile, {{"HAM", "W1AW", "1", {}}},
                                     error));
  EXPECT_TRUE(error);
}

}  // namespace
}  // namespace velmora
