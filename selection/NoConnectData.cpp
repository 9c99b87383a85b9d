#include "selection/NoConnectData.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <vector>

#include "common/Format.h"
#include "common/SystemLib.h"
#include "common/TextParse.h"
#include "selection/ReferenceData.h"
#include "selection/TableColumns.h"

namespace velmora {
namespace {

constexpr size_t kCellFields = 4;
enum CheckState : int { kNoBox = 0, kUnchecked = 1, kChecked = 2 };
// Older files mark a cell without a box so.
constexpr long long kOlderNoBox = -1;

std::string HexText(Bgr color) {
  char buffer[16];
  auto end = std::to_chars(buffer, buffer + sizeof buffer, color, 16).ptr;
  return ToUpper(std::string_view(buffer, static_cast<size_t>(end - buffer)));
}

std::optional<Bgr> HexRead(std::string_view text) {
  text = Trim(text);
  Bgr value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
  if (text.empty() || error != std::errc() || end != text.data() + text.size() || value > 0xFFFFFF)
    return std::nullopt;
  return value;
}

std::optional<long long> WholeRead(std::string_view text) {
  // Only a whole number that a long long holds: converting any other is undefined.
  constexpr double kBeyond = 0x1p63;
  auto number = FieldNumber(text);
  if (!number || *number != std::trunc(*number) || *number < -kBeyond || *number >= kBeyond) return std::nullopt;
  return static_cast<long long>(*number);
}

Record RowRecord(const FrequencyTable& table, int row) {
  Record fields;
  for (int column = 0; column < table.Columns(); ++column) {
    const Cell& cell = table.CellAt(row, column);
    bool box = table.HasCheckBox(row, column);
    fields.push_back(table.CellGet(row, column));
    fields.push_back(IntegerText(AlignmentCode(cell.align)));
    fields.push_back(HexText(cell.back));
    fields.push_back(IntegerText(!box ? kNoBox : cell.checked ? kChecked : kUnchecked));
  }
  return fields;
}

struct RecalledCell {
  std::string text;
  CellAlign align = CellAlign::Left;
  Bgr back = kColorWhite;
  int check = kNoBox;
};

std::optional<RecalledCell> CellRead(const Record& fields, size_t at) {
  auto align = WholeRead(fields[at + 1]);
  auto back = HexRead(fields[at + 2]);
  auto check = WholeRead(fields[at + 3]);
  if (check == kOlderNoBox) check = kNoBox;
  if (!align || !AlignmentOf(*align) || !back || !check || *check < kNoBox || *check > kChecked) return std::nullopt;
  return RecalledCell{fields[at], *AlignmentOf(*align), *back, static_cast<int>(*check)};
}

// The table's columns a row record holds a cell for: all of them, or in a
// file older than the "Busy" columns, those before them.
int ColumnsHeld(const Record& fields) {
  return static_cast<int>(std::min<size_t>(fields.size() / kCellFields, kColumnCount));
}

// A row record: a cell for every column of the table (what lies past them
// is not ours); nullopt for a line that is no row.
std::optional<Record> RowRead(std::string_view line) {
  Record fields = SplitRecord(line, 0, kDataFileQuotes);
  if (fields.size() < kColumnsSaved * kCellFields) return std::nullopt;
  for (int column = 0; column < ColumnsHeld(fields); ++column)
    if (!CellRead(fields, static_cast<size_t>(column) * kCellFields)) return std::nullopt;
  return fields;
}

void RecalledRowSet(FrequencyTable& table, const Record& fields) {
  int row = table.RowAdd();
  for (int column = 0; column < table.Columns() && column < ColumnsHeld(fields); ++column) {
    const RecalledCell cell = *CellRead(fields, static_cast<size_t>(column) * kCellFields);
    bool boxes = table.Column(column).checkBoxes;
    if (cell.check != kNoBox && boxes) {
      table.CheckCellSet(row, column, cell.text, cell.check == kChecked);
    } else {
      table.CellSet(row, column, cell.text, cell.align);
      if (boxes) table.CheckBoxRemove(row, column);  // state 0 leaves no box
    }
    table.CellColorSet(row, column, cell.back);
  }
}

}  // namespace

int AlignmentCode(CellAlign align) {
  switch (align) {
    case CellAlign::Left: return 1;
    case CellAlign::Center: return 4;
    case CellAlign::Right: return 7;
  }
  return 1;
}

std::optional<CellAlign> AlignmentOf(long long code) {
  if (code >= 0 && code <= 2) return CellAlign::Left;
  if (code >= 3 && code <= 5) return CellAlign::Center;
  if (code >= 6 && code <= 8) return CellAlign::Right;
  return std::nullopt;
}

std::string NoConnectDataWrite(const FrequencyTable& table, const std::filesystem::path& file,
                               const DataConditions& conditions, int mode) {
  std::vector<Record> lines{ConditionsRecord(conditions)};
  for (int row = 0; row < table.Rows(); ++row) lines.push_back(RowRecord(table, row));
  if (auto broken = FirstLineBreak(lines)) {
    if (broken->first == 0) return "the system's name holds a line break";
    int row = static_cast<int>(broken->first - 1);
    std::string heading = table.CellGet(0, static_cast<int>(broken->second / kCellFields));
    return "Row " + IntegerText(row) + (heading.empty() ? "" : ", " + heading) + " holds a line break";
  }
  std::error_code error;
  std::filesystem::create_directories(file.parent_path(), error);
  if (!error && WriteRecords(file, DataTimeText(conditions.time) + "," + IntegerText(mode), lines, error,
                             kDataFileQuotes))
    return {};
  return ErrorText(error) + "\r" + NotWrittenText(file) + ".";
}

std::optional<std::filesystem::path> NoConnectSave(const FrequencyTable& table,
                                                   const std::filesystem::path& programFolder,
                                                   const DataConditions& conditions, int mode, Messenger& messages) {
  auto file = DataFileName(programFolder, conditions.time, kNoConnectExtension);
  auto problem = NoConnectDataWrite(table, file, conditions, mode);
  if (problem.empty()) return file;
  messages.Show("NoConnectSave, " + problem, MessageIcon::Exclamation);
  return std::nullopt;
}

std::optional<NoConnectRecall> NoConnectDataRecall(FrequencyTable& table, const std::filesystem::path& file,
                                                   Messenger& messages) {
  FileFailure failure;
  auto text = ReadText(file, failure);
  if (!text) {
    // Named: the file selected long before may be gone since.
    messages.Show("NoConnectDataRecall " + ErrorText(failure.error) + "\r" + NotReadText(file) + ".",
                  MessageIcon::Exclamation);
    return std::nullopt;
  }
  DataFileLines lines(*text);
  auto refuse = [&](size_t number, std::optional<std::string_view> line) {
    messages.Show("NoConnectDataRecall " + TypeMismatch(number, line.value_or("")), MessageIcon::Exclamation);
    return std::nullopt;
  };
  NoConnectRecall recall;
  Record first = lines.TimeLine() ? SplitRecord(*lines.TimeLine(), 0, kDataFileQuotes) : Record{};
  auto time = first.empty() ? std::nullopt : DataTimeRead(first[0]);
  auto mode = first.size() > 1 ? WholeRead(first[1]) : std::optional<long long>(0);
  if (!time || !mode) return refuse(1, lines.TimeLine());
  recall.conditions.time = *time;
  recall.mode = static_cast<int>(*mode);
  if (!lines.ConditionsLine() ||
      !ConditionsRead(SplitRecord(*lines.ConditionsLine(), 0, kDataFileQuotes), recall.conditions))
    return refuse(2, lines.ConditionsLine());
  // Every row read before the table changes; then read again into it, so
  // the file is never held twice over.
  while (auto line = lines.Next())
    if (!RowRead(line->text)) return refuse(line->number, line->text);
  RedrawPause pause(table);
  table.RowsCut(1);
  lines.Rewind();
  while (auto line = lines.Next()) RecalledRowSet(table, *RowRead(line->text));
  return recall;
}

void NoConnectRecalculate(FrequencyTable& table, const AutoConnectSettings& settings, StationRowsServices services,
                          const DataConditions& recalled, const UtcDateTime& time, bool difference) {
  // Without the ship's position nothing can be predicted again.
  if (!ShipKnown(recalled)) return;
  RedrawPause pause(table);
  std::vector<std::string> before;
  for (int row = 0; row < table.Rows(); ++row) before.push_back(table.CellGet(row, kColumnSnr));
  auto blocks = StationBlocks(table);
  PredictionFill fill(services.predictions, blocks.size());
  StationRows rows(table, settings, kModeNoConnectData, services, recalled.ship, time);
  if (std::isfinite(recalled.sunSpotNumber)) rows.SunSpotNumberSet(recalled.sunSpotNumber);
  for (const auto& block : blocks) {
    std::string station = table.CellGet(block.first, kColumnStation);
    if (!rows.StationRowsFill(recalled.system, station, block.first, block.last) || !difference) continue;
    for (int row = block.first; row <= block.last; ++row)
      table.CellSet(row, kColumnSnr, table.CellGet(row, kColumnSnr) + " / " + before[static_cast<size_t>(row)]);
  }
}

std::string NoConnectCaption(std::string_view file) {
  if (Trim(file).empty()) return "AutoConnect";
  // The name alone: the folders before it are no part of the time.
  size_t slash = file.find_last_of("\\/");
  std::string_view name = slash == std::string_view::npos ? file : file.substr(slash + 1);
  std::string time = std::string(Mid(name, 5, 2)) + "/" + std::string(Mid(name, 8, 2)) + "/" +
                     std::string(Mid(name, 2, 2)) + " " + std::string(Mid(name, 11, 2)) + ":" +
                     std::string(Mid(name, 13, 2)) + ":" + std::string(Mid(name, 15, 2));
  return "No Connect Data - " + time;
}

}  // namespace velmora
