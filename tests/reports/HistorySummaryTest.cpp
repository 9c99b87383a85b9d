// Both history summaries over real files: a record of each outcome with the
// stations' table, a period, and the edge cases.
#include <gtest/gtest.h>

#include "common/SystemLib.h"
#include "reports/AirmailSummary.h"
#include "reports/HistoryText.h"
#include "reports/LogFileSummary.h"
#include "tests/common/TempFolder.h"

namespace velmora {
namespace {

using namespace std::chrono;

sys_days Day(int y, unsigned m, unsigned d) { return sys_days(year_month_day{year{y}, month{m}, day{d}}); }

HistoryPeriod Days(sys_days from, sys_days to) { return {LogTime(from), LogTime(to + days(1)) - seconds(1)}; }

struct LogFile {
  testing::TempFolder folder;
  explicit LogFile(const std::string& text) { testing::WriteBytes(Path(), text); }
  std::filesystem::path Path() const { return folder.path() / "log.txt"; }
};

// Stations in the order first linked. Also mended faults: "Did not Connect" is no connection, "(manual)" a stop
// rather than a no answer, and a date mm/dd/yyyy starts a debug log line.
TEST(HistorySummaries, EveryOutcomeAndTheStationsTable) {
  LogFile debug(
      "03/01/2025 10:00:00 Connected to WLO\r\n10:05:00 Disconnected from WLO\r\n10:30:00.500 No answer from KPH\r\n"
      "03/03/2025 10:40:00 Connected to KPH\r\n10:41:00 Disconnected from KPH\r\nno time\r\n"
      "11:00:00 No answer from WLO (manual)\r\n11:10:00 Connected to WLO\r\n11:12:30 Disconnected from WLO\r\n");
  auto airmail = AirmailSummary(debug.Path(), std::nullopt);
  EXPECT_EQ(airmail.lines, (std::vector<std::string>{
                               "Time:               03/01/25 to 03/03/25",
                               "Records:        5, Tries/Day 1.7, Connects/Day 1.0",
                               "Connected:    3 (60%), Connected 2:50, Last 03/03/25",
                               "No Answer:    1 (20%), Last 03/01/25", "Stopped         1 (20%), Last 03/03/25",
                               "Error:                1"}));
  using Rows = std::vector<std::vector<std::string>>;
  EXPECT_EQ(airmail.rows, (Rows{{"WLO", "2", "67%"}, {"KPH", "1", "33%"}}));

  const std::string rest = ",12.5,-61.25,";
  LogFile log("Time,Stations,Frequencies,Signal(Sec),Noise(Sec),NotBusy(Sec),Connecting(Sec),Connected(Sec),"
              "Attempts,Status,Mode,Station,Lat,Lon,SnrModel,SnrDetectCount,SnrDetectSum1\r\n"
              "03/01/25 10:00:00,1,2,5,0,30,20,600,1,Connected ,2,WLO" + rest + "20,10,150,0,99,-99\r\n"
              "03/02/25 11:00:00,1,3,0,4,60,40,0,2,Did not Connect ,2," + rest + "0,0,0,0,99,-99\r\n"
              "03/03/25 11:00:00,1,1,0,0,10,0,0,1,Stopped -Terminal Window ,2," + rest + "0,0,0,0,99,-99\r\n"
              "03/04/25 11:00:00,1,1,0,0,10,0,0,1,Error -No Answer after Connect ,2," + rest + "0,0,0,0,99,-99\r\n"
              "03/04/25 12:00:00,1,1,0,0,10,0,0,1,Waiting ,2," + rest + "0,0,0,0,99,-99\r\n"
              "03/05/25 12:00:00,2,2,0,0,30,20,900,1,Connected ,2,KPH" + rest + "0,5,100,0,99,-99\r\n"
              "03/06/25 09:00:00,1,2,0,0,30,20,300,1,Connected ,2,WLO" + rest + "25,4,80,0,99,-99\r\n"
              "03/06/25 10:00:00,1,2,0,0,30,20,300,1,Conn\r\n");
  auto autoConnect = LogFileSummary(log.Path(), std::nullopt);
  const std::string indent(27, ' ');
  EXPECT_EQ(autoConnect.lines,
            (std::vector<std::string>{
                "Time:               03/01/25 to 03/06/25",
                "Records:        8, Tries/Day 1.3, Minutes/Day 5:45, Connects/Day 0.5",
                "Connected:    3 (38%), Stations 1.3, Frequencies 2.0, Signal 33%, Noise 0%",
                indent + "Attempts 1.0, Checking :52, Connected 10:00, Last 03/06/25",
                "No Answer:     1 (13%), Stations 1.0, Frequencies 3.0, Signal 0%, Noise 100%",
                indent + "Attempts 2.0, Checking 1:44, Last 03/02/25",
                "Stopped:        1 (13%), Stations 1.0, Frequencies 1.0, Signal 0%, Noise 0%",
                indent + "Attempts 1.0, Checking :10, Connected :00, Last 03/03/25", "Error:             2",
                "Unknown:       1"}));
  // The predicted, the measured (sum over count) and their difference less 33 dB, averaged;
  // a run without a prediction has no difference.
  EXPECT_EQ(autoConnect.rows, (Rows{{"WLO", "2", "67%", "2", "22.5", "2", "17.5", "-28.0"},
                                    {"KPH", "1", "33%", "0", "", "1", "20.0", ""}}));
}

TEST(HistorySummaries, EdgeCasesAndMendedFaults) {
  struct Case { const char* name; bool airmail; std::string log; std::optional<HistoryPeriod> period;
                std::vector<std::string> lines; };
  const std::string kRun = ",1,1,0,0,20,10,300,1,";
  const std::string kRest = ",1,WLO,1,2,10,5,60,800,3,20";
  const std::string head = "01/05/2026 10:00:00 No answer from WLO\r\n";  // the CR below ends the first read
  const Case cases[] = {
      {"a CR LF across two reads ends one line", true,
       head + std::string(256 * 1024 - 1 - head.size(), 'x') + "\r\n10:00:01 No answer from WLO", std::nullopt,
       {"Time:               01/05/26 to 01/05/26", "Records:        2, Tries/Day 2.0, Connects/Day 0.0",
        "No Answer:    2 (100%), Last 01/05/26", "Error:                1"}},
      {"the period's rates count its records only", false,
       "01/05/26 10:00:00" + kRun + "Connected " + kRest + "\r\n01/09/26 10:00:00" + kRun + "Did not Connect " +
           kRest + "\r\n",
       Days(Day(2026, 1, 5), Day(2026, 1, 5)),
       {"Time:               01/05/26 to 01/05/26", "Records:        1, Tries/Day 1.0, Minutes/Day 5:30, "
        "Connects/Day 1.0", "Connected:    1 (100%), Stations 1.0, Frequencies 1.0, Signal 0%, Noise 0%",
        std::string(27, ' ') + "Attempts 1.0, Checking :30, Connected 5:00, Last 01/05/26"}},
      {"a record cut short is an error, its fields not read", false,
       "01/05/26 10:00:00" + kRun + "Connected ,1,WLO,1,2,10\r\n", std::nullopt,
       {"Time:                to ", "Records:        1, Tries/Day 1.0, Minutes/Day :00, Connects/Day 0.0",
        "Error:             1"}},
      {"a link across midnight on time-only lines lasts minutes; a blank line is no error", true,
       "01/05/2026 23:00:00 Log opened\r\n\r\n23:59:00 Connected to WLO\r\n00:01:05 Disconnected from WLO\r\n",
       std::nullopt,
       {"Time:               01/05/26 to 01/06/26", "Records:        1, Tries/Day 0.5, Connects/Day 0.5",
        "Connected:    1 (100%), Connected 2:05, Last 01/05/26"}},
      {"a clock set back a minute on time-only lines stays on its day", true,
       "01/05/2026 10:00:00 Connected to WLO\r\n10:05:00 Disconnected from WLO\r\n10:04:00 No answer from KPH\r\n",
       std::nullopt,
       {"Time:               01/05/26 to 01/05/26", "Records:        2, Tries/Day 2.0, Connects/Day 1.0",
        "Connected:    1 (50%), Connected 5:00, Last 01/05/26", "No Answer:    1 (50%), Last 01/05/26"}},
      // Also an empty period, which keeps its Time and Records lines.
      {"a record cut short counts in its own period only", false,
       "01/05/26 10:00:00" + kRun + "Connected ,1,WLO,1,2,10\r\n", Days(Day(2026, 2, 1), Day(2026, 2, 3)),
       {"Time:                to ", "Records:        0, Tries/Day 0.0, Minutes/Day :00, Connects/Day 0.0"}},
      {"a record written after the zeros a power cut left in the log is read", false,
       "01/05/26 10:00:00" + kRun + "Connected " + kRest + "\r\n" + std::string(60, '\0') + "01/05/26 11:00:00" + kRun +
           "Did not Connect " + kRest + "\r\n",
       std::nullopt,
       {"Time:               01/05/26 to 01/05/26", "Records:        2, Tries/Day 2.0, Minutes/Day 11:00, "
        "Connects/Day 1.0", "Connected:    1 (50%), Stations 1.0, Frequencies 1.0, Signal 0%, Noise 0%",
        std::string(27, ' ') + "Attempts 1.0, Checking :30, Connected 5:00, Last 01/05/26",
        "No Answer:     1 (50%), Stations 1.0, Frequencies 1.0, Signal 0%, Noise 0%",
        std::string(27, ' ') + "Attempts 1.0, Checking :30, Last 01/05/26"}},
      {"an absurd or negative figure makes its record an error", false,
       "01/05/26 10:00:00,1,1,0,0,20,10,1e308,1,Connected " + kRest + "\r\n01/05/26 12:00:00,1,1,0,0,-20,10,300,1,"
       "Connected " + kRest + "\r\n",
       std::nullopt,
       {"Time:               01/05/26 to 01/05/26", "Records:        2, Tries/Day 2.0, Minutes/Day :00, "
        "Connects/Day 0.0", "Error:             2"}},
      {"an error line counts in the period of its own date", true,
       "01/05/2026 10:00:00 Connected to WLO\r\n01/07/2026 10:00:00 No answer from KPH\r\n",
       Days(Day(2026, 1, 5), Day(2026, 1, 5)),
       {"Time:               01/05/26 to 01/05/26", "Records:        1, Tries/Day 1.0, Connects/Day 1.0",
        "Connected:    1 (100%), Connected :00, Last 01/05/26"}},
      {"a log left out of order by a clock set back spans to its latest record", false,
       "01/05/26 10:00:00" + kRun + "Did not Connect " + kRest + "\r\n01/09/26 00:01:00" + kRun + "Did not Connect " +
           kRest + "\r\n01/08/26 23:59:00" + kRun + "Did not Connect " + kRest + "\r\n",
       std::nullopt,
       {"Time:               01/05/26 to 01/09/26", "Records:        3, Tries/Day 0.6, Minutes/Day 3:18, "
        "Connects/Day 0.0", "No Answer:     3 (100%), Stations 1.0, Frequencies 1.0, Signal 0%, Noise 0%",
        std::string(27, ' ') + "Attempts 1.0, Checking :30, Last 01/09/26"}},
      {"each kind's last date is its latest, whatever the order of the lines", true,
       "01/09/2026 00:01:00 No answer from WLO\r\n01/08/2026 23:59:00 No answer from KPH\r\n", std::nullopt,
       {"Time:               01/08/26 to 01/09/26", "Records:        2, Tries/Day 1.0, Connects/Day 0.0",
        "No Answer:    2 (100%), Last 01/09/26"}},
      {"a clock set back during a link is an error of that link", true,
       "01/05/2026 10:00:00 Connected to WLO\r\n11:00:00 Disconnected from WLO\r\n"
       "01/05/2026 12:00:00 Connected to KPH\r\n01/05/2026 11:50:00 Disconnected from KPH\r\n",
       std::nullopt,
       {"Time:               01/05/26 to 01/05/26", "Records:        2, Tries/Day 2.0, Connects/Day 2.0",
        "Connected:    2 (100%), Connected 30:00, Last 01/05/26", "Error:                1"}},
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
  }
}

TEST(HistorySummaries, DurationsAndAMissingLog) {
  // (Minutes and seconds alone: the summaries' lines.)
  const std::pair<double, const char*> durations[] = {{4000, "1:06:40"}, {599.6, "10:00"}, {90000, "01:00:00"}};
  for (auto [seconds, text] : durations) EXPECT_EQ(SecondsToText(seconds), text) << seconds;
  // A log not written yet (a fresh install) is a summary of nothing; one
  // that cannot be opened shows the message alone, not a summary of zeros.
  testing::TempFolder folder;
  testing::WriteBytes(folder.path() / "file", "");
  for (bool airmail : {true, false}) {
    auto summary = [&](const std::filesystem::path& log) {
      return airmail ? AirmailSummary(log, std::nullopt) : LogFileSummary(log, std::nullopt);
    };
    auto missing = summary(folder.path() / "none");
    EXPECT_EQ(missing.failure, "");
    EXPECT_EQ(missing.lines.size(), 2u);
    auto unopened = summary(folder.path() / "file" / "log.txt");
    const std::string prefix = airmail ? "AirmailConnectSummary, " : "LogFileSummary, ";
    EXPECT_TRUE(unopened.failure.starts_with(prefix) && unopened.failure.size() > prefix.size()) << unopened.failure;
    // Named: the reason alone ("Path not found.") does not say where it was looked for.
    EXPECT_TRUE(unopened.failure.ends_with("\r" + NotReadText(folder.path() / "file" / "log.txt") + "."))
        << unopened.failure;
    EXPECT_TRUE(unopened.lines.empty() && unopened.rows.empty() && unopened.headers.empty());
  }
}

}  // namespace
}  // namespace velmora
