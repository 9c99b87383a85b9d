#include "reports/OptionsGrids.h"

#include <algorithm>
#include <charconv>
#include <map>
#include <cmath>
#include <cstdint>
#include <limits>
#include <span>

#include "airmail/FrequencyLists.h"
#include "airmail/MailSystems.h"
#include "airmail/StationEntries.h"
#include "airmail/StationFile.h"
#include "airmail/StationRadioData.h"
#include "common/AtomicFile.h"
#include "common/CalendarTime.h"
#include "common/Format.h"
#include "common/SystemLib.h"
#include "common/TextParse.h"
#include "reports/FreqListDocument.h"
#include "selection/StationHistoryData.h"
#include "selection/StationOffsets.h"

namespace velmora {
namespace {

std::string StageText(const std::string& name, FileStage stage) {
  return name + (stage == FileStage::Open ? " - Open, " : " - Read, ");
}

// The first problem found in the rows, as the message will name it.
class CellCheck {
 public:
  CellCheck(std::span<const char* const> headers) : headers_(headers) {}

  // The cell's whole text as a number; "," and letters are none.
  std::optional<double> Number(const GridRow& row, size_t row_index, size_t column) {
    auto text = Trim(Cell(row, column));
    double value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    // Every number of these grids is stored as a single: "inf", "nan" or one
    // past a single's range is none the files can hold.
    if (!text.empty() && ec == std::errc() && end == text.data() + text.size() &&
        std::abs(value) <= std::numeric_limits<float>::max())
      return value;
    Fail(row_index, column, "\"" + std::string(text) + "\" is not a number");
    return std::nullopt;
  }
  // An empty cell takes the default.
  std::optional<double> NumberOr(const GridRow& row, size_t row_index, size_t column, double empty) {
    if (Trim(Cell(row, column)).empty()) return empty;
    return Number(row, row_index, column);
  }
  std::optional<std::string> Text(const GridRow& row, size_t row_index, size_t column) {
    auto text = Trim(Cell(row, column));
    if (!text.empty()) return std::string(text);
    Fail(row_index, column, "is empty");
    return std::nullopt;
  }
  bool Fail(size_t row_index, size_t column, const std::string& what) {
    if (problem_.empty())
      problem_ = "Row " + std::to_string(row_index + 1) + ", Column " + headers_[column] + ": " + what;
    return false;
  }
  bool Ok() const { return problem_.empty(); }
  const std::string& Problem() const { return problem_; }

 private:
  static std::string_view Cell(const GridRow& row, size_t column) {
    return column < row.size() ? std::string_view(row[column]) : std::string_view();
  }
  std::span<const char* const> headers_;
  std::string problem_;
};

std::string Hhmm(int value) {
  std::string text = std::to_string(value);
  return std::string(text.size() < 4 ? 4 - text.size() : 0, '0') + text;
}

bool ReportWrite(bool written, const std::string& name, const std::error_code& error, Messenger& messages) {
  if (!written) messages.Show(name + ", " + ErrorText(error));
  return written;
}

std::optional<std::filesystem::file_time_type> Modified(const std::filesystem::path& file) {
  std::error_code error;
  auto time = std::filesystem::last_write_time(file, error);
  if (error) return std::nullopt;
  return time;
}

std::string DateText(const std::filesystem::path& file) {
  auto time = Modified(file);
  if (!time) return "n/a";
  auto sys = std::chrono::file_clock::to_sys(*time);
  auto seconds = std::chrono::duration_cast<std::chrono::seconds>(sys.time_since_epoch());
  std::tm day = UtcCalendarTime(static_cast<std::time_t>(seconds.count()));
  return TwoDigits(day.tm_mon + 1) + "/" + TwoDigits(day.tm_mday) + "/" + std::to_string(day.tm_year + 1900);
}

}  // namespace

std::string LastModifiedLabel(const std::filesystem::path& freqList, const std::filesystem::path& radioData,
                              int source) {
  return "Last Modified:  " + DateText(freqList) + (source == 1 ? ", " + DateText(radioData) : "");
}

bool RadioDataOutOfDate(const std::filesystem::path& freqList, const std::filesystem::path& radioData) {
  auto rtf = Modified(freqList), radio = Modified(radioData);
  return rtf && (!radio || *rtf > *radio);
}

namespace {

// A station's frequency labels from its "[Frequency List]"; a SAILMAIL
// station is found by its display name too.
std::vector<std::string> StationLabels(const StationFile& file, const AirmailDataFolder& data,
                                       const std::string& system, const std::string& station) {
  auto list = file.WholeValue("Frequency List", station);
  if (!list && SystemIsSailmail(system))
    list = file.WholeValue("Frequency List", StationFromStationName(data, system, station));
  std::vector<std::string> labels;
  for (const auto& group : ParseFrequencyList(list.value_or("")).groups)
    for (const auto& label : group)
      if (std::find(labels.begin(), labels.end(), label) == labels.end()) labels.push_back(label);
  return labels;
}

}  // namespace

void OffsetGridCheck(const GridRows& rows, const AirmailDataFolder& data, Messenger& messages) {
  std::map<std::string, std::optional<StationFile>> files;  // each system's file read once
  for (const auto& row : rows) {
    if (row.size() < 3) continue;
    const std::string &system = row[0], &station = row[1];
    auto [at, added] = files.try_emplace(system);
    FileFailure failure;
    if (added)
      if (auto file = StationFile::Load(data, system, failure)) at->second.emplace(std::move(*file));
    std::vector<std::string> labels;
    if (const auto& file = at->second) labels = StationLabels(*file, data, system, station);
    for (const auto& label : CellLabels(row[2])) {
      if (std::find(labels.begin(), labels.end(), label) != labels.end()) continue;
      if (!messages.AskYesNo(system + " " + station + " frequency " + label +
                                 " not found in Station's Frequency List\r\rDo you wish to Continue?",
                             MessageIcon::Information))
        return;
    }
  }
}

std::vector<std::string> OffsetCellChoices(const GridRow& row, size_t column, const AirmailDataFolder& data) {
  if (column == 0) {
    SelectionList systems;
    SystemGetList(data, systems, 0);
    return systems.entries;
  }
  if (column > 2 || row.size() < 2) return {};
  FileFailure failure;
  auto file = StationFile::Load(data, row[0], failure);
  if (!file) return {};
  if (column == 2) return StationLabels(*file, data, row[0], row[1]);
  std::vector<std::string> names;
  bool sailmail = SystemIsSailmail(row[0]);
  for (const auto& entry : file->Section(kStationInfoHeader).entries) {
    auto display = sailmail ? StationDisplayNameOf(entry.line) : std::nullopt;
    names.push_back(display.value_or(entry.key));
  }
  return names;
}

std::optional<GridRows> RadioGridFromHamGroups(const AirmailDataFolder& data, Messenger& messages) {
  FileFailure failure;
  auto file = StationFile::Load(data, "HAM", failure);
  if (!file) {
    // With the system's reason and the data folder to check, as every message about AirMail's files.
    messages.Show(std::string("StationsAirmailSetStations, Unable to ") +
                  (failure.stage == FileStage::Open ? "open" : "read") + " Airmail \"HAM\" Station data.\r" +
                  ErrorText(failure.error) + AirmailErrorDataMessage(data));
    return std::nullopt;
  }
  GridRows rows;
  for (const auto& entry : file->Section(kFrequencyListHeader).entries) {
    auto groups = ParseFrequencyList(entry.value).groups;
    for (size_t g = 0; g < groups.size(); ++g)
      rows.push_back({"HAM", entry.key, std::to_string(g + 1), LabelsCell(groups[g])});
  }
  return rows;
}

std::optional<GridRows> RadioGridFromFreqList(const std::filesystem::path& freqList, Messenger& messages) {
  FileFailure failure;
  auto rtf = ReadText(freqList, failure);
  if (!rtf) {
    messages.Show(StageText("StationsFileUpdate", failure.stage) + ErrorText(failure.error));
    return std::nullopt;
  }
  GridRows rows;
  for (const auto& r : FreqListTransceivers(FreqListDocument(RtfColouredText(*rtf))))
    rows.push_back({r.system, r.station, r.transceiver, LabelsCell(r.labels)});
  return rows;
}

namespace {

using Transceivers = std::map<std::pair<std::string, std::string>, std::vector<std::string>>;

Transceivers TransceiversOf(const GridRows& rows) {
  Transceivers table;
  for (const auto& row : rows)
    if (row.size() >= 4) table.emplace(std::pair{row[1], row[2]}, CellLabels(row[3]));
  return table;
}

bool HasStation(const Transceivers& table, const std::string& station) {
  auto at = table.lower_bound({station, ""});
  return at != table.end() && at->first.first == station;
}

}  // namespace

void RadioSourcesCompare(const GridRows& first, const GridRows& second, Messenger& messages) {
  const Transceivers a = TransceiversOf(first), b = TransceiversOf(second);
  auto ask = [&](const std::string& text) {
    return messages.AskYesNo(text + "\r\rWould you like to continue checking?");
  };
  // Each table against the other: what one lacks is missing, whichever it is.
  for (const auto* pair : {&a, &b}) {
    const Transceivers &one = *pair, &other = pair == &a ? b : a;
    std::string lastMissing;
    for (const auto& [key, labels] : one) {
      const auto& [station, number] = key;
      if (!HasStation(other, station)) {
        if (station != lastMissing && !ask("Missing Station " + station)) return;
        lastMissing = station;
        continue;
      }
      auto match = other.find(key);
      if (match == other.end()) {
        if (!ask("Missing Data for Station " + station + " and TxRc " + number)) return;
      } else if (pair == &a && match->second != labels &&
                 !ask("Different Frequency Data for Station " + station + " and TxRc " + number)) {
        return;
      }
    }
  }
}

namespace {
bool SameTransceiver(const GridRow& a, const GridRow& b) {
  for (size_t c = 0; c < 3; ++c)
    if ((c < a.size() ? a[c] : "") != (c < b.size() ? b[c] : "")) return false;
  return true;
}
}  // namespace

RadioDifferences RadioSourcesDifference(GridRows first, GridRows second) {
  std::erase_if(first, [&](const GridRow& row) {
    auto match = std::ranges::find_if(second, [&](const GridRow& other) { return SameTransceiver(row, other); });
    if (match == second.end()) return false;
    second.erase(match);
    return true;
  });
  for (auto* table : {&first, &second})
    if (table->empty()) table->push_back({"No Errors"});
  return {std::move(first), std::move(second)};
}

std::string LabelsCell(const std::vector<std::string>& labels) {
  std::string cell;
  for (const auto& label : labels) cell += (cell.empty() ? "" : ", ") + label;
  return cell;
}

std::vector<std::string> CellLabels(std::string_view cell) {
  std::vector<std::string> labels;
  size_t start = 0;
  for (size_t i = 0; i <= cell.size(); ++i) {
    if (i < cell.size() && cell[i] != ',' && cell[i] != ' ' && cell[i] != '\t') continue;
    if (i > start) labels.emplace_back(cell.substr(start, i - start));
    start = i + 1;
  }
  return labels;
}

GridRows OffsetGridRecall(const std::filesystem::path& file, Messenger& messages) {
  std::error_code ignored;
  if (!std::filesystem::exists(file, ignored)) return {};
  OffsetDataFailure failure;
  auto records = StationOffsetDataRead(file, failure);
  if (!records) {
    messages.Show(StageText("OffsetDataRecall", failure.stage) + failure.description);
    return {};
  }
  GridRows rows;
  for (const auto& r : *records)
    rows.push_back({r.system, r.station, LabelsCell(OffsetFrequencies(r.frequencies)), ShortestSingle(r.offset),
                    ShortestSingle(r.beamwidth), ShortestSingle(r.mainbeam), Hhmm(r.start), Hhmm(r.stop)});
  return rows;
}

bool OffsetGridSave(const std::filesystem::path& file, const GridRows& rows, Messenger& messages) {
  CellCheck check(kOffsetGridHeaders);
  std::vector<StationOffsetRecord> records;
  for (size_t i = 0; i < rows.size() && check.Ok(); ++i) {
    const auto& row = rows[i];
    StationOffsetRecord r;
    auto system = check.Text(row, i, 0), station = check.Text(row, i, 1), labels = check.Text(row, i, 2);
    auto offset = check.Number(row, i, 3);
    auto beamwidth = check.NumberOr(row, i, 4, 360), mainbeam = check.NumberOr(row, i, 5, 0);
    auto start = check.NumberOr(row, i, 6, 0), stop = check.NumberOr(row, i, 7, 2400);
    if (!check.Ok()) break;
    for (size_t column : {6, 7}) {
      double t = column == 6 ? *start : *stop;
      if (t != std::floor(t) || t < 0 || t > 2400 || std::fmod(t, 100) >= 60)
        check.Fail(i, column, "\"" + row[column] + "\" is not a time hhmm from 0000 to 2400");
    }
    if (*beamwidth <= 0 || *beamwidth > 360) check.Fail(i, 4, "must be more than 0 and at most 360");
    if (!check.Ok()) break;
    r.system = *system;
    r.station = *station;
    auto split = CellLabels(*labels);
    for (const auto& label : split) r.frequencies += (r.frequencies.empty() ? "" : " ") + label;
    r.offset = static_cast<float>(*offset);
    r.beamwidth = static_cast<float>(*beamwidth);
    r.mainbeam = static_cast<float>(*mainbeam);
    r.start = static_cast<int>(*start);
    r.stop = static_cast<int>(*stop);
    records.push_back(std::move(r));
  }
  if (!check.Ok()) {
    messages.Show("OffsetDataSave, " + check.Problem());
    return false;
  }
  std::error_code error;
  return ReportWrite(StationOffsetDataWrite(file, records, error), "OffsetDataSave", error, messages);
}

GridRows RadioGridRecall(const std::filesystem::path& file, Messenger& messages) {
  std::error_code ignored;
  if (!std::filesystem::exists(file, ignored)) return {};
  FileFailure failure;
  auto records = StationRadioDataRead(file, failure);
  if (!records) {
    messages.Show(StageText("StationsFileDataRecall", failure.stage) + ErrorText(failure.error));
    return {};
  }
  GridRows rows;
  for (const auto& r : *records) rows.push_back({r.system, r.station, r.transceiver, LabelsCell(r.labels)});
  return rows;
}

bool RadioGridSave(const std::filesystem::path& file, const GridRows& rows, Messenger& messages) {
  CellCheck check(kRadioGridHeaders);
  std::vector<StationRadioRecord> records;
  for (size_t i = 0; i < rows.size() && check.Ok(); ++i) {
    auto system = check.Text(rows[i], i, 0), station = check.Text(rows[i], i, 1);
    auto transceiver = check.Number(rows[i], i, 2);
    auto labels = check.Text(rows[i], i, 3);
    if (check.Ok() && (*transceiver < 1 || *transceiver > std::numeric_limits<std::int32_t>::max() ||
                       *transceiver != std::floor(*transceiver)))
      check.Fail(i, 2, "\"" + rows[i][2] + "\" is not a transceiver number");
    if (check.Ok())
      records.push_back({*system, *station, IntegerText(static_cast<long long>(*transceiver)), CellLabels(*labels)});
  }
  if (!check.Ok()) {
    messages.Show("StationsFileDataSave, " + check.Problem());
    return false;
  }
  std::error_code error;
  return ReportWrite(StationRadioDataWrite(file, records, error), "StationsFileDataSave", error, messages);
}

GridRows HistoryGridRecall(const std::filesystem::path& file, Messenger& messages) {
  std::error_code ignored;
  if (!std::filesystem::exists(file, ignored)) return {};
  FileFailure failure;
  auto lines = ReadTextLines(file, failure, kProfileFileLimit);
  if (!lines) {
    messages.Show(StageText("HistoryDataRecall", failure.stage) + ErrorText(failure.error));
    return {};
  }
  GridRows rows;
  std::string system, station;
  for (const auto& whole : *lines) {
    auto line = Trim(whole);
    if (line.starts_with('[')) {
      auto name = line.substr(1, line.find(']') - 1);
      auto comma = name.find(',');
      system = std::string(Trim(name.substr(0, comma)));
      station = comma == std::string_view::npos ? std::string() : std::string(Trim(name.substr(comma + 1)));
      continue;
    }
    auto equals = line.find('=');
    if (equals == std::string_view::npos || system.empty()) continue;
    auto key = std::string(Trim(line.substr(0, equals)));
    auto value = ParseLeadingNumber(Trim(line.substr(equals + 1)), true);
    rows.push_back({system, station, key, FormatNumber(value.value_or(0), "0.00")});
  }
  return rows;
}

bool HistoryGridSave(const std::filesystem::path& file, const GridRows& rows, Messenger& messages) {
  CellCheck check(kHistoryGridHeaders);
  ProfileDocument history;
  for (size_t i = 0; i < rows.size() && check.Ok(); ++i) {
    auto system = check.Text(rows[i], i, 0), station = check.Text(rows[i], i, 1);
    auto frequency = check.Text(rows[i], i, 2);
    auto value = check.Number(rows[i], i, 3);
    if (check.Ok())
      history.Write(StationHistorySection(*system, *station), *frequency, ShortestSingle(static_cast<float>(*value)));
  }
  if (!check.Ok()) {
    messages.Show("HistoryDataSave, " + check.Problem());
    return false;
  }
  std::error_code error;
  return ReportWrite(WriteFileAtomically(file, history.Text(), error), "HistoryDataSave", error, messages);
}

}  // namespace velmora
