#include "autoconnect/AutoConnectLog.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "common/Format.h"
#include "common/LogLimits.h"
#include "common/SystemLib.h"

namespace velmora {
namespace {

constexpr int kSignificantDigits = 7;

// "mm/dd/yy hh:mm:ss"
std::string LogTime(const UtcDateTime& t) {
  return TwoDigits(t.month) + "/" + TwoDigits(t.day) + "/" + TwoDigits(t.year % 100) + " " + TwoDigits(t.hour) + ":" +
         TwoDigits(t.minute) + ":" + TwoDigits(t.second);
}

// Buffers times the buffer's duration, in whole seconds, halves to even.
std::string SecondsText(std::int32_t buffers, float bufferSeconds) {
  double seconds = static_cast<double>(buffers) * bufferSeconds;
  double rounded = std::floor(seconds);
  double fraction = seconds - rounded;
  if (fraction > 0.5 || (fraction == 0.5 && std::fmod(rounded, 2) != 0)) rounded += 1;
  return IntegerText(static_cast<long long>(rounded));
}

// A figure the history summary takes: one past kLargestLogFigure is none a
// run can have and is written as 0, as one that is no number is.
std::string FigureText(float value) {
  return std::fabs(value) <= kLargestLogFigure ? SingleText(value) : "0";
}

}  // namespace

std::filesystem::path AutoConnectLogPath(const std::filesystem::path& programFolder) {
  return programFolder / "AutoConnectLog.txt";
}

std::string CommasAsDashes(std::string_view text) {
  std::string out;
  for (char c : text) {
    if (c == ',')
      out += " -";
    else
      out += c;
  }
  return out;
}

std::string SingleText(float value) {
  if (!std::isfinite(value) || value == 0) return "0";
  char text[32];
  auto end = std::to_chars(text, text + sizeof text, value, std::chars_format::scientific, kSignificantDigits - 1).ptr;
  std::string_view s(text, end - text);
  bool negative = s.front() == '-';
  if (negative) s.remove_prefix(1);
  size_t e = s.find('e');
  std::string digits;
  for (char c : s.substr(0, e))
    if (c != '.') digits += c;
  int point = std::atoi(std::string(s.substr(e + 1)).c_str()) + 1;  // digits before the decimal point
  std::string whole, fraction;
  if (point <= 0) {
    whole = "0";
    fraction = std::string(-point, '0') + digits;
  } else if (point >= kSignificantDigits) {
    whole = digits + std::string(point - kSignificantDigits, '0');
  } else {
    whole = digits.substr(0, point);
    fraction = digits.substr(point);
  }
  while (!fraction.empty() && fraction.back() == '0') fraction.pop_back();
  std::string out = negative ? "-" : "";
  out += whole;
  if (!fraction.empty()) out += "." + fraction;
  return out;
}

Record AutoConnectLogRecord(const LogRun& run) {
  const RunStatistics& s = run.statistics;
  auto seconds = [&](std::int32_t buffers) { return SecondsText(buffers, run.bufferSeconds); };
  auto position = [&](double degrees) { return run.ship ? SingleText(static_cast<float>(degrees)) : std::string(); };
  return {LogTime(run.start),
          IntegerText(s.stations),
          IntegerText(s.frequencies),
          seconds(s.signalBuffers),
          seconds(s.noiseBuffers),
          seconds(s.notBusyBuffers),
          seconds(s.connectingBuffers),
          seconds(s.connectedBuffers),
          IntegerText(s.attempts),
          CommasAsDashes(run.status),
          IntegerText(run.mode),
          CommasAsDashes(s.station),
          position(run.ship ? run.ship->latitude : 0),
          position(run.ship ? run.ship->longitude : 0),
          FigureText(s.snrModel),
          IntegerText(s.snr.count),
          FigureText(s.snr.sum),
          FigureText(s.snr.sumOfSquares),
          FigureText(s.snr.minimum),
          FigureText(s.snr.maximum)};
}

void AutoConnectLog::LogFileStart() {
  start_ = clock_.Utc();
  // Forgotten first: the reading may wait in a box, and a run stopped
  // there has no position, not the one of the run before.
  position_.reset();
  position_ = ship_.LatLonGetCurrent();
}

void AutoConnectLog::LogFileStop(const RunStatistics& statistics, std::string_view status, int mode) {
  if (!start_) return;
  LogRun run{*start_, position_, statistics, std::string(status), mode, detectors_.BufferSeconds()};
  // Forgotten before writing: a later run whose start fails early must not
  // append this record again, written or not.
  start_.reset();
  Record record = AutoConnectLogRecord(run);
  // The history summary reads no longer line: such a record would read cut.
  if (size_t length = JoinRecord(record).size(); length > kLongestLogLine) {
    messenger_.Show("LogFileStop, The record of " + IntegerText(static_cast<long long>(length)) +
                    " characters is longer than a line of the log may be.");
    return;
  }
  waiting_.push_back(std::move(record));
  std::error_code error;
  if (!WaitingWrite(error))
    messenger_.Show("LogFileStop, " + ErrorText(error) + "\r" + NotWrittenText(file_) +
                    ": the record is written with the next run's.");
}

void AutoConnectLog::LogFileEnd() {
  std::error_code error;
  if (!WaitingWrite(error)) messenger_.Show("LogFileStop, " + ErrorText(error) + "\r" + NotWrittenText(file_) + ".");
}

bool AutoConnectLog::WaitingWrite(std::error_code& error) {
  if (!waiting_.empty() && !AppendRecords(file_, kAutoConnectLogHeading, waiting_, error)) return false;
  waiting_.clear();
  return true;
}

}  // namespace velmora
