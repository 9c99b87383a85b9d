#pragma once
// The AirMail history: calls, connections and their length from AirMail's
// debug log, in one pass over the whole file.
#include <filesystem>
#include <optional>

#include "reports/HistorySummary.h"

namespace velmora {

// Without a period the whole log counts.
HistorySummary AirmailSummary(const std::filesystem::path& debugLog, std::optional<HistoryPeriod> period);

}  // namespace velmora
