// Both history summaries over real files: small logs worked out by hand,
// and the edge cases.
#include <gtest/gtest.h>

#include <fstream>

#include "reports/AirmailSummary.h"
#include "reports/HistoryText.h"
#include "reports/LogFileSummary.h"
#include "tests/common/TempFolder.h"

namespace velmora {
namespace {

using namespace std::chrono;

sys_days Day(int y, unsigned m, unsigned d) { return sys_days(year_month_day{year{y}, month{m}, day{d}}); }

HistoryPeriod Days(sys_days from, sys_days to) { return {LogTime(from), LogTime(to + days(1)) - seconds(1)}; }

class LogFile {
 public:
  explicit LogFile(const std::string& text) { std::ofstream(Path(), std::ios::binary) << text; }
  std::filesystem::path Path() const { return folder_.path() / "log.txt"; }

 private:
  testing::TempFolder folder_;
};

std::vector<std::string> Csv(const HistorySummary& s) {
  std::vector<std::string> rows;
  for (const auto& row : s.rows) {
    std::string line;
    for (const auto& cell : row) line += (line.empty() ? "" : ",") + cell;
    rows.push_back(line);
  }
  return rows;
}

// Dated and time-only lines over four days, worked out by hand, whole and
// for one day.
TEST(AirmailSummary, TheWholeLogAndOneDay) {
  LogFile log("01/05/2026 00:00:01.250 Debug log opened\r\n10:00:00.500 Connected to WLO\r\n"
              "10:00:05 Sending 512 bytes\r\n10:02:05 Disconnected from WLO\r\n11:00:00 No answer from KPH\r\n"
              "a line without a time\r\n12:00:00 No answer from KPH (manual)\r\n"
              "01/06/2026 00:00:01 Debug log opened\r\n09:00:00 Connected to KPH\r\n09:01:00 Disconnected from KPH\r\n"
              "10:00:00 Connected to WLO\r\n10:05:36 Disconnected from WLO\r\n"
              "01/08/2026 08:00:00 No answer from WLO\r\n");
  auto whole = AirmailSummary(log.Path(), std::nullopt);
  EXPECT_EQ(whole.lines, (std::vector<std::string>{"Time:               01/05/26 to 01/08/26",
                                                   "Records:        6, Tries/Day 1.5, Connects/Day 0.8",
                                                   "Connected:    3 (50%), Connected 2:54, Last 01/06/26",
                                                   "No Answer:    2 (33%), Last 01/08/26",
                                                   "Stopped         1 (17%), Last 01/05/26", "Error:                1"}));
  EXPECT_EQ(Csv(whole), (std::vector<std::string>{"WLO,2,67%", "KPH,1,33%"}));
  EXPECT_EQ(whole.headers, (std::vector<std::string>{"Station", "Records", "Percent"}));
  EXPECT_EQ(std::pair(whole.first, whole.last), std::pair(std::optional(Day(2026, 1, 5)), std::optional(Day(2026, 1, 8))));

  auto day = AirmailSummary(log.Path(), Days(Day(2026, 1, 6), Day(2026, 1, 6)));
  EXPECT_EQ(day.lines, (std::vector<std::string>{"Time:               01/06/26 to 01/06/26",
                                                 "Records:        2, Tries/Day 2.0, Connects/Day 2.0",
                                                 "Connected:    2 (100%), Connected 3:18, Last 01/06/26"}));
  EXPECT_EQ(Csv(day), (std::vector<std::string>{"KPH,1,50%", "WLO,1,50%"}));
}

// Each outcome, a record cut short and two stations, worked out by hand:
// three days, nine records.
TEST(LogFileSummary, EveryLineAndTheStationTable) {
  const std::string tail = ",2,,12.5,-61.25,0,0,0,0,99,-99\r\n";  // no station
  LogFile log(
      "Time,Stations,Frequencies,Signal(Sec),Noise(Sec),NotBusy(Sec),Connecting(Sec),Connected(Sec),Attempts,Status,"
      "Mode,Station,Lat,Lon,SnrModel,SnrDetectCount,SnrDetectSum1,SnrDetectSum2,SnrDetectMin,SnrDetectMax\r\n"
      "01/05/26 10:00:00,2,4,10,0,20,30,300,2,Connected ,2,WLO,12.5,-61.25,20,4,40,0,99,-99\r\n"
      "01/05/26 11:00:00,1,2,0,5,10,20,120,1,Connected ,2,KPH,12.5,-61.25,0,0,0,0,99,-99\r\n"
      "01/06/26 09:00:00,3,6,0,0,40,0,0,4,Did not Connect ," + tail +
      "01/06/26 09:30:00,1,1,0,0,0,0,0,0,Error -No Answer after Connect ," + tail +
      "01/06/26 10:00:00,1,1,0,0,0,0,0,0,Waiting ," + tail + "01/06/26 10:30:00,1,1,0,0,0,0,0,0,Waiting ," + tail +
      "01/07/26 10:00:00,1,1,0,0\r\n"  // a crash in mid-record
      "01/07/26 11:00:00,1,3,0,0,60,0,0,1,Stopped -Terminal Window ," + tail +
      "01/07/26 12:00:00,2,2,30,0,0,10,600,1,Connected ,2,WLO,12.5,-61.25,30,2,30,0,99,-99\r\n");
  auto s = LogFileSummary(log.Path(), std::nullopt);
  const std::string indent(27, ' ');
  EXPECT_EQ(s.lines, (std::vector<std::string>{
                         "Time:               01/05/26 to 01/07/26",
                         "Records:        9, Tries/Day 3.0, Minutes/Day 6:58, Connects/Day 1.0",
                         "Connected:    3 (33%), Stations 1.7, Frequencies 2.7, Signal 67%, Noise 33%",
                         indent + "Attempts 1.3, Checking :45, Connected 5:40, Last 01/07/26",
                         "No Answer:     1 (11%), Stations 3.0, Frequencies 6.0, Signal 0%, Noise 0%",
                         indent + "Attempts 4.0, Checking :40, Last 01/06/26",
                         "Stopped:        1 (11%), Stations 1.0, Frequencies 3.0, Signal 0%, Noise 0%",
                         indent + "Attempts 1.0, Checking 1:00, Connected :00, Last 01/07/26",
                         "Error:             2", "Unknown:       2"}));
  // Measured: 40/4 and 30/2; each delta is predicted - measured - 33.
  EXPECT_EQ(Csv(s), (std::vector<std::string>{"WLO,2,67%,2,25.0,2,12.5,-20.5", "KPH,1,33%,0,,0,,"}));
  EXPECT_EQ(s.headers, (std::vector<std::string>{"Station", "#", "Percent", "#", "Snr", "#", "Det", "Delta"}));
}

TEST(HistorySummaries, EdgeCasesAndMendedFaults) {
  struct Case {
    const char* name;
    bool airmail;
    std::string log;
    std::optional<HistoryPeriod> period;
    std::vector<std::string> lines;
  };
  const std::string kRun = ",1,1,0,0,20,10,300,1,";
  const std::string kRest = ",1,WLO,1,2,10,5,60,800,3,20";
  const std::string head = "01/05/2026 10:00:00 No answer from WLO\r\n";  // the CR below ends the first read
  const Case cases[] = {
      {"a CR LF across two reads ends one line", true,
       head + std::string(256 * 1024 - 1 - head.size(), 'x') + "\r\n10:00:01 No answer from WLO", std::nullopt,
       {"Time:               01/05/26 to 01/05/26", "Records:        2, Tries/Day 2.0, Connects/Day 0.0",
        "No Answer:    2 (100%), Last 01/05/26", "Error:                1"}},
      {"an empty period keeps the Time and Records lines", false,
       "01/05/26 10:00:00" + kRun + "Connected " + kRest + "\r\n", Days(Day(2026, 2, 1), Day(2026, 2, 3)),
       {"Time:                to ", "Records:        1, Tries/Day 1.0, Minutes/Day :00, Connects/Day 0.0"}},
      {"\"Did not Connect\" is no connection", false, "01/05/26 10:00:00" + kRun + "Did not Connect " + kRest,
       std::nullopt,
       {"Time:               01/05/26 to 01/05/26", "Records:        1, Tries/Day 1.0, Minutes/Day 5:30, "
        "Connects/Day 0.0", "No Answer:     1 (100%), Stations 1.0, Frequencies 1.0, Signal 0%, Noise 0%",
        std::string(27, ' ') + "Attempts 1.0, Checking :30, Last 01/05/26"}},
      {"a record cut short is an error, its fields not read", false,
       "01/05/26 10:00:00" + kRun + "Connected ,1,WLO,1,2,10\r\n", std::nullopt,
       {"Time:                to ", "Records:        1, Tries/Day 1.0, Minutes/Day :00, Connects/Day 0.0",
        "Error:             1"}},
      {"(manual) is a stop, not a no answer", true, "01/05/2026 10:00:00 No answer from XYZ (manual)\r\n",
       std::nullopt,
       {"Time:               01/05/26 to 01/05/26", "Records:        1, Tries/Day 1.0, Connects/Day 0.0",
        "Stopped         1 (100%), Last 01/05/26"}},
      {"a date mm/dd/yyyy starts a line", true,
       "01/05/2026 10:00:00 No answer from WLO\r\n01/09/2026 10:00:00 No answer from WLO\r\n", std::nullopt,
       {"Time:               01/05/26 to 01/09/26", "Records:        2, Tries/Day 0.4, Connects/Day 0.0",
        "No Answer:    2 (100%), Last 01/09/26"}},
      {"a link across midnight on time-only lines lasts minutes", true,
       "01/05/2026 23:00:00 Log opened\r\n23:59:00 Connected to WLO\r\n00:01:05 Disconnected from WLO\r\n",
       std::nullopt,
       {"Time:               01/05/26 to 01/06/26", "Records:        1, Tries/Day 0.5, Connects/Day 0.5",
        "Connected:    1 (100%), Connected 2:05, Last 01/05/26"}},
      {"a second link before the first one's end is an error", true,
       "01/05/2026 10:00:00 Connected to WLO\r\n10:00:09 Connected to KPH\r\n10:00:45 Disconnected from KPH\r\n"
       + std::string(300000, 'x') + "\r\nno time\r",
       std::nullopt,
       {"Time:               01/05/26 to 01/05/26", "Records:        2, Tries/Day 2.0, Connects/Day 2.0",
        "Connected:    2 (100%), Connected :18, Last 01/05/26", "Error:                3"}},
  };
  for (const auto& c : cases) {
    LogFile log(c.log);
    auto s = c.airmail ? AirmailSummary(log.Path(), c.period) : LogFileSummary(log.Path(), c.period);
    EXPECT_EQ(s.lines, c.lines) << c.name;
    EXPECT_EQ(s.failure, "") << c.name;
  }
}

TEST(HistorySummaries, DurationsAndAMissingLog) {
  const std::pair<double, const char*> durations[] = {
      {45, ":45"}, {125, "2:05"}, {4000, "1:06:40"}, {599.6, "10:00"}, {40000, "11:06:40"}, {90000, "01:00:00"}};
  for (auto [seconds, text] : durations) EXPECT_EQ(SecondsToText(seconds), text) << seconds;
  testing::TempFolder folder;
  EXPECT_TRUE(AirmailSummary(folder.path() / "none", std::nullopt).failure.starts_with("AirmailConnectSummary, "));
  EXPECT_TRUE(LogFileSummary(folder.path() / "none", std::nullopt).failure.starts_with("LogFileSummary, "));
}

}  // namespace
}  // namespace velmora
