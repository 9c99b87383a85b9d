#pragma once
// The engine's table is the frequency table of the AutoConnect window: its
// columns found by their fixed indices, row 0 the heading in both.
#include "autoconnect/EngineTable.h"
#include "selection/FrequencyTable.h"

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

  static int ColumnOf(EngineColumn column);

 private:
  FrequencyTable& table_;
};

}  // namespace velmora
