#pragma once
// What a history summary gives the window (and velmora-history): the text
// lines, the station table, and the dates of the first and last record.
#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace velmora {

using LogTime = std::chrono::sys_seconds;

// Records from `start` to `stop`, both included.
struct HistoryPeriod {
  LogTime start;
  LogTime stop;
  bool Holds(LogTime t) const { return t >= start && t <= stop; }
};

struct HistorySummary {
  std::vector<std::string> lines;
  std::vector<std::string> headers;
  std::vector<std::vector<std::string>> rows;  // one per station, in order of first occurrence
  std::optional<std::chrono::sys_days> first, last;
  std::string failure;  // the message when the log could not be read; what came before stays
};

}  // namespace velmora
