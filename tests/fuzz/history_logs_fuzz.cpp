// The two logs the history window summarises, the input taken as each:
// "AutoConnectLog.txt", and AirMail's debug log followed through a call
// (the lines appended to it, the last without its end taken after two
// checks), each line also read as the terminal's status and connection
// lines. A summary of either, of the whole log and of one day, fills the
// history table and shows figures a person can read, never a number that
// is none ("NaN", "Infinity") or a negative duration.
#include "airmail/DebugLogMonitor.h"
#include "airmail/TerminalText.h"
#include "common/TextFileLines.h"
#include "reports/AirmailSummary.h"
#include "reports/HistoryTable.h"
#include "reports/LogFileSummary.h"
#include "tests/airmail/FakeSeams.h"
#include "tests/fuzz/FuzzSupport.h"

using namespace velmora;

namespace {

template <typename Summarise>
void SummariesShowable(HistoryKind kind, Summarise summarise) {
  const auto day = std::chrono::sys_days(std::chrono::year{2024} / 5 / 14);
  const std::optional<HistoryPeriod> periods[] = {std::nullopt,
                                                  HistoryPeriod{LogTime(day), LogTime(day + std::chrono::days(1))}};
  for (const auto& period : periods) {
    auto summary = summarise(period);
    // The lines hold figures and dates only; a table row starts with the
    // station's name, the log's own text.
    auto showable = [](std::string_view text) {
      return text.find("NaN") == std::string_view::npos && text.find("Infinity") == std::string_view::npos &&
             text.find(":-") == std::string_view::npos;
    };
    for (const auto& line : summary.lines) fuzz::Require(showable(line));
    for (const auto& row : summary.rows)
      for (size_t column = 1; column < row.size(); ++column) fuzz::Require(showable(row[column]));
    FrequencyTable table;
    HistoryTableFill(table, kind, summary, fuzz::Width);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto text = fuzz::Text(data, size);
  const auto runs = fuzz::ScratchFile("AutoConnectLog.txt", text);
  SummariesShowable(HistoryKind::LogFile, [&](auto period) { return LogFileSummary(runs, period); });

  const std::string folder = fuzz::ScratchFolder().string();
  const auto log = DebugLogPath(folder);
  std::filesystem::create_directories(log.parent_path());
  testing::WriteBytes(log, "");
  fuzz::QuietMessenger messages;
  testing::CountingActivator window;
  DebugLogMonitor monitor(messages, window);
  monitor.TerminalConnectCheckFileInitialize(folder);
  testing::WriteBytes(log, text);
  for (int check = 0; check < 3; ++check) monitor.TerminalConnectCheckFile(folder);
  SummariesShowable(HistoryKind::Airmail, [&](auto period) { return AirmailSummary(log, period); });

  TextLines lines(text);
  while (auto line = lines.Next()) {
    TerminalLineStatus(*line);
    TerminalFieldIsFrequency(*line);
    if (ConnectAidLineIsServer("HAM", *line)) ConnectAidMinutes(*line);
    ConnectAidLineIsConnection(*line);
  }
  return 0;
}
