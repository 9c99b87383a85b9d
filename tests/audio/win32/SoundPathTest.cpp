// The real sound path: a tone played into the sound server comes back
// through the capture loop, full buffers of the right level and frequency.
#include <gtest/gtest.h>

#include <cmath>

#include "audio/win32/WaveDevices.h"
#include "common/win32/MessagePump.h"
#include "tests/audio/SignalFakes.h"
#include "tests/audio/win32/SoundPlayer.h"
#include "tests/common/TempFolder.h"
#include "tests/common/win32/TestWin32.h"

namespace velmora {
namespace {

constexpr double kToneHz = 1000;
constexpr double kToneAmplitude = 16000;

using RealRig = testing::BasicSignalRig<WaveInDevice, WaveOutDevice, SteadyClock>;

// The tone's level, and its sign changes (passing over samples that are
// exactly zero: 8-bit samples near the axis round to it).
bool IsTheTone(const std::vector<std::int16_t>& b) {
  int crossings = 0, sign = 0;
  double sum = 0;
  for (auto v : b) {
    const int s = (v > 0) - (v < 0);
    if (s != 0 && sign != 0 && s != sign) ++crossings;
    if (s != 0) sign = s;
    sum += double(v) * v;
  }
  return std::abs(crossings - 2 * kToneHz * 2048 / 11025) <= 4 &&
         std::abs(10 * std::log10(sum / b.size()) - 20 * std::log10(kToneAmplitude / std::sqrt(2.0))) <= 1.5;
}

// The 16-bit capture is recorded as it runs, and the recording played back.
TEST(SoundPath, SixteenAndEightBitCaptureDeliverTheToneAndTheRecordingPlaysBackSampleExact) {
  testing::TempFolder folder;
  std::vector<std::int16_t> samples(8 * 11025);  // a steady tone of 8 s
  for (size_t n = 0; n < samples.size(); ++n)
    samples[n] =
        static_cast<std::int16_t>(std::lround(kToneAmplitude * std::sin(2 * 3.14159265358979 * kToneHz * n / 11025)));
  for (bool use16Bit : {true, false}) {
    testing::SoundPlayer tone(samples);
    ASSERT_TRUE(tone.Playing()) << "no sound output: is the sound server running?";
    RealRig rig;
    rig.signal.use16Bit = use16Bit;
    rig.signal.dataFolder = folder.path();
    if (use16Bit) rig.signal.RecordOpen();
    rig.Run(16);
    rig.signal.RecordClose();
    // Every buffer full, and the tone in at least six of them: the sound
    // server's latency puts silence (or the tail of an earlier test's tone)
    // first, and on a loaded machine the server's own player leaves gaps.
    ASSERT_TRUE(rig.messages.Texts().empty()) << rig.messages.Texts()[0];
    ASSERT_EQ(rig.analysis.analysed.size(), 16u);
    int tones = 0;
    for (const auto& b : rig.analysis.analysed) {
      EXPECT_EQ(b.size(), 2048u) << "every buffer is full";
      tones += IsTheTone(b);
    }
    EXPECT_GE(tones, 6);
    EXPECT_EQ(rig.host.Last(1), "Stopped");
    if (!use16Bit) continue;
    for (const auto& text : rig.host.status[1])
      if (text.starts_with("Running")) std::printf("load on the tone: %s\n", text.c_str());

    RealRig player;
    player.signal.inputSource = kPlayback;
    for (const auto& entry : std::filesystem::directory_iterator(folder.path())) player.signal.playbackFile = entry.path();
    player.Run(16);
    EXPECT_EQ(player.analysis.analysed, rig.analysis.analysed);
  }
}

}  // namespace
}  // namespace velmora
