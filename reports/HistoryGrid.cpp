// The options dialog's history grid over "StationHistoryData.txt": the
// values the table fill would find, read by the same rules (the first of
// a section or key wins, names without regard to case), each with the
// file's own text of it; and the file made again from the rows.
#include <map>
#include <set>

#include "common/Format.h"
#include "common/ProfileFile.h"
#include "common/TextParse.h"
#include "reports/GridCells.h"
#include "reports/OptionsGrids.h"
#include "selection/StationHistoryData.h"

namespace velmora {
namespace {

constexpr size_t kValueColumn = 3;

// A value as the table fill takes it: one no single holds is none.
std::optional<double> HistoryNumber(std::string_view text) {
  auto value = ParseLeadingNumber(text, true);
  if (!value || !SingleHolds(*value)) return std::nullopt;
  return value;
}

std::string ShownValue(double value) { return FormatNumber(value, "0.00"); }

std::string EntryName(std::string_view section, std::string_view key) {
  return ToUpper(ProfileName(section, false)) + "\n" + ToUpper(ProfileName(key, true));
}

// The rows the file's lines give, in file order; every other line that
// holds more than blanks is left out.
GridRecall HistoryRead(std::span<const std::string> lines) {
  GridRecall recall;
  std::set<std::string> sections, entries;
  std::string section, system, station;
  bool held = false;  // the section being read gives rows
  for (size_t i = 0; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    if (Trim(line).empty()) continue;
    if (auto name = ProfileLineSection(line)) {
      section = std::string(*name);
      auto comma = name->find(',');
      system = std::string(name->substr(0, comma));
      station = comma == std::string_view::npos ? std::string() : std::string(name->substr(comma + 1));
      // The table fill looks for system + "," + station: a section named
      // otherwise, or named again, is one it never reads.
      bool first = sections.insert(ToUpper(ProfileName(section, false))).second;
      held = first && !Trim(system).empty() && Trim(system) == system && !Trim(station).empty() &&
             Trim(station) == station;
      if (!held) recall.dropped.push_back(DroppedLine(i, line));
      continue;
    }
    auto entry = ProfileLineEntry(line);
    bool firstKey = held && entries.insert(EntryName(section, entry.key)).second;
    auto value = entry.value ? HistoryNumber(*entry.value) : std::nullopt;
    if (!firstKey || !value || entry.key.empty() || ProfileName(entry.key, true) != entry.key) {
      recall.dropped.push_back(DroppedLine(i, line));
      continue;
    }
    recall.rows.push_back({system, station, entry.key, ShownValue(*value), *entry.value});
  }
  return recall;
}

// The value as the file will hold it: its own text while the cell shows
// it unchanged, else the number typed.
std::optional<std::string> ValueText(const GridRow& row, size_t i, CellCheck& check) {
  auto own = CellCheck::Cell(row, kHistoryValueText);
  auto number = own.empty() ? std::nullopt : HistoryNumber(own);
  if (number && ShownValue(*number) == Trim(CellCheck::Cell(row, kValueColumn))) return std::string(own);
  auto typed = check.Number(row, i, kValueColumn);
  if (!typed) return std::nullopt;
  return ShortestSingle(static_cast<float>(*typed));
}

// What each row was made into: system, station, frequency and value text.
using Written = std::vector<GridRow>;

void HistoryReadBack(const std::string& text, const GridRows& rows, const Written& written, CellCheck& check) {
  if (text.size() > kProfileFileLimit)
    return void(check.Fail(rows.size() - 1, 0, "the file would be larger than 4 MB"));
  auto back = HistoryRead(SplitLines(text));
  std::map<GridRow, std::string> values;  // system, station, frequency: value text
  for (const auto& row : back.rows) values.emplace(GridRow{row[0], row[1], row[2]}, row[kHistoryValueText]);
  for (size_t i = 0; i < written.size(); ++i) {
    const GridRow& w = written[i];
    auto found = values.find({w[0], w[1], w[2]});
    if (found != values.end() && found->second == w[3]) continue;
    // The first cell that no row read back shares with this one.
    size_t column = found != values.end() ? kValueColumn : 2;
    for (size_t c = 0; c < 2 && column == 2; ++c) {
      bool shared = false;
      for (const auto& [key, value] : values) shared = shared || (key[0] == w[0] && (c == 0 || key[1] == w[1]));
      if (!shared) column = c;
    }
    return void(check.NotReadBack(rows[i], i, column));
  }
}

}  // namespace

GridRecall HistoryGridRecall(const std::filesystem::path& file, Messenger& messages) {
  GridRecall recall;
  // Cut into lines as the table fill reads it: a file an editor saved as
  // "Unicode", or with old Macintosh line ends, too.
  auto lines = GridLines(file, "HistoryDataRecall", recall, messages, kProfileFileLimit,
                         &ProfileDocument::ContentLines);
  if (!lines) return recall;
  auto read = HistoryRead(*lines);
  read.stamp = recall.stamp;
  return read;
}

std::optional<std::string> HistoryGridText(const GridRows& rows, Messenger& messages) {
  CellCheck check(kHistoryGridHeaders);
  ProfileDocument history;
  std::map<std::string, size_t> firstRow;
  Written written;
  for (size_t i = 0; i < rows.size() && check.Ok(); ++i) {
    auto system = check.Text(rows[i], i, 0), station = check.Text(rows[i], i, 1);
    auto frequency = check.Text(rows[i], i, 2);
    auto value = ValueText(rows[i], i, check);
    if (!check.Ok()) break;
    std::string section = StationHistorySection(*system, *station);
    // Two rows of one key would be one value in the file.
    auto [first, added] = firstRow.emplace(EntryName(section, *frequency), i);
    if (!added) {
      check.Fail(i, 2, "\"" + *frequency + "\" is in Row " + std::to_string(first->second + 1) + " already");
      break;
    }
    history.Write(section, *frequency, *value);
    written.push_back({*system, *station, *frequency, *value});
  }
  std::string text;
  if (check.Ok()) {
    text = history.Text();
    HistoryReadBack(text, rows, written, check);
  }
  if (check.Ok()) return text;
  messages.Show("HistoryDataSave, " + check.Problem());
  return std::nullopt;
}

}  // namespace velmora
