#include "autoconnect/GridEngineTable.h"

#include "selection/TableColumns.h"

namespace velmora {

int GridEngineTable::ColumnOf(EngineColumn column) {
  switch (column) {
    case EngineColumn::RxCheck: return kColumnRxCheck;
    case EngineColumn::TxConnect: return kColumnTxConnect;
    case EngineColumn::Station: return kColumnStation;
    case EngineColumn::Snr: return kColumnSnr;
    case EngineColumn::P3: return kColumnP3;
    case EngineColumn::Frequency: return kColumnFrequency;
    case EngineColumn::RxPwr: return kColumnRxPwr;
    case EngineColumn::RxSnr: return kColumnRxSnr;
    case EngineColumn::Ref: return kColumnRef;
    case EngineColumn::Noise: return kColumnNoise;
  }
  return -1;
}

std::string GridEngineTable::FrequencyListNext(int& row, EngineColumn column) {
  return table_.FrequencyListNext(row, ColumnOf(column));
}

void GridEngineTable::FrequencyCellColor(int row, EngineColumn column, std::uint32_t colour) {
  if (row >= 1) table_.FrequencyCellColor(row, ColumnOf(column), colour);
}

void GridEngineTable::FrequencyCellBlink(int row, EngineColumn column) {
  if (row >= 1) table_.FrequencyCellBlink(row, ColumnOf(column));
}

std::string GridEngineTable::CellText(int row, EngineColumn column) {
  if (row < 1 || row >= table_.Rows()) return {};
  return table_.CellGet(row, ColumnOf(column));
}

void GridEngineTable::CellSet(int row, EngineColumn column, std::string_view text) {
  if (row >= 1 && row < table_.Rows()) table_.CellSet(row, ColumnOf(column), text);
}

}  // namespace velmora
