#include "reports/LogFileSummary.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

#include "common/Format.h"
#include "common/SystemLib.h"
#include "common/TextParse.h"
#include "reports/HistoryText.h"
#include "reports/LogLineReader.h"
#include "reports/StationTally.h"

namespace velmora {
namespace {

using namespace std::chrono;

// The fields read, by position; a record with fewer is no record.
enum Field {
  kTime, kStations, kFrequencies, kSignal, kNoise, kNotBusy, kConnecting, kConnected, kAttempts, kStatus,
  kMode, kStation, kLat, kLon, kSnrModel, kSnrDetectCount, kSnrDetectSum1, kFieldsRead
};

// The figures of a record that are read, by field; nullopt when one is
// absurd (past kLargestLogFigure, or not finite) or a duration or count is
// negative, which a run cannot have (a hand-edited log, a clock set back).
struct Figures {
  double stations, frequencies, attempts, signal, noise, notBusy, connecting, connected;
  double snrModel, snrDetectCount, snrDetectSum1;
};

// The first kFieldsRead fields of a record, or nullopt when it has fewer.
std::optional<std::array<std::string_view, kFieldsRead>> RecordFields(std::string_view line) {
  std::array<std::string_view, kFieldsRead> fields;
  for (size_t i = 0; i < fields.size(); ++i) {
    size_t comma = line.find(',');
    if (comma == std::string_view::npos && i + 1 < fields.size()) return std::nullopt;
    fields[i] = line.substr(0, comma);
    line = comma == std::string_view::npos ? std::string_view() : line.substr(comma + 1);
  }
  return fields;
}

std::optional<Figures> FiguresRead(const std::array<std::string_view, kFieldsRead>& f) {
  bool sane = true;
  auto figure = [&](Field field, bool signedFigure) {
    double value = Val(f[field]);
    if (!(std::fabs(value) <= kLargestLogFigure) || (!signedFigure && value < 0)) sane = false;
    return value;
  };
  Figures figures{figure(kStations, false),   figure(kFrequencies, false), figure(kAttempts, false),
                  figure(kSignal, false),     figure(kNoise, false),       figure(kNotBusy, false),
                  figure(kConnecting, false), figure(kConnected, false),   figure(kSnrModel, true),
                  figure(kSnrDetectCount, false), figure(kSnrDetectSum1, true)};
  if (!sane) return std::nullopt;
  return figures;
}

enum class Outcome { Connected, NoAnswer, Error, Stopped, Unknown };

Outcome StatusOutcome(std::string_view status) {
  auto has = [&](std::string_view part) { return status.find(part) != std::string_view::npos; };
  if (has("Connected")) return Outcome::Connected;
  if (has("Did not Connect")) return Outcome::NoAnswer;
  if (has("Error")) return Outcome::Error;
  if (has("Stopped")) return Outcome::Stopped;
  return Outcome::Unknown;
}

struct OutcomeSums {
  long long count = 0, withSignal = 0, withNoise = 0;
  double stations = 0, frequencies = 0, attempts = 0, checkingSeconds = 0, connectedSeconds = 0;
  std::optional<sys_days> last;
};

struct StationSums {
  long long connections = 0, predictions = 0, measurements = 0, differences = 0;
  double predicted = 0, measured = 0, delta = 0;
};

std::string MeanText(double sum, long long count) { return count ? FormatNumber(sum / count, "0.0") : ""; }

class LogFileTally {
 public:
  explicit LogFileTally(std::optional<HistoryPeriod> period) : period_(period) {}

  void Line(std::string_view line) {
    if (line.empty() || line.starts_with("Time,")) return;  // the heading
    // Only the period's records, a record cut short too when its time
    // reads: the period's rates and shares are of its own days.
    auto time = AutoConnectLogTime(line.substr(0, line.find(',')));
    if (time && period_ && !period_->Holds(*time)) return;
    ++records_;
    auto fields = RecordFields(line);
    auto figures = fields ? FiguresRead(*fields) : std::nullopt;
    if (!time || !fields) {
      ++errors_;  // cut short, or written by hand
      return;
    }
    Extend(*time);
    if (!figures) {
      ++errors_;
      return;
    }
    Take(*fields, *figures, *time);
  }

  HistorySummary Summary() const {
    HistorySummary s;
    s.first = first_;
    s.last = last_;
    const int days = PeriodDays(first_, last_);
    const OutcomeSums& c = sums_[0];
    double allSeconds = 0;
    for (const auto& o : sums_) allSeconds += o.checkingSeconds + o.connectedSeconds;
    s.lines.push_back("Time:               " + ShortDate(first_) + " to " + ShortDate(last_));
    s.lines.push_back("Records:        " + IntegerText(records_) + ", Tries/Day " + RatioText(records_, days) +
                      ", Minutes/Day " + SecondsToText(allSeconds / days) + ", Connects/Day " +
                      RatioText(c.count, days));
    OutcomeLines(s.lines, "Connected:    ", sums_[0], true);
    OutcomeLines(s.lines, "No Answer:     ", sums_[1], false);
    OutcomeLines(s.lines, "Stopped:        ", sums_[2], true);
    if (errors_ > 0) s.lines.push_back("Error:             " + IntegerText(errors_));
    if (unknown_ > 0) s.lines.push_back("Unknown:       " + IntegerText(unknown_));
    s.headers = {"Station", "#", "Percent", "#", "Snr", "#", "Det", "Delta"};
    for (const auto& [name, r] : stations_.Rows())
      s.rows.push_back({name, IntegerText(r.connections), PercentText(r.connections, c.count),
                        IntegerText(r.predictions), MeanText(r.predicted, r.predictions), IntegerText(r.measurements),
                        MeanText(r.measured, r.measurements), MeanText(r.delta, r.differences)});
    return s;
  }

 private:
  void Extend(LogTime time) {
    auto day = floor<days>(time);
    if (!first_ || day < *first_) first_ = day;
    // The latest, not the last in the file: a clock set back leaves a
    // record before the one above it, and the period must still hold both.
    if (!last_ || day > *last_) last_ = day;
  }

  void Take(const std::array<std::string_view, kFieldsRead>& f, const Figures& n, LogTime time) {
    Outcome outcome = StatusOutcome(f[kStatus]);
    if (outcome == Outcome::Error) ++errors_;
    if (outcome == Outcome::Unknown) ++unknown_;
    if (outcome != Outcome::Connected && outcome != Outcome::NoAnswer && outcome != Outcome::Stopped) return;
    OutcomeSums& o = sums_[outcome == Outcome::Connected ? 0 : outcome == Outcome::NoAnswer ? 1 : 2];
    ++o.count;
    o.stations += n.stations;
    o.frequencies += n.frequencies;
    o.attempts += n.attempts;
    o.checkingSeconds += n.notBusy + n.noise + n.connecting + n.signal;
    o.connectedSeconds += n.connected;
    o.withSignal += n.signal != 0;
    o.withNoise += n.noise != 0;
    o.last = std::max(o.last.value_or(floor<days>(time)), floor<days>(time));
    if (outcome == Outcome::Connected && !f[kStation].empty()) Station(f[kStation], n);
  }

  void Station(std::string_view station, const Figures& n) {
    StationSums& r = stations_.At(station);
    ++r.connections;
    double predicted = n.snrModel;
    if (predicted != 0) {
      ++r.predictions;
      r.predicted += predicted;
    }
    double count = n.snrDetectCount;
    if (count != 0) {
      double measured = n.snrDetectSum1 / count;
      ++r.measurements;
      r.measured += measured;
      // A run without a prediction has nothing to set beside the measurement.
      if (predicted != 0) {
        ++r.differences;
        r.delta += predicted - measured - 33.0;
      }
    }
  }

  void OutcomeLines(std::vector<std::string>& lines, std::string_view label, const OutcomeSums& o,
                    bool connectedTime) const {
    if (o.count == 0) return;
    lines.push_back(std::string(label) + IntegerText(o.count) + " (" + PercentText(o.count, records_) + ")" +
                    ", Stations " + RatioText(o.stations, o.count) + ", Frequencies " +
                    RatioText(o.frequencies, o.count) + ", Signal " + PercentText(o.withSignal, o.count) +
                    ", Noise " + PercentText(o.withNoise, o.count));
    std::string second = std::string(27, ' ') + "Attempts " + RatioText(o.attempts, o.count) + ", Checking " +
                         SecondsToText(o.checkingSeconds / o.count);
    if (connectedTime) second += ", Connected " + SecondsToText(o.connectedSeconds / o.count);
    lines.push_back(second + ", Last " + ShortDate(o.last));
  }

  std::optional<HistoryPeriod> period_;
  long long records_ = 0, errors_ = 0, unknown_ = 0;
  std::array<OutcomeSums, 3> sums_;  // connected, no answer, stopped
  std::optional<sys_days> first_, last_;
  StationTally<StationSums> stations_;
};

bool Digits(std::string_view text) {
  return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

int Number(std::string_view digits) {
  int value = 0;
  for (char c : digits) value = value * 10 + (c - '0');
  return value;
}

}  // namespace

std::optional<LogTime> AutoConnectLogTime(std::string_view text) {
  if (text.size() != 17 || text[2] != '/' || text[5] != '/' || text[8] != ' ' || text[11] != ':' || text[14] != ':')
    return std::nullopt;
  std::array<int, 6> n{};
  for (size_t i = 0; i < n.size(); ++i) {
    auto part = text.substr(i * 3, 2);
    if (!Digits(part)) return std::nullopt;
    n[i] = Number(part);
  }
  year_month_day date{year{2000 + n[2]}, month{static_cast<unsigned>(n[0])}, day{static_cast<unsigned>(n[1])}};
  if (!date.ok() || n[3] > 23 || n[4] > 59 || n[5] > 59) return std::nullopt;
  return LogTime(sys_days(date)) + hours(n[3]) + minutes(n[4]) + seconds(n[5]);
}

HistorySummary LogFileSummary(const std::filesystem::path& autoConnectLog, std::optional<HistoryPeriod> period) {
  LogFileTally tally(period);
  std::error_code error;
  auto result = ReadLogLines(autoConnectLog, [&](std::string_view line) { tally.Line(line); }, error);
  return HistoryOf(result, tally.Summary(),
                   "LogFileSummary, " + ErrorText(error) + "\r" + NotReadText(autoConnectLog) + ".");
}

}  // namespace velmora
