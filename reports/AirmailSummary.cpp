#include "reports/AirmailSummary.h"

#include <algorithm>
#include <map>
#include <string>

#include "airmail/DebugLogStamp.h"
#include "common/Format.h"
#include "common/SystemLib.h"
#include "common/TextParse.h"
#include "reports/HistoryText.h"
#include "reports/LogLineReader.h"
#include "reports/StationTally.h"

namespace velmora {
namespace {

using namespace std::chrono;

constexpr std::string_view kConnectedTo = "Connected to ";

// A time of day this far back from the line before is the next day's; a
// smaller step back is the clock set back (a time signal, the user), the
// same day still.
constexpr hours kMidnightStepBack{12};

// The date of each line: a dated line sets it; a time-only line well
// earlier in the day than the line before it has passed midnight.
class DebugLogCalendar {
 public:
  std::optional<LogTime> Time(const DebugLogStamp& stamp) {
    if (stamp.date) {
      day_ = sys_days(*stamp.date);
    } else if (day_ && stamp.timeOfDay + kMidnightStepBack < lastTimeOfDay_) {
      *day_ += days(1);
    }
    lastTimeOfDay_ = stamp.timeOfDay;
    if (!day_) return std::nullopt;
    return LogTime(*day_) + stamp.timeOfDay;
  }

 private:
  std::optional<sys_days> day_;
  seconds lastTimeOfDay_{0};
};

struct EventCount {
  long long count = 0;
  std::optional<sys_days> last;
  // The latest day, not the last line's: a clock set back writes an event
  // dated before the one above it.
  void Add(LogTime t) {
    ++count;
    last = std::max(last.value_or(floor<days>(t)), floor<days>(t));
  }
};

class AirmailTally {
 public:
  explicit AirmailTally(std::optional<HistoryPeriod> period) : period_(period) {}

  void Line(std::string_view line) {
    if (line.find_first_not_of(' ') == std::string_view::npos) return;  // a blank line holds nothing
    auto stamp = DebugLogLineStamp(line);
    std::optional<LogTime> time = stamp ? calendar_.Time(*stamp) : std::nullopt;
    if (time) latest_ = time;
    // A connection is followed to its end, even past the period.
    if (time && open_ && !Follow(stamp->message, *time)) {
      if (InPeriod(time)) Extend(*time);
      return;
    }
    if (!InPeriod(latest_)) return;
    if (!time) {
      ++errors_;
      return;
    }
    Extend(*time);
    Event(stamp->message, *time);
  }

  HistorySummary Summary() const {
    HistorySummary s;
    s.first = first_;
    s.last = last_;
    const long long tries = connected_.count + noAnswer_.count + stopped_.count;
    const int days = PeriodDays(first_, last_);
    s.lines.push_back("Time:               " + ShortDate(first_) + " to " + ShortDate(last_));
    s.lines.push_back("Records:        " + IntegerText(tries) + ", Tries/Day " + RatioText(tries, days) +
                      ", Connects/Day " + RatioText(connected_.count, days));
    if (connected_.count > 0)
      s.lines.push_back("Connected:    " + Share(connected_, tries) + ", Connected " +
                        SecondsToText(connectedSeconds_ / connected_.count) + ", Last " + ShortDate(connected_.last));
    if (noAnswer_.count > 0)
      s.lines.push_back("No Answer:    " + Share(noAnswer_, tries) + ", Last " + ShortDate(noAnswer_.last));
    if (stopped_.count > 0)
      s.lines.push_back("Stopped         " + Share(stopped_, tries) + ", Last " + ShortDate(stopped_.last));
    if (errors_ > 0) s.lines.push_back("Error:                " + IntegerText(errors_));
    s.headers = {"Station", "Records", "Percent"};
    for (const auto& [name, count] : stations_.Rows())
      s.rows.push_back({name, IntegerText(count), PercentText(count, connected_.count)});
    return s;
  }

 private:
  bool InPeriod(std::optional<LogTime> t) const { return !period_ || (t && period_->Holds(*t)); }

  void Extend(LogTime t) {
    auto day = floor<days>(t);
    if (!first_ || day < *first_) first_ = day;
    if (!last_ || day > *last_) last_ = day;
  }

  static std::string Share(const EventCount& e, long long tries) {
    return IntegerText(e.count) + " (" + PercentText(e.count, tries) + ")";
  }

  // A line while connected; true when it is to be taken as a new event.
  bool Follow(std::string_view message, LogTime t) {
    const bool counted = InPeriod(t);  // an error counts in its own period
    if (message.starts_with("Disconnected from")) {
      // A link that ended before it began (the clock set back) has no length.
      if (t >= openedAt_) connectedSeconds_ += static_cast<double>((t - openedAt_).count());
      else errors_ += counted;
      open_ = false;
    } else if (message.starts_with("No answer")) {
      errors_ += counted;
      open_ = false;
    } else if (message.starts_with("Connected")) {
      errors_ += counted;
      open_ = false;
      return true;
    }
    return false;
  }

  void Event(std::string_view message, LogTime t) {
    if (message.starts_with("Connected to")) {
      connected_.Add(t);
      ++stations_.At(Mid(message, kConnectedTo.size()));
      open_ = true;
      openedAt_ = t;
    } else if (message.starts_with("No answer from")) {
      (message.find("(manual)") != std::string_view::npos ? stopped_ : noAnswer_).Add(t);
    }
  }

  std::optional<HistoryPeriod> period_;
  DebugLogCalendar calendar_;
  std::optional<LogTime> latest_;  // the time of the last stamped line, for lines without one
  std::optional<sys_days> first_, last_;
  EventCount connected_, noAnswer_, stopped_;
  long long errors_ = 0;
  double connectedSeconds_ = 0;
  bool open_ = false;
  LogTime openedAt_{};
  StationTally<long long> stations_;
};

}  // namespace

HistorySummary AirmailSummary(const std::filesystem::path& debugLog, std::optional<HistoryPeriod> period) {
  AirmailTally tally(period);
  std::error_code error;
  auto result = ReadLogLines(debugLog, [&](std::string_view line) { tally.Line(line); }, error);
  // Named: a reason such as "Path not found." does not say where the log was looked for.
  return HistoryOf(result, tally.Summary(),
                   "AirmailConnectSummary, " + ErrorText(error) + "\r" + NotReadText(debugLog) + ".");
}

}  // namespace velmora
