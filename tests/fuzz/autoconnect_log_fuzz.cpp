// "AutoConnectLog.txt": the history summary of the whole log and of one
// day, shown in the history window's table.
#include "reports/HistoryTable.h"
#include "reports/LogFileSummary.h"
#include "tests/fuzz/FuzzSupport.h"
#include "tests/fuzz/SummaryContract.h"

using namespace velmora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto file = fuzz::ScratchFile("AutoConnectLog.txt", fuzz::Text(data, size));
  const auto day = std::chrono::sys_days(std::chrono::year{2024} / 5 / 14);
  for (auto period : {std::optional<HistoryPeriod>(), std::optional(HistoryPeriod{LogTime(day), LogTime(day + std::chrono::days(1))})}) {
    FrequencyTable table;
    auto summary = LogFileSummary(file, period);
    fuzz::RequireShowable(summary);
    HistoryTableFill(table, HistoryKind::LogFile, summary,
                     [](std::string_view text) { return static_cast<int>(text.size()); });
  }
  return 0;
}
