#pragma once
// What the options dialog's grids share when they read and write their
// files: the check of typed cells, naming the first problem by row and
// column, and the lines of a file that a grid leaves out.
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "common/TextFileLines.h"
#include "reports/OptionsGrids.h"

namespace velmora {

// The first problem found in the rows, as the message will name it.
class CellCheck {
 public:
  explicit CellCheck(std::span<const char* const> headers) : headers_(headers) {}

  // The cell's whole text as a number a single holds as typed: "," and
  // letters, "nan", "inf", one past a single's range and one so small it
  // would be stored as 0 are none.
  std::optional<double> Number(const GridRow& row, size_t rowIndex, size_t column);
  // An empty cell takes the default.
  std::optional<double> NumberOr(const GridRow& row, size_t rowIndex, size_t column, double empty);
  // The cell's text without blanks around it; an empty one is refused.
  std::optional<std::string> Text(const GridRow& row, size_t rowIndex, size_t column);
  bool Fail(size_t rowIndex, size_t column, const std::string& what);
  // The cell did not come back as typed from the text that would be written.
  bool NotReadBack(const GridRow& row, size_t rowIndex, size_t column);
  bool Ok() const { return problem_.empty(); }
  const std::string& Problem() const { return problem_; }

  static std::string_view Cell(const GridRow& row, size_t column);

 private:
  std::span<const char* const> headers_;
  std::string problem_;
};

// "Line n: text" for each line from `first` on that holds more than blanks.
std::vector<std::string> DroppedLines(std::span<const std::string> lines, size_t first);
// "Line n: text" of one line.
std::string DroppedLine(size_t index, std::string_view line);
// What a grid leaves out of a file it could not read at all.
std::string UnreadFile(const FileFailure& failure);

// "<name> - Open, " or "<name> - Read, ".
std::string StageText(const std::string& name, FileStage stage);

}  // namespace velmora
