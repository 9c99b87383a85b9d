#pragma once
// The command line of velmora-history.
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "reports/HistorySummary.h"

namespace velmora {

enum class HistoryLog { Airmail, AutoConnect };

struct HistoryOptions {
  HistoryLog log = HistoryLog::Airmail;
  std::filesystem::path file;
  std::optional<std::chrono::sys_days> from, to;

  // From the first second of --from to the last of --to; nullopt without either.
  std::optional<HistoryPeriod> Period() const;
};

// The options, or nullopt with the problem naming the argument.
std::optional<HistoryOptions> ParseHistoryOptions(std::span<const std::string_view> arguments, std::string& problem);

extern const char* const kHistoryUsage;

}  // namespace velmora
