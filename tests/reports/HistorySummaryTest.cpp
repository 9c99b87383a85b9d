// Both history summaries over real files: a generated year of each log,
// checked against tallies the generator keeps itself, and the edge cases.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <map>
#include <random>

#include "reports/AirmailSummary.h"
#include "reports/HistoryText.h"
#include "reports/LogFileSummary.h"
#include "tests/common/TempFolder.h"

namespace velmora {
namespace {

using namespace std::chrono;

sys_days Day(int y, unsigned m, unsigned d) { return sys_days(year_month_day{year{y}, month{m}, day{d}}); }

HistoryPeriod Days(sys_days from, sys_days to) { return {LogTime(from), LogTime(to + days(1)) - seconds(1)}; }

std::string Printf(const char* pattern, auto... values) {
  char text[256];
  std::snprintf(text, sizeof text, pattern, values...);
  return text;
}

// "mm/dd/yy" or "mm/dd/yyyy" and "hh:mm:ss".
std::string Date(sys_days d, bool fullYear) {
  year_month_day ymd{d};
  int y = static_cast<int>(ymd.year());
  return Printf("%02u/%02u/%02d", static_cast<unsigned>(ymd.month()), static_cast<unsigned>(ymd.day()),
                fullYear ? y : y % 100);
}
std::string Clock(long long s) { return Printf("%02lld:%02lld:%02lld", s / 3600, s / 60 % 60, s % 60); }
std::string Duration(double s) {
  long long r = std::llround(s);
  return r < 3600 ? Printf("%lld:%02lld", r / 60, r % 60) : Printf("%lld:%02lld:%02lld", r / 3600, r / 60 % 60, r % 60);
}

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

// A year of AirMail's debug log: each day starts with a dated line, then
// time-only lines; calls end in a link, no answer, or a stop by hand.
struct DebugLogYear {
  enum Kind { Link, NoAnswer, Stopped };
  struct Call {
    sys_days day;
    Kind kind;
    std::string station;
    long long seconds;
  };
  std::string text;
  std::vector<Call> calls;
  std::vector<sys_days> errors;  // the day of each line without a time

  explicit DebugLogYear(unsigned seed) {
    std::mt19937 random(seed);
    const char* stations[] = {"WLO", "KPH", "K4CJX", "VE1XYZ"};
    for (sys_days d = Day(2025, 1, 1); d <= Day(2025, 12, 31); d += days(1)) {
      text += Date(d, true) + " 00:00:01.250 Debug log opened\r\n";
      for (long long t = 60 + random() % 7200; t < 80000; t += 600 + random() % 9000) {
        Call call{d, Kind(random() % 3), stations[random() % 4], 30 + static_cast<long long>(random() % 3000)};
        const std::string at = Clock(t) + (random() % 2 ? ".500" : "");
        if (call.kind == Link) {
          text += at + " Connected to " + call.station + "\r\n" + Clock(t + 5) + " Sending 512 bytes\r\n" +
                  Clock(t + call.seconds) + " Disconnected from " + call.station + "\r\n";
          t += call.seconds;
        } else {
          text += at + " No answer from " + call.station + (call.kind == Stopped ? " (manual)" : "") + "\r\n";
        }
        if (random() % 20 == 0) text += "a line without a time\r\n", errors.push_back(d);
        calls.push_back(call);
      }
    }
  }

  // The lines and table a summary of the days from..to must show.
  std::pair<std::vector<std::string>, std::vector<std::string>> Expected(sys_days from, sys_days to) const {
    int counts[3] = {0, 0, 0};
    sys_days last[3];
    double linked = 0;
    std::map<std::string, int> perStation;
    std::vector<std::string> order;
    for (const auto& c : calls) {
      if (c.day < from || c.day > to) continue;
      ++counts[c.kind];
      last[c.kind] = c.day;
      if (c.kind != Link) continue;
      linked += c.seconds;
      if (perStation[c.station]++ == 0) order.push_back(c.station);
    }
    double tries = counts[0] + counts[1] + counts[2], span = (to - from).count() + 1;
    std::vector<std::string> lines = {
        "Time:               " + Date(from, false) + " to " + Date(to, false),
        Printf("Records:        %.0f, Tries/Day %.1f, Connects/Day %.1f", tries, tries / span, counts[0] / span),
        Printf("Connected:    %d (%.0f%%), Connected ", counts[0], counts[0] * 100 / tries) +
            Duration(linked / counts[0]) + ", Last " + Date(last[0], false),
        Printf("No Answer:    %d (%.0f%%), Last ", counts[1], counts[1] * 100 / tries) + Date(last[1], false),
        Printf("Stopped         %d (%.0f%%), Last ", counts[2], counts[2] * 100 / tries) + Date(last[2], false)};
    std::vector<std::string> rows;
    auto errorsIn = std::count_if(errors.begin(), errors.end(), [&](sys_days d) { return d >= from && d <= to; });
    if (errorsIn) lines.push_back(Printf("Error:                %d", static_cast<int>(errorsIn)));
    for (const auto& s : order)
      rows.push_back(s + Printf(",%d,%.0f%%", perStation[s], perStation[s] * 100.0 / counts[0]));
    return {lines, rows};
  }
};

TEST(AirmailSummary, AYearOfDebugLogAsAWholeAndForOneMonth) {
  DebugLogYear year(23);
  LogFile log(year.text);
  auto whole = AirmailSummary(log.Path(), std::nullopt);
  auto [lines, rows] = year.Expected(Day(2025, 1, 1), Day(2025, 12, 31));
  EXPECT_EQ(whole.lines, lines);
  EXPECT_EQ(Csv(whole), rows);
  EXPECT_EQ(whole.headers, (std::vector<std::string>{"Station", "Records", "Percent"}));
  EXPECT_EQ(whole.first, Day(2025, 1, 1));
  EXPECT_EQ(whole.last, Day(2025, 12, 31));

  auto march = AirmailSummary(log.Path(), Days(Day(2025, 3, 1), Day(2025, 3, 31)));
  auto [marchLines, marchRows] = year.Expected(Day(2025, 3, 1), Day(2025, 3, 31));
  EXPECT_EQ(march.lines, marchLines);
  EXPECT_EQ(Csv(march), marchRows);
}

// A year of the AutoConnect log, with records cut short among them.
struct AutoConnectLogYear {
  struct Run {
    sys_days day;
    int outcome;  // 0 connected, 1 did not connect, 2 stopped, 3 error, 4 unknown
    int stations, frequencies, signal, noise, notBusy, connecting, connected, attempts;
    std::string station;
    int snrModel, detectCount, measured;
  };
  std::string text =
      "Time,Stations,Frequencies,Signal(Sec),Noise(Sec),NotBusy(Sec),Connecting(Sec),Connected(Sec),Attempts,"
      "Status,Mode,Station,Lat,Lon,SnrModel,SnrDetectCount,SnrDetectSum1,SnrDetectSum2,SnrDetectMin,"
      "SnrDetectMax\r\n";
  std::vector<Run> runs;
  int cut = 0;

  explicit AutoConnectLogYear(unsigned seed) {
    std::mt19937 random(seed);
    const char* statuses[] = {"Connected ", "Did not Connect ", "Stopped -Terminal Window ",
                              "Error -No Answer after Connect ", "Waiting "};
    const char* stations[] = {"WLO", "KPH", "NMN"};
    for (sys_days d = Day(2025, 1, 1); d <= Day(2025, 12, 31); d += days(1)) {
      for (long long t = random() % 20000; t < 86400; t += 3000 + random() % 30000) {
        int r[8];
        for (int& v : r) v = random() % 4 == 0 ? 0 : static_cast<int>(random() % 500);
        Run run{d, static_cast<int>(random() % 5), r[0] % 4, r[1] % 9, r[2], r[3], r[4], r[5], r[6], r[7] % 6,
                "", 0, 0, 0};
        if (run.outcome == 0 && random() % 8) {
          run.station = stations[random() % 3];
          run.snrModel = static_cast<int>(random() % 40) - 5;
          run.detectCount = random() % 3 ? static_cast<int>(random() % 200) : 0;
          run.measured = static_cast<int>(random() % 30);
        }
        std::string line = Date(d, false) + " " + Clock(t) + Printf(",%d,%d,%d,%d,%d,%d,%d,%d,", run.stations,
                           run.frequencies, run.signal, run.noise, run.notBusy, run.connecting, run.connected,
                           run.attempts) + statuses[run.outcome] + ",2," + run.station + ",12.5,-61.25," +
                           Printf("%d,%d,%d,0,99,-99", run.snrModel, run.detectCount,
                                  run.detectCount * run.measured);
        if (random() % 40 == 0) {
          line.resize(line.find(statuses[run.outcome]) + 3);  // a crash in mid-record
          ++cut;
        } else {
          runs.push_back(run);
        }
        text += line + "\r\n";
      }
    }
  }
};

TEST(LogFileSummary, AYearOfAutoConnectLog) {
  AutoConnectLogYear year(11);
  LogFile log(year.text);
  auto s = LogFileSummary(log.Path(), std::nullopt);

  double n = static_cast<double>(year.runs.size() + year.cut), count[5] = {}, stations = 0, frequencies = 0,
         signal = 0, noise = 0, attempts = 0, checking = 0, linked = 0, all = 0;
  sys_days lastLink;
  struct Row { int links = 0, predictions = 0, measurements = 0; double snr = 0, det = 0, delta = 0; };
  std::map<std::string, Row> rows;
  std::vector<std::string> order;
  for (const auto& r : year.runs) {
    ++count[r.outcome];
    if (r.outcome <= 2) all += r.signal + r.noise + r.notBusy + r.connecting + r.connected;
    if (r.outcome != 0) continue;
    lastLink = r.day;
    stations += r.stations, frequencies += r.frequencies, attempts += r.attempts;
    signal += r.signal != 0, noise += r.noise != 0;
    checking += r.signal + r.noise + r.notBusy + r.connecting, linked += r.connected;
    if (r.station.empty()) continue;
    Row& row = rows[r.station];
    if (row.links++ == 0) order.push_back(r.station);
    if (r.snrModel) ++row.predictions, row.snr += r.snrModel;
    if (r.detectCount) ++row.measurements, row.det += r.measured, row.delta += r.snrModel - r.measured - 33.0;
  }
  const double c = count[0];
  ASSERT_GE(s.lines.size(), 8u);
  EXPECT_EQ(s.lines[0], "Time:               01/01/25 to 12/31/25");
  EXPECT_EQ(s.lines[1], Printf("Records:        %.0f, Tries/Day %.1f, Minutes/Day ", n, n / 365) +
                            Duration(all / 365) + Printf(", Connects/Day %.1f", c / 365));
  EXPECT_EQ(s.lines[2], Printf("Connected:    %.0f (%.0f%%), Stations %.1f, Frequencies %.1f, Signal %.0f%%, "
                               "Noise %.0f%%", c, c * 100 / n, stations / c, frequencies / c, signal * 100 / c,
                               noise * 100 / c));
  EXPECT_EQ(s.lines[3], std::string(27, ' ') + Printf("Attempts %.1f, Checking ", attempts / c) +
                            Duration(checking / c) + ", Connected " + Duration(linked / c) + ", Last " + Date(lastLink, false));
  EXPECT_TRUE(s.lines[4].starts_with(Printf("No Answer:     %.0f (", count[1])));
  EXPECT_TRUE(s.lines[6].starts_with(Printf("Stopped:        %.0f (", count[2])));
  EXPECT_EQ(s.lines[8], Printf("Error:             %.0f", count[3] + year.cut));
  EXPECT_EQ(s.lines[9], Printf("Unknown:       %.0f", count[4]));

  std::vector<std::string> expected;
  auto mean = [](double sum, int k) { return k ? Printf("%.1f", sum / k) : std::string(); };
  for (const auto& name : order) {
    const Row& r = rows[name];
    expected.push_back(name + Printf(",%d,%.0f%%,%d,", r.links, r.links * 100 / c, r.predictions) +
                       mean(r.snr, r.predictions) + Printf(",%d,", r.measurements) + mean(r.det, r.measurements) +
                       "," + mean(r.delta, r.measurements));
  }
  EXPECT_EQ(Csv(s), expected);
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
       {"Time:                to ", "Records:        0, Tries/Day 0.0, Minutes/Day :00, Connects/Day 0.0"}},
      {"the period's rates count its records only", false,
       "01/05/26 10:00:00" + kRun + "Connected " + kRest + "\r\n01/09/26 10:00:00" + kRun + "Did not Connect " +
           kRest + "\r\n",
       Days(Day(2026, 1, 5), Day(2026, 1, 5)),
       {"Time:               01/05/26 to 01/05/26", "Records:        1, Tries/Day 1.0, Minutes/Day 5:30, "
        "Connects/Day 1.0", "Connected:    1 (100%), Stations 1.0, Frequencies 1.0, Signal 0%, Noise 0%",
        std::string(27, ' ') + "Attempts 1.0, Checking :30, Connected 5:00, Last 01/05/26"}},
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
