// The status panels' texts and the AutoConnect log written to real files,
// also under a comma-decimal locale.
#include <gtest/gtest.h>

#include "autoconnect/AutoConnectLog.h"
#include "tests/airmail/Fixture.h"
#include "tests/autoconnect/EngineFakes.h"
#include "tests/common/CommaLocale.h"
#include "tests/common/TempFolder.h"

namespace velmora {
namespace {

TEST(StatusBarText, TimesAndTheWriteOnlyWhenDifferentRule) {
  const std::pair<double, const char*> times[] = {
      {0, "00"}, {9.4, "09"}, {59.4, "59"}, {59.6, "1:00"}, {61, "1:01"}, {3599.6, "1:00:00"}, {37925, "10:32:05"}};
  for (auto [seconds, text] : times) EXPECT_EQ(ElapsedText(seconds), text) << seconds;
  EXPECT_EQ(ElapsedSeconds(86390, 10), 20);  // across midnight

  testing::FakeWindow window;
  StatusBarText bar(window);
  bar.UpdateStatusStatus("Waiting, Connect");
  bar.UpdateStatusStatus("Waiting, Connect");
  bar.UpdateStatusState("Running");
  bar.StatusTimesUpdate(std::nullopt, 75);
  bar.StatusTimesUpdate(std::nullopt, 75.2);
  EXPECT_EQ(window.panels[2], "Waiting, Connect ");
  EXPECT_EQ(window.panels[1], "Running");
  EXPECT_EQ(window.panels[3], "");
  EXPECT_EQ(window.panels[4], "1:15 ");
  EXPECT_EQ(window.writes[2], 1);
  EXPECT_EQ(window.writes[4], 1);
  bar.StatusTimesUpdate(5, 80);
  EXPECT_EQ(window.panels[3], "05");
}

TEST(AutoConnectLogRecord, TwentyFieldsWithAPointWhateverTheLocale) {
  testing::CommaLocale comma;
  LogRun run{.start = {2024, 3, 9, 7, 5, 4, 0},
             .ship = LatLon{-33.8675, 151.2069},
             .statistics = {.signalBuffers = 100, .noiseBuffers = 3, .notBusyBuffers = 1000, .connectingBuffers = 66,
                            .stations = 2, .frequencies = 5, .attempts = 3, .station = "Lima, Peru", .snrModel = 12.5f,
                            .snr = {}},
             .status = "Error, No Answer after Connect ",
             .mode = 2,
             .bufferSeconds = 2048.0f / 11025};
  for (float snr : {3.0f, 3.5f, 20.25f}) run.statistics.snr.Add(snr);
  Record record = AutoConnectLogRecord(run);
  const Record expected = {"03/09/24 07:05:04", "2", "5", "19", "1", "186", "12", "0", "3",
                           "Error - No Answer after Connect ", "2", "Lima - Peru", "-33.8675", "151.2069", "12.5",
                           "2", "23.75", "422.3125", "3.5", "20.25"};
  EXPECT_EQ(record, expected);

  // A run that never connected, with no position known.
  LogRun quiet;
  quiet.bufferSeconds = 0.5f;
  quiet.statistics.notBusyBuffers = 5;  // 2.5 s, halves to even
  EXPECT_EQ(JoinRecord(AutoConnectLogRecord(quiet)), "00/00/00 00:00:00,0,0,0,0,2,0,0,0,,0,,,,0,0,0,0,99,-99");
}

TEST(AutoConnectLogRecord, SinglesInTheGeneralForm) {
  // Beside the log record's own figures: at most seven digits, and no exponent.
  const std::pair<float, const char*> cases[] = {{-0.0f, "0"}, {1234.5678f, "1234.568"}, {16000000, "16000000"},
                                                 {0.000123f, "0.000123"}, {1.0f / 3, "0.3333333"}};
  for (auto [value, text] : cases) EXPECT_EQ(SingleText(value), text) << value;
}

class FixedShip final : public ShipPosition {
 public:
  std::optional<LatLon> LatLonGetCurrent() override { return LatLon{10.5, -20.25}; }
};

TEST(AutoConnectLog, OneLinePerRunAfterTheHeadingAndNoneWithoutAStart) {
  testing::TempFolder folder;
  testing::FakeClock clock;
  testing::FakeDetectors detectors;
  FixedShip ship;
  RecordingMessenger messenger;
  const auto file = AutoConnectLogPath(folder.path());
  AutoConnectLog log(file, clock, ship, detectors, messenger);
  RunStatistics statistics;
  statistics.station = "W1AW";

  log.LogFileStop(statistics, "Stopped ", 1);  // no start: nothing
  EXPECT_FALSE(std::filesystem::exists(file));
  log.LogFileStart();
  log.LogFileStop(statistics, "Connected ", 1);
  // A second run whose start failed before its log began: no copy.
  log.LogFileStop(statistics, "Stopped ", 1);
  const std::string line = "03/09/24 07:05:04,0,0,0,0,0,0,0,0,Connected ,1,W1AW,10.5,-20.25,0,0,0,0,99,-99\r\n";
  EXPECT_EQ(testing::ReadBytes(file), std::string(kAutoConnectLogHeading) + "\r\n" + line);
  EXPECT_TRUE(messenger.entries.empty());

  AutoConnectLog nowhere(folder.path() / "missing" / "AutoConnectLog.txt", clock, ship, detectors, messenger);
  nowhere.LogFileStart();
  nowhere.LogFileStop(statistics, "Connected ", 1);
  ASSERT_EQ(messenger.entries.size(), 1u);
  EXPECT_EQ(messenger.entries[0].text.rfind("LogFileStop, ", 0), 0u);
}

}  // namespace
}  // namespace velmora
