#include "tools/history/HistoryOptions.h"

namespace velmora {

const char* const kHistoryUsage =
    "usage: velmora-history (--airmail DEBUG_LOG | --log AUTOCONNECT_LOG) [--from YYYY-MM-DD] [--to YYYY-MM-DD]\n"
    "       velmora-history --occupancy STATION_OCCUPANCY_DATA\n"
    "Summarises AirMail's debug log (\"Logfiles\\Debug.log\") or Velmora's \"AutoConnectLog.txt\"\n"
    "as the history window shows it: the summary lines, a blank line, then the\n"
    "station table as CSV. --occupancy prints \"StationOccupancyData.txt\" as CSV:\n"
    "system, station, frequency, UTC hour, minutes heard, busy per cent.\n"
    "  --from, --to   the first and last day counted (UTC, both whole); default:\n"
    "                 from the log's first record, to its last\n"
    "  --help         this text\n"
    "A log not written yet (none in its folder) is a summary of nothing.\n"
    "Exit status: 0 done, 1 the log could not be read or the summary not written, 2 bad arguments.\n";

namespace {

using namespace std::chrono;

std::optional<sys_days> DateParse(std::string_view text) {
  if (text.size() != 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
  int n[3] = {0, 0, 0};
  int part = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (i == 4 || i == 7) {
      ++part;
    } else if (text[i] >= '0' && text[i] <= '9') {
      n[part] = n[part] * 10 + (text[i] - '0');
    } else {
      return std::nullopt;
    }
  }
  year_month_day date{year{n[0]}, month{static_cast<unsigned>(n[1])}, day{static_cast<unsigned>(n[2])}};
  if (!date.ok()) return std::nullopt;
  return sys_days(date);
}

}  // namespace

std::optional<HistoryPeriod> HistoryOptions::Period() const {
  if (!from && !to) return std::nullopt;
  LogTime start = from ? LogTime(*from) : LogTime::min();
  LogTime stop = to ? LogTime(*to + days(1)) - seconds(1) : LogTime::max();
  return HistoryPeriod{start, stop};
}

std::optional<HistoryOptions> ParseHistoryOptions(std::span<const std::string_view> arguments, std::string& problem) {
  HistoryOptions o;
  bool haveLog = false;
  auto refuse = [&](std::string text) {
    problem = std::move(text);
    return std::nullopt;
  };
  for (size_t i = 0; i < arguments.size(); ++i) {
    std::string name(arguments[i]);
    if (name != "--airmail" && name != "--log" && name != "--from" && name != "--to")
      return refuse((name.empty() ? std::string("\"\"") : name) + ": no such option");
    if (i + 1 >= arguments.size()) return refuse(name + ": a value must follow");
    std::string value(arguments[++i]);
    if (name == "--airmail" || name == "--log") {
      if (haveLog) return refuse(name + ": one log only, --airmail or --log");
      if (value.empty()) return refuse(name + ": a file must follow");
      haveLog = true;
      o.log = name == "--airmail" ? HistoryLog::Airmail : HistoryLog::AutoConnect;
      o.file = value;
    } else {
      auto date = DateParse(value);
      if (!date) return refuse(name + ": " + value + " is no date of the form YYYY-MM-DD");
      (name == "--from" ? o.from : o.to) = date;
    }
  }
  if (!haveLog) return refuse("--airmail or --log: a log is needed");
  if (o.from && o.to && *o.from > *o.to) return refuse("--to: " + std::string("before --from"));
  return o;
}

}  // namespace velmora
