#pragma once
// The engine's table is the frequency table of the AutoConnect window: its
// columns found by their fixed indices, row 0 the heading in both.
#include "autoconnect/ActivityPorts.h"
#include "autoconnect/EngineTable.h"
#include "common/Messages.h"
#include "selection/FrequencyTable.h"
#include "selection/NoiseSelect.h"

namespace velmora {

class GridEngineTable final : public EngineTable {
 public:
  explicit GridEngineTable(FrequencyTable& table) : table_(table) {}

  std::string FrequencyListNext(int& row, EngineColumn column) override;
  void FrequencyCellColor(int row, EngineColumn column, std::uint32_t colour) override;
  void FrequencyCellBlink(int row, EngineColumn column) override;
  void FrequencyCellBlinkStop() override { table_.FrequencyCellBlinkStop(); }
  // Empty for the heading row and for a cursor past the last row.
  std::string CellText(int row, EngineColumn column) override;
  void CellSet(int row, EngineColumn column, std::string_view text) override;
  int DataRows() override { return table_.DataRows(); }

  static int ColumnOf(EngineColumn column);

 private:
  FrequencyTable& table_;
};

class GridNoiseSelection final : public NoiseSelection {
 public:
  GridNoiseSelection(FrequencyTable& table, Messenger& messenger) : table_(table), messenger_(messenger) {}
  void NoiseSelectRows(int mode, int top) override { NoiseSelectByMode(table_, mode, top, messenger_); }

 private:
  FrequencyTable& table_;
  Messenger& messenger_;
};

}  // namespace velmora
