// The reference (".ref") and no-connect (".nct") data files: recalled into
// the frequency table of modes 4 and 5 and fitted, and the reference file
// read for the calling modes' look-ups. What a recall read, a save writes
// and a recall reads back alike (or the save refuses it), and a recall
// never makes more rows than the file has lines.
#include <algorithm>

#include "airmail/AutoConnectSettings.h"
#include "selection/NoConnectData.h"
#include "selection/ReferenceData.h"
#include "selection/ReferenceLookup.h"
#include "selection/TableColumns.h"
#include "tests/fuzz/FuzzSupport.h"

using namespace velmora;
using fuzz::Require;

namespace {

FrequencyTable TableOfMode(int mode) {
  FrequencyTable table;
  ColumnsBuild(table, mode, AutoConnectSettings{}, fuzz::Width);
  return table;
}

std::string ConditionsText(const DataConditions& c) { return DataTimeText(c.time) + JoinRecord(ConditionsRecord(c)); }

bool LinesFewerThan(std::string_view text, int rows) {
  return static_cast<size_t>(rows) <= static_cast<size_t>(std::count(text.begin(), text.end(), '\n')) + 1;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto text = fuzz::Text(data, size);
  fuzz::QuietMessenger messages;

  const auto reference = fuzz::ScratchFile("2005-03-14 183000.ref", text);
  for (int column : {0, 1}) {
    auto table = TableOfMode(kModeReferenceData);
    auto recall = ReferenceDataRecall(table, reference, column, messages);
    if (!recall) continue;
    Require(LinesFewerThan(text, table.DataRows()));
    // Every row the recall takes, the look-up takes too.
    Require(ReferenceLookup::Load(reference, messages).has_value());
    const auto file = fuzz::ScratchFolder() / "again.ref";
    if (!ReferenceDataWrite(table, file, recall->conditions).empty()) continue;  // refused before writing
    auto again = TableOfMode(kModeReferenceData);
    auto second = ReferenceDataRecall(again, file, column, messages);
    Require(second && ConditionsText(second->conditions) == ConditionsText(recall->conditions));
    auto kept = ReferenceRowsKept(table);
    Require(static_cast<size_t>(again.DataRows()) == kept.size());
    for (size_t i = 0; i < kept.size(); ++i)
      for (int c = 0; c < kColumnCount; ++c)
        if (c != kColumnFitErr && c != kColumnFitRms)  // the fit is of the rows kept
          Require(again.CellGet(static_cast<int>(i) + 1, c) == table.CellGet(kept[i], c));
  }
  ReferenceLookup::Load(reference, messages);

  const auto noConnect = fuzz::ScratchFile("2005-03-14 183000.nct", text);
  auto table = TableOfMode(kModeNoConnectData);
  if (auto recall = NoConnectDataRecall(table, noConnect, messages)) {
    Require(LinesFewerThan(text, table.DataRows()));
    const auto file = fuzz::ScratchFolder() / "again.nct";
    if (!NoConnectDataWrite(table, file, recall->conditions, recall->mode).empty()) return 0;  // refused before writing
    auto again = TableOfMode(kModeNoConnectData);
    auto second = NoConnectDataRecall(again, file, messages);
    Require(second && second->mode == recall->mode &&
            ConditionsText(second->conditions) == ConditionsText(recall->conditions));
    Require(again.Rows() == table.Rows());
    for (int row = 1; row < table.Rows(); ++row)
      for (int c = 0; c < kColumnCount; ++c) Require(again.CellAt(row, c) == table.CellAt(row, c));
  }
  return 0;
}
