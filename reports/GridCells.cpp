#include "reports/GridCells.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "common/Format.h"
#include "common/SystemLib.h"
#include "common/TextParse.h"

namespace velmora {
namespace {

constexpr size_t kShownLineLength = 60;

}  // namespace

std::string_view CellCheck::Cell(const GridRow& row, size_t column) {
  return column < row.size() ? std::string_view(row[column]) : std::string_view();
}

std::optional<double> CellCheck::Number(const GridRow& row, size_t rowIndex, size_t column) {
  auto text = Trim(Cell(row, column));
  double value = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  // Every number of these grids is stored as a single.
  if (text.empty() || ec != std::errc() || end != text.data() + text.size() ||
      !SingleHolds(value)) {
    Fail(rowIndex, column, "\"" + std::string(text) + "\" is not a number");
    return std::nullopt;
  }
  if (value != 0 && static_cast<float>(value) == 0) {
    Fail(rowIndex, column, "\"" + std::string(text) + "\" would be stored as 0");
    return std::nullopt;
  }
  return value;
}

std::optional<double> CellCheck::NumberOr(const GridRow& row, size_t rowIndex, size_t column, double empty) {
  if (Trim(Cell(row, column)).empty()) return empty;
  return Number(row, rowIndex, column);
}

std::optional<std::string> CellCheck::Text(const GridRow& row, size_t rowIndex, size_t column) {
  auto text = Trim(Cell(row, column));
  if (!text.empty()) return std::string(text);
  Fail(rowIndex, column, "is empty");
  return std::nullopt;
}

bool CellCheck::Fail(size_t rowIndex, size_t column, const std::string& what) {
  if (problem_.empty())
    problem_ = "Row " + std::to_string(rowIndex + 1) + ", Column " + headers_[column] + ": " + what;
  return false;
}

bool CellCheck::NotReadBack(const GridRow& row, size_t rowIndex, size_t column) {
  return Fail(rowIndex, column, "\"" + std::string(Cell(row, column)) + "\" would not read back as typed");
}

std::string DroppedLine(size_t index, std::string_view line) {
  std::string shown(line.substr(0, kShownLineLength));
  if (line.size() > kShownLineLength) shown += "...";
  return "Line " + IntegerText(static_cast<long long>(index + 1)) + ": " + shown;
}

std::vector<std::string> DroppedLines(std::span<const std::string> lines, size_t first) {
  std::vector<std::string> dropped;
  for (size_t i = first; i < lines.size(); ++i)
    if (!Trim(lines[i]).empty()) dropped.push_back(DroppedLine(i, lines[i]));
  return dropped;
}

std::string UnreadFile(const FileFailure& failure) { return "Every line: " + ErrorText(failure.error); }

std::string StageText(const std::string& name, FileStage stage) {
  return name + (stage == FileStage::Open ? " - Open, " : " - Read, ");
}

}  // namespace velmora
