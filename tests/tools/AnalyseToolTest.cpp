// velmora-analyse run as a user runs it, on generated recordings.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "common/RecordFile.h"
#include "tests/tools/ToolRun.h"
#include "tools/signalgen/SignalGen.h"

namespace velmora {
namespace {

struct AnalyseTool : ::testing::Test {
  testing::TempFolder folder;

  std::string Write(const std::string& name, const signalgen::SignalRecipe& recipe) {
    const auto file = folder.path() / name;
    std::error_code error;
    EXPECT_TRUE(signalgen::WriteRecording(file, signalgen::Generate(recipe).samples, false, error));
    return file.string();
  }
  std::string WriteText(const std::string& name, const std::string& text) {
    testing::WriteBytes(folder.path() / name, text);
    return (folder.path() / name).string();
  }
  static testing::ToolRun Analyse(const std::string& arguments, const std::string& input = "", int memoryKb = 0) {
    return testing::RunTool("velmora-analyse", arguments, input, memoryKb);
  }
};

using signalgen::Form;

// A Pactor 2 transmission without pauses.
signalgen::SignalRecipe Pactor2(double seconds, double offset = 0) {
  return {.form = Form::Pactor2, .offset = offset, .seconds = seconds, .rhythm = {.cycle = 0}};
}

// A settings file's detector keys and sample size, one line per whole
// buffer, then the statistics.
TEST_F(AnalyseTool, OneLinePerBufferThenTheStatistics) {
  const std::string file = Write("p2.bin", Pactor2(4, -20));  // 44100 samples: 10 whole buffers of 4096
  const std::string settings = WriteText("offsets.ini",
                                         "[Detector Data]\r\nOffset Frequency Range=100\r\nOffset Frequency Step=20\r\n"
                                         "[Display Data]\r\nSample Size=4096\r\n");
  const testing::ToolRun r = Analyse("--settings \"" + settings + "\" \"" + file + "\"");
  ASSERT_EQ(r.status, 0);
  EXPECT_TRUE(r.errorLines.empty());
  ASSERT_GE(r.lines.size(), 13u);
  EXPECT_EQ(r.lines[0], "buffer,seconds,level_db,valid,busy,noise,label,pactor2_score,pactor3_variant,pactor3_score");
  for (int b = 1; b <= 10; ++b) {
    const auto f = SplitRecord(r.lines[b]);
    ASSERT_EQ(f.size(), 10u) << r.lines[b];
    EXPECT_EQ(f[0], std::to_string(b));
    EXPECT_EQ(f[3] + f[4] + f[5], "110") << r.lines[b];  // valid, busy, no noise
    EXPECT_EQ(f[6], "Pactor 2; -20") << "the label's comma replaced";
  }
  EXPECT_EQ(SplitRecord(r.lines[2])[1], "0.372");
  EXPECT_EQ(SplitRecord(r.lines[1])[8] + "/" + SplitRecord(r.lines[1])[9], "1/0.0") << "Pactor 3 never ran: its first values";
  EXPECT_EQ(r.lines[11], "");
  EXPECT_EQ(r.lines[12], "Power:");
  EXPECT_EQ(r.lines[13], "Count 10, Hits 10");
  EXPECT_EQ(r.lines.back(), "Count 0, Hits 0");
}

// "Digital Busy" from a settings file adds the Digital statistics block
// (every key read: MainSettingsTest); a file with nothing to use is said to
// be one, and the built-in values are used.

TEST_F(AnalyseTool, TheSettingsFileTakenOrSaidToHoldNothingToUse) {
  const std::string file = Write("p2.bin", Pactor2(1));
  const std::string on = WriteText("on.ini", "[Detector Data]\r\nDigital Busy=True\r\n");
  const std::string other = WriteText("other.ini", "[Airmail Data]\r\nWindow Visible=True\r\n");
  struct Case { std::string settings, warning; int digitalBlocks; } cases[] = {
      {on, "", 1},
      {other, "velmora-analyse: the settings file \"" + other +
                  "\" holds no \"Detector Data\" or \"Display Data\" values; the built-in ones are used", 0},
  };
  for (const auto& c : cases) {
    const testing::ToolRun r = Analyse("--settings \"" + c.settings + "\" \"" + file + "\"");
    ASSERT_EQ(r.status, 0);
    EXPECT_EQ(r.errors, c.warning.empty() ? "" : c.warning + "\n");
    EXPECT_EQ(SplitRecord(r.lines.at(1))[6], "Pactor 2");
    EXPECT_EQ(std::ranges::count(r.lines, "Digital:"), c.digitalBlocks);
  }
}


// 48 MB of recording through a tool allowed 40 MB: it holds one buffer at a
// time, as playback does, not the whole recording.
TEST_F(AnalyseTool, ARecordingLargerThanItsMemoryIsReadBufferByBuffer) {
  const testing::ToolRun r = Analyse("--sample-size 32768 -", "head -c 50331648 /dev/zero", 40000);
  ASSERT_EQ(r.status, 0) << (r.errorLines.empty() ? "" : r.errorLines[0]);
  ASSERT_GE(r.lines.size(), 770u);
  EXPECT_EQ(SplitRecord(r.lines[768])[0], "768");
  EXPECT_EQ(r.lines[769], "");
}

// The shipped demo: a Pactor 3 exchange after a second of channel noise,
// made by the command in DEVELOPING.md (what the analyser finds in it:
// the analyse_exe_demo run of the Windows build).
TEST_F(AnalyseTool, DemoRecordingIsThePactor3ExchangeItSaysItIs) {
  const std::string demo = std::string(VELMORA_SOURCE_DIR) + "/analysis/demo/Demo Pactor 3.bin";
  const signalgen::SignalRecipe recipe{
      .form = Form::Pactor3, .variant = 3, .snrDb = 10, .seconds = 8, .rhythm = {.start = 1}, .seed = 7};
  const std::string bytes = testing::ReadBytes(demo);
  const auto pcm = signalgen::ToPcm16(signalgen::Generate(recipe).samples);
  ASSERT_EQ(bytes.size(), 2 * pcm.size());
  int differ = 0;  // another maths library may round a sample the other way
  for (std::size_t i = 0; i < pcm.size(); ++i) {
    const auto lo = static_cast<unsigned char>(bytes[2 * i]), hi = static_cast<unsigned char>(bytes[2 * i + 1]);
    const int stored = static_cast<std::int16_t>(static_cast<std::uint16_t>(lo | (hi << 8)));
    differ += std::abs(stored - pcm[i]) > 1;
  }
  EXPECT_EQ(differ, 0) << "regenerate it with the command in DEVELOPING.md";
}

}  // namespace
}  // namespace velmora
