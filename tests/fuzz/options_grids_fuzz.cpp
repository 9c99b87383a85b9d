// The options dialog's grids and their files. The input as the user types
// it: each line a row (cells between ","), checked and made into each
// grid's file, which must read back to the rows typed, whole; the same
// lines as the program's record files: split where quotes may hold
// commas, joined and split again they join alike.
// Then the input as each grid's file, recalled, checked and, when the grid
// agrees to, written: the rows read back as shown. "StationOffsetData.txt"
// is also read for a table fill (SAILMAIL names turned into call signs),
// and a file read whole keeps every record; "StationRadioData.txt"'s
// transceivers' frequencies are read for the table's filter;
// "StationHistoryData.txt"'s corrections are read as the table's fill
// reads them, the fill reads each value the grid shows, and one is updated
// after a call as the engine does.
#include "airmail/AirmailProfile.h"
#include "airmail/AutoConnectSettings.h"
#include "airmail/FrequencyFilters.h"
#include "airmail/StationRadioData.h"
#include "common/ProfileFile.h"
#include "common/RecordFile.h"
#include "common/TextFileLines.h"
#include "reports/OptionsGrids.h"
#include "selection/StationHistoryData.h"
#include "selection/StationOffsets.h"
#include "tests/fuzz/FuzzSupport.h"

using namespace velmora;
using testing::GridKind;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto text = fuzz::Text(data, size);
  fuzz::QuietMessenger messages;
  FileFailure failure;
  GridRows typed;
  TextLines lines(text);
  while (auto line = lines.Next()) {
    typed.push_back(SplitRecord(*line));
    const auto joined = JoinRecord(SplitRecord(*line, 0, FieldQuotes::Allowed), FieldQuotes::Allowed);
    fuzz::Require(JoinRecord(SplitRecord(joined, 0, FieldQuotes::Allowed), FieldQuotes::Allowed) == joined);
  }
  fuzz::RequireReadsBack(GridKind::Offset, typed, OffsetGridText, OffsetGridRecall);
  fuzz::RequireReadsBack(GridKind::Radio, typed, RadioGridText, RadioGridRecall);
  fuzz::RequireReadsBack(GridKind::History, typed, HistoryGridText, HistoryGridRecall);

  const auto offsetFile = fuzz::ScratchFile(kStationOffsetDataFile, text);
  AirmailDataFolder folder(fuzz::ScratchFolder().string(), messages);
  folder.SetRewritePatience({});
  OffsetDataFailure offsetFailure;
  auto offsets = StationOffsetDataRead(offsetFile, offsetFailure);
  if (offsets)
    for (const auto& record : *offsets) OffsetFrequencies(record.frequencies);
  for (const char* system : {"HAM", "SAILMAIL"}) StationOffsetDataGet(offsetFile, system, folder);
  auto offsetsShown = OffsetGridRecall(offsetFile, messages);
  OffsetGridCheck(offsetsShown.rows, folder, messages);
  fuzz::Require(!offsets || offsetsShown.dropped.empty());  // read whole, nothing left out
  fuzz::RequireReadsBack(GridKind::Offset, offsetsShown.rows, OffsetGridText, OffsetGridRecall);

  const auto radioFile = fuzz::ScratchFile(kStationRadioDataFile, text);
  if (auto records = StationRadioDataRead(radioFile, failure); records && !records->empty()) {
    const auto& first = records->front();
    std::vector<FrequencyRow> rows;
    for (const auto& label : first.labels) rows.push_back({first.station, label, 1, false, rows.empty()});
    rows.push_back({first.station, "14075.0", 1, false, false});
    size_t end = rows.size();
    StationStationsGetFile(radioFile, messages, first.system, first.station, rows, 0, end);
  }
  auto radioShown = RadioGridRecall(radioFile, messages);
  RadioSourcesDifference(radioShown.rows, radioShown.rows);
  RadioSourcesCompare(radioShown.rows, radioShown.rows, messages);
  fuzz::RequireReadsBack(GridKind::Radio, radioShown.rows, RadioGridText, RadioGridRecall);

  const auto history = ProfileDocument::Parse(text);
  for (const auto& entry : history.Entries("HAM,W1AW")) StationHistoryValue(history, "HAM", "W1AW", entry.key);
  const auto historyFile = fuzz::ScratchFile(kStationHistoryDataFile, text);
  auto historyShown = HistoryGridRecall(historyFile, messages);
  fuzz::Require(testing::HistoryFillAgrees(text, historyShown.rows));
  fuzz::RequireReadsBack(GridKind::History, historyShown.rows, HistoryGridText, HistoryGridRecall);
  StationHistoryFile(historyFile, AutoConnectSettings{}, messages).StationHistorySet("HAM", "W1AW", "14080.0", 1);
  return 0;
}
