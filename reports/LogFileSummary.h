#pragma once
// The AutoConnect history: runs, their outcome, how long the channel was
// checked and the predicted beside the measured SNR, from the program's
// own "AutoConnectLog.txt", in one pass over the whole file.
#include <filesystem>
#include <optional>
#include <string_view>

#include "reports/HistorySummary.h"

namespace velmora {

// Without a period the whole log counts.
HistorySummary LogFileSummary(const std::filesystem::path& autoConnectLog, std::optional<HistoryPeriod> period);

// The Time field, "mm/dd/yy hh:mm:ss" (years 2000 to 2099); nullopt for anything else.
std::optional<LogTime> AutoConnectLogTime(std::string_view text);

}  // namespace velmora
