// "StationHistoryData.txt": each stored correction read as the table's
// fill reads it, one updated after a call as the engine does, and the
// options dialog's grid recalled and, when it agrees to, written: the rows
// read back as shown and the fill reads each value the grid shows.
#include "airmail/AutoConnectSettings.h"
#include "common/AtomicFile.h"
#include "common/ProfileFile.h"
#include "reports/OptionsGrids.h"
#include "selection/StationHistoryData.h"
#include "tests/fuzz/FuzzSupport.h"

using namespace velmora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto text = fuzz::Text(data, size);
  const auto history = ProfileDocument::Parse(text);
  for (const auto& entry : history.Entries("HAM,W1AW")) StationHistoryValue(history, "HAM", "W1AW", entry.key);

  const auto file = fuzz::ScratchFile(kStationHistoryDataFile, text);
  fuzz::QuietMessenger messages;
  auto shown = HistoryGridRecall(file, messages);
  fuzz::Require(testing::HistoryFillAgrees(text, shown.rows));
  fuzz::RequireReadsBack(testing::GridKind::History, shown.rows, HistoryGridText, HistoryGridRecall);
  const AutoConnectSettings settings;
  StationHistoryFile(file, settings, messages).StationHistorySet("HAM", "W1AW", "14080.0", 1);
  return 0;
}
