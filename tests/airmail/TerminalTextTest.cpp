// What the terminal's lines and fields say.
#include "airmail/TerminalText.h"

#include <gtest/gtest.h>

#include <tuple>
#include <utility>

namespace velmora {
namespace {

// Each status line; the first pattern that matches wins, case counts, and
// the idle prompt may be cut short.
TEST(TerminalLineStatusTest, EachStatusLine) {
  using S = TerminalStatus;
  const std::pair<const char*, S> cases[] = {
      {"*** W1AW, 14105.0 kHz, canceled", S::Canceled},
      {"*** (31)DISCONNECTED", S::Disconnected},
      {"*** Disconnected from W1AW", S::Disconnected},
      {"*** W1AW, 14105.0 kHz, no answer", S::NoAnswer},
      {"No answer from W1AW", S::NoAnswer},
      {"*** Calling W1AW on 14105.0 kHz", S::Calling},
      {"*** Connected to W1AW", S::Connected},
      {"any other text", S::Connected},
      {"Calling W1AW, 14105.0 kHz, no answer", S::NoAnswer},
      {"Calling W1AW, 14105.0 kHz, canceled, no answer", S::Canceled},
      {"calling w1aw", S::Connected},
      {"< id >", S::Idle}, {"< id > W1AW", S::Idle}, {"< id ", S::Idle}, {"< id", S::Idle},
      {"< i", S::Idle}, {"< ", S::Idle}, {"<", S::Idle},
      {"< idle", S::Connected},
      {"", S::Connected},
  };
  for (const auto& [line, status] : cases) EXPECT_EQ(TerminalLineStatus(line), status) << '"' << line << '"';
}

// What the log monitor's tests (real files) do not meet.
TEST(DebugLogLineStatusTest, LinePatterns) {
  auto calling = TerminalStatus::Calling;
  EXPECT_EQ(DebugLogLineStatus("12:00 Disconnected from W1AW (manual)", calling), TerminalStatus::Canceled);
  EXPECT_EQ(DebugLogLineStatus("12:00 Connected to W1AW, Disconnected from W1AW", calling),
            TerminalStatus::Disconnected);
}

// A frequency has its dot fifth to seventh; a system is a known name alone.
TEST(TerminalFieldTest, FrequencyAndSystemFields) {
  for (auto [text, frequency] : {std::pair{"7065.0", true}, {"100000.5", true}, {"706.5", false},
                                 {"1234567.0", false}, {"W1AW", false}, {"", false}})
    EXPECT_EQ(TerminalFieldIsFrequency(text), frequency) << text;
  for (auto [text, system] : {std::pair{"ham", true}, {"FAX", true}, {"HAM ", false}})
    EXPECT_EQ(TerminalFieldIsSystem(text), system) << text;
}

// Only HAM server lines are examined; "min" right after the word leaves no
// room for a number.
TEST(ConnectAidTest, MinutesOfAHamServerLine) {
  for (auto [line, minutes] : {std::pair{"PMBO W1AW last contacted server 12 min ago", 12}, {"server 0 min", 0},
                               {"no word here 12 min", -1}, {"server 12 hours", -1}, {"server abc min", -1},
                               {"servermin", -1}, {"server", -1}})
    EXPECT_EQ(ConnectAidMinutes(line), minutes) << line;
  for (auto [system, line, server] : {std::tuple{"ham", "PMBO W1AW last contacted server 20 min", true},
                                      {"SAILMAIL", "PMBO W1AW last contacted server 20 min", false},
                                      {"HAM", " PMBO last contacted", false}, {"HAM", "PMBO W1AW", false}})
    EXPECT_EQ(ConnectAidLineIsServer(system, line), server) << system << ": " << line;
}

// Pactor 3's wide forms are met in the terminal's history test.
TEST(PactorCountsTest, LinkShownByPactor2AboveTheThresholdAndTheStatusText) {
  PactorCountValues counts;
  counts.pactor2 = 10;
  EXPECT_FALSE(PactorCountsShowLink(counts));
  counts.pactor2 = 11;
  EXPECT_TRUE(PactorCountsShowLink(counts));
  counts = {7, {1, 2, 3, 4, 5, 6}};
  EXPECT_EQ(PactorDetectorStatusText(counts),
            "Pactor Detector Status\r\rThreshold, 10\r\rPactor 2 (100), 7\r\rPactor 3 (200), 1\rPactor 3 (600), 2\r"
            "Pactor 3 (1400/2800), 3\rPactor 3 (2800), 4\rPactor 3 (3200), 5\rPactor 3 (3600), 6");
}

}  // namespace
}  // namespace velmora
