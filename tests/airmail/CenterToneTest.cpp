#include "airmail/CenterTone.h"

#include <gtest/gtest.h>

#include "tests/common/TempFolder.h"

namespace velmora {
namespace {

// A decoder type names its own key; each failure has its message.
TEST(CenterTone, FromTheDecodersKeyOrAMessage) {
  testing::TempFolder folder;
  RecordingMessenger messages;
  AirmailDataFolder data(folder.path().string(), messages);
  const std::pair<const char*, std::optional<float>> cases[] = {
      {"DecoderType=SCS\r\nPTC Center Tone=1500\r\nSCS Center Tone=2100", 2100.0f},
      {"PTC Center Tone=1500", std::nullopt},
      {"DecoderType=PTC", std::nullopt},
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
