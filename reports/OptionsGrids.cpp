#include "reports/OptionsGrids.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <map>

#include "airmail/FrequencyLists.h"
#include "airmail/MailSystems.h"
#include "airmail/StationEntries.h"
#include "airmail/StationFile.h"
#include "airmail/StationRadioData.h"
#include "common/AtomicFile.h"
#include "common/Format.h"
#include "common/SystemLib.h"
#include "common/TextParse.h"
#include "reports/GridCells.h"
#include "selection/DataConditions.h"
#include "selection/StationOffsets.h"

namespace velmora {
namespace {

constexpr size_t kNamedDroppedLines = 8;

std::string Hhmm(int value) {
  std::string text = std::to_string(value);
  return std::string(text.size() < 4 ? 4 - text.size() : 0, '0') + text;
}

// The rows read up to a line that is no record: that line is told, and it
// and every line after it are what the rows leave out.
void ReadErrorKeep(GridRecall& recall, const std::vector<std::string>& lines, size_t bad, const std::string& name,
                   Messenger& messages) {
  messages.Show(name + " - Read, " + TypeMismatch(bad + 1, lines[bad]));
  recall.dropped = DroppedLines(lines, bad);
}

std::optional<std::string> Checked(const CellCheck& check, std::string text, const char* operation,
                                   Messenger& messages) {
  if (check.Ok()) return text;
  messages.Show(std::string(operation) + ", " + check.Problem());
  return std::nullopt;
}

// A file past the readers' limit would be refused whole the next time.
bool FitsFile(const std::string& text, size_t limit, const GridRows& rows, CellCheck& check) {
  if (text.size() <= limit) return true;
  return check.Fail(rows.size() - 1, 0, "the file would be larger than " + IntegerText(limit >> 20) + " MB");
}

// --- Station antenna offsets.

GridRow OffsetRow(const StationOffsetRecord& r) {
  return {r.system,
          r.station,
          LabelsCell(OffsetFrequencies(r.frequencies)),
          ShortestSingle(r.offset),
          ShortestSingle(r.beamwidth),
          ShortestSingle(r.mainbeam),
          Hhmm(r.start),
          Hhmm(r.stop)};
}

std::optional<StationOffsetRecord> OffsetRecordOf(const GridRow& row, size_t i, CellCheck& check) {
  auto system = check.Text(row, i, 0), station = check.Text(row, i, 1), labels = check.Text(row, i, 2);
  auto offset = check.Number(row, i, 3);
  auto beamwidth = check.NumberOr(row, i, 4, 360), mainbeam = check.NumberOr(row, i, 5, 0);
  auto start = check.NumberOr(row, i, 6, 0), stop = check.NumberOr(row, i, 7, 2400);
  if (!check.Ok()) return std::nullopt;
  for (size_t column : {6, 7}) {
    double t = column == 6 ? *start : *stop;
    if (t != std::floor(t) || t < 0 || t > 2400 || std::fmod(t, 100) >= 60)
      check.Fail(i, column, "\"" + row[column] + "\" is not a time hhmm from 0000 to 2400");
  }
  if (*beamwidth <= 0 || *beamwidth > 360) check.Fail(i, 4, "must be more than 0 and at most 360");
  if (!check.Ok()) return std::nullopt;
  StationOffsetRecord r;
  r.system = *system;
  r.station = *station;
  for (const auto& label : CellLabels(*labels)) r.frequencies += (r.frequencies.empty() ? "" : " ") + label;
  r.offset = static_cast<float>(*offset);
  r.beamwidth = static_cast<float>(*beamwidth);
  r.mainbeam = static_cast<float>(*mainbeam);
  r.start = static_cast<int>(*start);
  r.stop = static_cast<int>(*stop);
  return r;
}

// The first field, by its column, in which the record read back differs.
std::optional<size_t> OffsetDifference(const StationOffsetRecord& a, const StationOffsetRecord& b) {
  const bool same[] = {a.system == b.system,       a.station == b.station,     a.frequencies == b.frequencies,
                       a.offset == b.offset,       a.beamwidth == b.beamwidth, a.mainbeam == b.mainbeam,
                       a.start == b.start,         a.stop == b.stop};
  for (size_t column = 0; column < std::size(same); ++column)
    if (!same[column]) return column;
  return std::nullopt;
}

void OffsetReadBack(const std::string& text, const std::vector<StationOffsetRecord>& records, const GridRows& rows,
                    CellCheck& check) {
  if (!FitsFile(text, kDataFileLimit, rows, check)) return;
  auto back = StationOffsetLinesRead(SplitLines(text));
  for (size_t i = 0; i < records.size(); ++i) {
    auto column = i < back.records.size() ? OffsetDifference(records[i], back.records[i]) : std::optional<size_t>(0);
    if (column) return void(check.NotReadBack(rows[i], i, *column));
  }
}

// --- Station radios.

GridRow RadioRow(const StationRadioRecord& r) { return {r.system, r.station, r.transceiver, LabelsCell(r.labels)}; }

std::optional<StationRadioRecord> RadioRecordOf(const GridRow& row, size_t i, CellCheck& check) {
  auto system = check.Text(row, i, 0), station = check.Text(row, i, 1);
  auto transceiver = check.Number(row, i, 2);
  // A transceiver without frequencies is a record the file holds, and one
  // that FreqList.rtf's Update may give.
  std::string labels(Trim(CellCheck::Cell(row, 3)));
  if (check.Ok() && (*transceiver < 1 || *transceiver > std::numeric_limits<std::int32_t>::max() ||
                     *transceiver != std::floor(*transceiver)))
    check.Fail(i, 2, "\"" + row[2] + "\" is not a transceiver number");
  if (!check.Ok()) return std::nullopt;
  return StationRadioRecord{*system, *station, IntegerText(static_cast<long long>(*transceiver)), CellLabels(labels)};
}

void RadioReadBack(const std::string& text, const std::vector<StationRadioRecord>& records, const GridRows& rows,
                   CellCheck& check) {
  if (!FitsFile(text, kDataFileLimit, rows, check)) return;
  auto lines = SplitLines(text);
  for (size_t i = 0; i < records.size(); ++i) {
    auto back = i + 1 < lines.size() ? StationRadioLineRead(lines[i + 1]) : std::nullopt;
    const auto& a = records[i];
    const bool same[] = {back && back->system == a.system, back && back->station == a.station,
                         back && back->transceiver == a.transceiver, back && back->labels == a.labels};
    for (size_t column = 0; column < std::size(same); ++column)
      if (!same[column]) return void(check.NotReadBack(rows[i], i, column));
  }
}

}  // namespace

std::optional<std::vector<std::string>> GridLines(const std::filesystem::path& file, const std::string& recallName,
                                                  GridRecall& recall, Messenger& messages, size_t limit,
                                                  std::vector<std::string> (*split)(std::string_view)) {
  if (FileMissing(file)) return std::nullopt;
  FileFailure failure;
  auto text = ReadText(file, failure, limit);
  if (!text) {
    // Named: held shut by another program, it is the one to close there.
    messages.Show(StageText(recallName, failure.stage) + ErrorText(failure.error) + "\r" + NotReadText(file) + ".");
    recall.dropped = {UnreadFile(failure)};
    return std::nullopt;
  }
  recall.stamp = FileStamp::Of(*text);
  return split(*text);
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

GridRecall OffsetGridRecall(const std::filesystem::path& file, Messenger& messages) {
  GridRecall recall;
  auto lines = GridLines(file, "OffsetDataRecall", recall, messages, kDataFileLimit);
  if (!lines) return recall;
  auto read = StationOffsetLinesRead(*lines);
  for (const auto& r : read.records) recall.rows.push_back(OffsetRow(r));
  if (read.bad) ReadErrorKeep(recall, *lines, *read.bad, "OffsetDataRecall", messages);
  return recall;
}

std::optional<std::string> OffsetGridText(const GridRows& rows, Messenger& messages) {
  CellCheck check(kOffsetGridHeaders);
  std::vector<StationOffsetRecord> records;
  for (size_t i = 0; i < rows.size() && check.Ok(); ++i)
    if (auto record = OffsetRecordOf(rows[i], i, check)) records.push_back(std::move(*record));
  std::string text;
  if (check.Ok()) {
    text = StationOffsetDataText(records);
    OffsetReadBack(text, records, rows, check);
  }
  return Checked(check, std::move(text), "OffsetDataSave", messages);
}

GridRecall RadioGridRecall(const std::filesystem::path& file, Messenger& messages) {
  GridRecall recall;
  auto lines = GridLines(file, "StationsFileDataRecall", recall, messages, kDataFileLimit);
  if (!lines) return recall;
  size_t first = !lines->empty() && StationRadioFirstLineIsRecord(lines->front()) ? 0 : 1;
  for (size_t i = first; i < lines->size(); ++i) {
    if (Trim((*lines)[i]).empty()) continue;
    auto record = StationRadioLineRead((*lines)[i]);
    if (!record) {
      ReadErrorKeep(recall, *lines, i, "StationsFileDataRecall", messages);
      break;
    }
    recall.rows.push_back(RadioRow(*record));
  }
  return recall;
}

std::optional<std::string> RadioGridText(const GridRows& rows, Messenger& messages) {
  CellCheck check(kRadioGridHeaders);
  std::vector<StationRadioRecord> records;
  for (size_t i = 0; i < rows.size() && check.Ok(); ++i)
    if (auto record = RadioRecordOf(rows[i], i, check)) records.push_back(std::move(*record));
  std::string text;
  if (check.Ok()) {
    text = StationRadioDataText(records);
    RadioReadBack(text, records, rows, check);
  }
  return Checked(check, std::move(text), "StationsFileDataSave", messages);
}

bool GridFileWrite(const std::filesystem::path& file, std::string_view text, std::string_view operation,
                   Messenger& messages) {
  std::error_code error;
  if (WriteFileAtomically(file, text, error)) return true;
  messages.Show(std::string(operation) + ", " + ErrorText(error) + "\r" + NotWrittenText(file) + ".");
  return false;
}

bool GridDropAsk(std::string_view operation, const std::filesystem::path& file,
                 const std::vector<std::string>& dropped, Messenger& messages) {
  if (dropped.empty()) return true;
  std::string text =
      std::string(operation) + ", " + file.filename().string() + " was not read whole: writing the grid drops";
  for (size_t i = 0; i < dropped.size() && i < kNamedDroppedLines; ++i) text += "\r" + dropped[i];
  if (dropped.size() > kNamedDroppedLines)
    text += "\rand " + IntegerText(static_cast<long long>(dropped.size() - kNamedDroppedLines)) + " more lines";
  return messages.AskYesNo(text + "\r\rDo you wish to Continue?", MessageIcon::Exclamation);
}

bool GridChangedAsk(std::string_view operation, const std::filesystem::path& file,
                    const std::optional<FileStamp>& shown, Messenger& messages) {
  std::error_code error;
  auto now = ReadWholeFile(file, error);
  if (!now || FileStamp::Of(*now) == shown) return true;
  return messages.AskYesNo(std::string(operation) + ", " + file.filename().string() +
                               " was changed since it was shown (by a run, or another program): writing the grid "
                               "drops that change\r\rDo you wish to Continue?",
                           MessageIcon::Exclamation);
}

bool DataFileDelete(const std::filesystem::path& file, std::string_view operation, Messenger& messages) {
  std::error_code error;
  std::filesystem::remove(file, error);
  if (!error) return true;
  messages.Show(std::string(operation) + ", Unable to delete \"" + PathText(file) + "\"\r" + ErrorText(error));
  return false;
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
    if (added) {
      FileFailure failure;
      if (auto file = StationFile::Load(data, system, failure)) at->second.emplace(std::move(*file));
      else
        messages.Show("OffsetDataCheck, Unable to " + std::string(failure.stage == FileStage::Open ? "open" : "read") +
                      " Airmail \"" + system + "\" Station data.\r" + ErrorText(failure.error) +
                      AirmailErrorDataMessage(data));
    }
    // A list that could not be read holds no frequency worth asking about.
    if (!at->second) continue;
    std::vector<std::string> labels = StationLabels(*at->second, data, system, station);
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

}  // namespace velmora
