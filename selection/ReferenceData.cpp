#include "selection/ReferenceData.h"

#include <algorithm>
#include <cmath>

#include "common/Format.h"
#include "common/TextParse.h"
#include "selection/TableColumns.h"

namespace velmora {
namespace {

bool HasReference(const FrequencyTable& table, int row) { return !Trim(table.CellGet(row, kColumnRef)).empty(); }

// "Ref" may be empty where a level was measured: with "Rx Pwr" as the
// reference and no S-meter reading, a row holds its "Rx Snr" alone.
bool Measured(const FrequencyTable& table, int row) {
  for (int column : {kColumnRef, kColumnRxPwr, kColumnRxSnr})
    if (!Trim(table.CellGet(row, column)).empty()) return true;
  return false;
}

bool SameStation(const FrequencyTable& table, int row, int other) {
  return other >= 1 && other < table.Rows() &&
         table.CellGet(row, kColumnStation) == table.CellGet(other, kColumnStation);
}

Record RowTexts(const FrequencyTable& table, int row) {
  Record texts;
  for (int column = 0; column < table.Columns(); ++column) texts.push_back(table.CellGet(row, column));
  return texts;
}

CellAlign RecalledAlign(int column) {
  if (column == kColumnStation) return CellAlign::Center;
  if (column == kColumnFrequency) return CellAlign::Left;
  return CellAlign::Right;
}

// The measured columns must hold numbers, or nothing.
bool MeasuresRead(const Record& fields) {
  for (int column : {kColumnRxPwr, kColumnRxSnr, kColumnRef}) {
    size_t index = static_cast<size_t>(column);
    if (index < fields.size() && !Trim(fields[index]).empty() && !FieldNumber(fields[index])) return false;
  }
  return true;
}

void RecalledRowSet(FrequencyTable& table, const Record& fields, int reference) {
  int row = table.RowAdd();
  // Field by field into the columns: what lies past the table is not ours.
  size_t columns = std::min(fields.size(), static_cast<size_t>(table.Columns()));
  for (size_t column = 0; column < columns; ++column)
    table.CellSet(row, static_cast<int>(column), fields[column], RecalledAlign(static_cast<int>(column)));
  int source = reference == 1 ? kColumnRxPwr : kColumnRxSnr;
  table.CellSet(row, kColumnRef, table.CellGet(row, source), CellAlign::Right);
}

int CharacterWidth(std::string_view text) { return static_cast<int>(text.size()); }

}  // namespace

std::vector<RowBlock> StationBlocks(const FrequencyTable& table) {
  std::vector<RowBlock> blocks;
  for (int row = 1; row < table.Rows(); ++row) {
    if (blocks.empty() || !SameStation(table, row, row - 1)) blocks.push_back({row, row});
    else blocks.back().last = row;
  }
  return blocks;
}

void FitTotal::Add(const ReferenceFit& fit) {
  if (fit.matched == 0) return;
  matched_ += fit.matched;
  ++stations_;
  squares_ += fit.rms * fit.rms;
}

void FitTotal::Add(const FitSummary& summary) {
  matched_ += summary.matched;
  stations_ += summary.stations;
  squares_ += summary.rms * summary.rms * summary.stations;
}

FitSummary FitTotal::Summary() const {
  return {matched_, stations_ > 0 ? std::sqrt(squares_ / stations_) : 0.0, stations_};
}

std::vector<int> ReferenceRowsKept(const FrequencyTable& table) {
  std::vector<int> kept;
  for (int row = 1; row < table.Rows(); ++row) {
    bool neighbour = (SameStation(table, row, row - 1) && Measured(table, row - 1)) ||
                     (SameStation(table, row, row + 1) && Measured(table, row + 1));
    if (Measured(table, row) || neighbour) kept.push_back(row);
  }
  return kept;
}

bool ReferenceDataWrite(const FrequencyTable& table, const std::filesystem::path& file,
                        const DataConditions& conditions, std::error_code& error) {
  std::vector<Record> lines{ConditionsRecord(conditions), RowTexts(table, 0)};
  for (int row : ReferenceRowsKept(table)) lines.push_back(RowTexts(table, row));
  return WriteRecords(file, DataTimeText(conditions.time), lines, error);
}

std::optional<std::filesystem::path> ReferenceStationSave(const FrequencyTable& table,
                                                          const std::filesystem::path& programFolder,
                                                          const DataConditions& conditions, Messenger& messages) {
  if (ReferenceRowsKept(table).empty()) {
    messages.Show(kReferenceNothingMeasured, MessageIcon::Exclamation);
    return std::nullopt;
  }
  auto file = DataFileName(programFolder, conditions.time, kReferenceExtension);
  std::error_code error;
  std::filesystem::create_directories(file.parent_path(), error);
  if (!error && ReferenceDataWrite(table, file, conditions, error)) return file;
  messages.Show("ReferenceStationSave, " + ErrorText(error), MessageIcon::Exclamation);
  return std::nullopt;
}

ReferenceFit ReferenceStationFit(FrequencyTable& table, int first, int last) {
  std::vector<std::pair<int, double>> errors;
  for (int row = first; row <= last; ++row) {
    table.CellSet(row, kColumnFitErr, "");
    if (!HasReference(table, row) || Trim(table.CellGet(row, kColumnSnr)).empty()) continue;
    errors.emplace_back(row, table.CellValue(row, kColumnRef) - table.CellValue(row, kColumnSnr));
  }
  ReferenceFit fit{static_cast<int>(errors.size()), 0};
  if (fit.matched > 0) {
    double mean = 0, squares = 0;
    for (const auto& e : errors) mean += e.second / fit.matched;
    for (const auto& e : errors) squares += (e.second - mean) * (e.second - mean);
    fit.rms = std::sqrt(squares / fit.matched);
  }
  for (const auto& [row, error] : errors) table.CellSet(row, kColumnFitErr, FormatNumber(error, "0"));
  for (int row = first; row <= last; ++row) table.CellSet(row, kColumnFitRms, FormatNumber(fit.rms, "0.0"));
  return fit;
}

FitSummary ReferenceFitStations(FrequencyTable& table) {
  FitTotal total;
  for (const auto& block : StationBlocks(table)) total.Add(ReferenceStationFit(table, block.first, block.last));
  return total.Summary();
}

std::optional<ReferenceRecall> ReferenceDataRecall(FrequencyTable& table, const std::filesystem::path& file,
                                                   int reference, Messenger& messages) {
  FileFailure failure;
  auto lines = ReadTextLines(file, failure);
  if (!lines) {
    messages.Show(std::string(failure.stage == FileStage::Open ? "ReferenceDataRecall - Open, "
                                                               : "ReferenceDataRecall - Read, ") +
                      ErrorText(failure.error),
                  MessageIcon::Exclamation);
    return std::nullopt;
  }
  auto refuse = [&](size_t index) {
    std::string_view line = index < lines->size() ? std::string_view((*lines)[index]) : std::string_view();
    messages.Show("ReferenceDataRecall - Read, " + TypeMismatch(index + 1, line), MessageIcon::Exclamation);
    return std::nullopt;
  };
  ReferenceRecall recall;
  auto time = lines->empty() ? std::nullopt : DataTimeRead((*lines)[0]);
  if (!time) return refuse(0);
  recall.conditions.time = *time;
  if (lines->size() < 2 || !ConditionsRead(SplitRecord((*lines)[1]), recall.conditions)) return refuse(1);
  std::vector<Record> rows;
  for (size_t i = 3; i < lines->size(); ++i) {
    if (Trim((*lines)[i]).empty()) continue;
    rows.push_back(SplitRecord((*lines)[i]));
    if (!MeasuresRead(rows.back())) return refuse(i);
  }
  RedrawPause pause(table);
  table.RowsCut(1);
  for (const auto& fields : rows) RecalledRowSet(table, fields, reference);
  recall.fit = ReferenceFitStations(table);
  return recall;
}

FitSummary ReferenceDataRecompute(FrequencyTable& table, const AutoConnectSettings& settings,
                                  StationRowsServices services, const DataConditions& recalled,
                                  const UtcDateTime& time) {
  RedrawPause pause(table);
  auto blocks = StationBlocks(table);
  PredictionFill fill(services.predictions, blocks.size());
  StationRows rows(table, settings, kModeReferenceData, services, recalled.ship, time);
  rows.SunSpotNumberSet(recalled.sunSpotNumber);
  FitTotal total;
  for (const auto& block : blocks) {
    std::string station = table.CellGet(block.first, kColumnStation);
    if (rows.StationRowsFill(recalled.system, station, block.first, block.last))
      total.Add(ReferenceStationFit(table, block.first, block.last));
  }
  return total.Summary();
}

std::string FitRmsText(double rms, std::optional<double> original) {
  std::string text = FormatNumber(rms, "0.0");
  if (original) text += " / " + FormatNumber(*original, "0.0");
  return text;
}

ReferenceList ReferenceListBuild(const std::filesystem::path& programFolder, const AutoConnectSettings& settings,
                                 StationRowsServices services, const UtcDateTime& time, ReferenceFilesTold* told) {
  std::vector<std::filesystem::path> files;
  std::error_code error;
  for (std::filesystem::directory_iterator it(programFolder / "Data", error), end; !error && it != end;
       it.increment(error))
    if (EqualsNoCase(it->path().extension().string(), kReferenceExtension)) files.push_back(it->path());
  std::sort(files.begin(), files.end());

  ReferenceList list;
  FitTotal all;
  FrequencyTable scratch;
  ColumnsBuild(scratch, kModeReferenceData, settings, CharacterWidth);
  for (const auto& file : files) {
    std::error_code ignored;
    auto changed = std::filesystem::last_write_time(file, ignored);
    auto before = told ? told->find(file) : ReferenceFilesTold::iterator();
    bool toldBefore = told && before != told->end() && before->second == changed;
    RecordingMessenger again;  // what was told before is not told at every rebuild
    Messenger& messages = toldBefore ? again : services.data.Messages();
    auto recall = ReferenceDataRecall(scratch, file, settings.referenceDataReference, messages);
    if (!recall) {
      if (told) (*told)[file] = changed;
      continue;
    }
    if (told) told->erase(file);
    ReferenceListRow row{file.stem().string(), recall->fit, std::nullopt};
    if (settings.referenceDataRecompute) {
      row.original = recall->fit.rms;
      row.fit = ReferenceDataRecompute(scratch, settings, services, recall->conditions, time);
    }
    all.Add(row.fit);
    list.rows.push_back(std::move(row));
  }
  list.allFiles = all.Summary();
  return list;
}

std::vector<Record> ReferenceListTable(const ReferenceList& list, const AutoConnectSettings& settings) {
  bool difference = settings.referenceDataRecompute && settings.referenceDataRecomputeDifference;
  std::vector<Record> table{{"File", "# Stn", "# Freq", "Fit Rms"}};
  if (difference) table[0].insert(table[0].end(), {"Original", "Delta"});
  for (const auto& row : list.rows) {
    Record texts{row.name, IntegerText(row.fit.stations), IntegerText(row.fit.matched),
                 FormatNumber(row.fit.rms, "0.0")};
    if (difference && row.original)
      texts.insert(texts.end(), {FormatNumber(*row.original, "0.0"), FormatNumber(row.fit.rms - *row.original, "0.0")});
    table.push_back(std::move(texts));
  }
  return table;
}

}  // namespace velmora
