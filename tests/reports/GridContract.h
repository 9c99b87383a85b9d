#pragma once
// What the options dialog's grids promise about their files, checked by
// the contract test and the fuzz targets alike: rows a grid agrees to
// write come back from the file as they were shown. Texts count without
// the blanks around them, labels as a list, numbers as the single the file
// holds (an empty cell as its default), a history value as the number of
// the text written for it; history rows come back grouped by station, so
// they are compared in order of their keys.
#include <algorithm>
#include <charconv>
#include <span>
#include <optional>
#include <string>
#include <string_view>

#include "common/Format.h"
#include "common/ProfileFile.h"
#include "common/TextParse.h"
#include "reports/GridCells.h"
#include "reports/OptionsGrids.h"
#include "selection/StationHistoryData.h"

namespace velmora::testing {

enum class GridKind { Offset, Radio, History };

namespace grid_contract {

enum class Cell { Text, Labels, Number };
struct Column { Cell cell; const char* empty = nullptr; };  // empty: a number cell's default

inline std::optional<double> Number(std::string_view text, const char* empty) {
  text = Trim(text);
  if (text.empty() && empty) text = empty;
  double value = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return static_cast<float>(value);
}

inline bool SameCell(const Column& column, std::string_view typed, std::string_view read) {
  switch (column.cell) {
    case Cell::Text: return Trim(typed) == read;
    case Cell::Labels: return CellLabels(Trim(typed)) == CellLabels(read);
    case Cell::Number: return Number(typed, column.empty) == Number(read, column.empty);
  }
  return false;
}

// A history row's value as written: the file's own text while the cell
// shows it unchanged, else the cell.
inline std::string HistoryValue(const GridRow& row) {
  auto own = CellCheck::Cell(row, kHistoryValueText);
  auto number = own.empty() ? std::nullopt : ParseLeadingNumber(own, true);
  if (number && FormatNumber(*number, "0.00") == Trim(CellCheck::Cell(row, 3))) return std::string(own);
  return std::string(Trim(CellCheck::Cell(row, 3)));
}

inline GridRows HistoryKeyed(const GridRows& rows, bool typed) {
  GridRows keyed;
  for (const auto& row : rows) {
    GridRow k;
    for (size_t c = 0; c < 3; ++c) k.emplace_back(Trim(CellCheck::Cell(row, c)));
    k.push_back(typed ? HistoryValue(row) : std::string(CellCheck::Cell(row, kHistoryValueText)));
    keyed.push_back(std::move(k));
  }
  std::sort(keyed.begin(), keyed.end(), [](const GridRow& a, const GridRow& b) {
    return std::lexicographical_compare(a.begin(), a.begin() + 3, b.begin(), b.begin() + 3);
  });
  return keyed;
}

}  // namespace grid_contract

// Whether `read` (the rows recalled from the file written) are `typed`.
inline bool GridReadsBack(GridKind kind, const GridRows& typed, const GridRows& read) {
  using namespace grid_contract;
  if (typed.size() != read.size()) return false;
  if (kind == GridKind::History) {
    GridRows a = HistoryKeyed(typed, true), b = HistoryKeyed(read, false);
    for (size_t i = 0; i < a.size(); ++i) {
      for (size_t c = 0; c < 3; ++c)
        if (a[i][c] != b[i][c]) return false;
      auto written = ParseLeadingNumber(b[i][3], true);
      bool same = a[i][3] == b[i][3] || (written && Number(a[i][3], nullptr) == static_cast<float>(*written));
      if (!same) return false;
    }
    return true;
  }
  static constexpr Column kOffset[] = {{Cell::Text},          {Cell::Text},          {Cell::Labels},
                                       {Cell::Number},        {Cell::Number, "360"}, {Cell::Number, "0"},
                                       {Cell::Number, "0"},   {Cell::Number, "2400"}};
  static constexpr Column kRadio[] = {{Cell::Text}, {Cell::Text}, {Cell::Number}, {Cell::Labels}};
  std::span<const Column> columns = kind == GridKind::Offset ? std::span<const Column>(kOffset) : kRadio;
  for (size_t r = 0; r < typed.size(); ++r)
    for (size_t c = 0; c < columns.size(); ++c)
      if (!SameCell(columns[c], CellCheck::Cell(typed[r], c), CellCheck::Cell(read[r], c))) return false;
  return true;
}

// The table fill reads every value the history grid shows.
inline bool HistoryFillAgrees(std::string_view text, const GridRows& read) {
  auto history = ProfileDocument::Parse(text);
  for (const auto& row : read)
    if (StationHistoryValue(history, row[0], row[1], row[2]) != ParseLeadingNumber(row[kHistoryValueText], true))
      return false;
  return true;
}

}  // namespace velmora::testing
