#include "airmail/CenterTone.h"

#include <gtest/gtest.h>

#include <fstream>

#include "tests/common/TempFolder.h"

namespace velmora {
namespace {

class CenterToneTest : public ::testing::Test {
 protected:
  std::optional<float> Read(const std::string& hardware) {
    std::ofstream(folder.path() / "Airmail.ini", std::ios::binary) << "[Settings]\r\nx=1\r\n\r\n" << hardware;
    AirmailDataFolder data(folder.path().string(), messages);
    return CenterToneFromAirmail(data);
  }
  testing::TempFolder folder;
  RecordingMessenger messages;
};

TEST_F(CenterToneTest, ADecoderTypeNamesItsOwnKey) {
  EXPECT_EQ(Read("[Hardware]\r\nDecoderType=SCS\r\nPTC Center Tone=1500\r\nSCS Center Tone=2100\r\n"), 2100.0f);
}

TEST_F(CenterToneTest, EachFailureHasItsMessage) {
  EXPECT_FALSE(Read("[Hardware]\r\nPTC Center Tone=1500\r\n"));
  EXPECT_FALSE(Read("[Hardware]\r\nDecoderType=PTC\r\n"));
  EXPECT_FALSE(Read("[Hardware]\r\nDecoderType=PTC\r\nPTC Center Tone=fifteen hundred\r\n"));
  EXPECT_FALSE(Read("[Hardware]\r\nDecoderType=PTC\r\nPTC Center Tone=9000\r\n"));
  EXPECT_FALSE(Read("[Hardware]\r\nDecoderType=PTC\r\nPTC Center Tone=-1700\r\n"));
  EXPECT_EQ(messages.Texts(), (std::vector<std::string>{"CenterFrequency, Unable to get decoder type.",
                                                        "CenterFrequencyAuto, Unable to get center tone.",
                                                        "CenterFrequencyAuto, Unable to get center tone.",
                                                        "CenterFrequencyAuto, Unable to get center tone.",
                                                        "CenterFrequencyAuto, Unable to get center tone."}));
}

}  // namespace
}  // namespace velmora
