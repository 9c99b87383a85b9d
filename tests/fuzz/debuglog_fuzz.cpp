// AirMail's debug log and terminal text: a call followed through the lines
// appended to the log (the last without its end taken after two checks),
// the history summary of the whole log, and each line read as the
// terminal's status and connection lines.
#include "airmail/DebugLogMonitor.h"
#include "airmail/TerminalText.h"
#include "common/TextFileLines.h"
#include "reports/AirmailSummary.h"
#include "reports/HistoryTable.h"
#include "tests/fuzz/FuzzSupport.h"
#include "tests/fuzz/SummaryContract.h"

using namespace velmora;

namespace {

class NoWindow final : public OwnWindowActivator {
 public:
  void WindowActivate() override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto text = fuzz::Text(data, size);
  const std::string folder = fuzz::ScratchFolder().string();
  const auto log = DebugLogPath(folder);
  std::filesystem::create_directories(log.parent_path());
  testing::WriteBytes(log, "");

  fuzz::QuietMessenger messages;
  NoWindow window;
  DebugLogMonitor monitor(messages, window);
  monitor.TerminalConnectCheckFileInitialize(folder);
  testing::WriteBytes(log, text);
  for (int check = 0; check < 3; ++check) monitor.TerminalConnectCheckFile(folder);

  const auto day = std::chrono::sys_days(std::chrono::year{2024} / 5 / 14);
  for (auto period : {std::optional<HistoryPeriod>(), std::optional(HistoryPeriod{LogTime(day), LogTime(day + std::chrono::days(1))})}) {
    FrequencyTable table;
    auto summary = AirmailSummary(log, period);
    fuzz::RequireShowable(summary);
    HistoryTableFill(table, HistoryKind::Airmail, summary,
                     [](std::string_view text) { return static_cast<int>(text.size()); });
  }

  TextLines lines(text);
  while (auto line = lines.Next()) {
    TerminalLineStatus(*line);
    TerminalFieldIsFrequency(*line);
    if (ConnectAidLineIsServer("HAM", *line)) ConnectAidMinutes(*line);
    ConnectAidLineIsConnection(*line);
  }
  return 0;
}
