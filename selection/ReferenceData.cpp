#include "selection/ReferenceData.h"

#include <algorithm>
#include <cmath>

#include "common/Format.h"
#include "common/TextParse.h"
#include "common/UtcAddHours.h"
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

constexpr int kMeasuredColumns[] = {kColumnRxPwr, kColumnRxSnr, kColumnRef};

bool Measured(std::string_view field) { return !Trim(field).empty(); }

// A measured cell as the file keeps it: a number, or empty for one not
// known ("NaN", "Infinity"), which the reader would refuse.
std::string MeasureText(std::string text) { return Measured(text) && !FieldNumber(text) ? std::string() : text; }

Record SavedRowTexts(const FrequencyTable& table, int row) {
  Record texts = RowTexts(table, row);
  for (int column : kMeasuredColumns) texts[column] = MeasureText(std::move(texts[column]));
  return texts;
}

std::string SaveProblem(const FrequencyTable& table, const std::vector<Record>& lines, const std::vector<int>& rows) {
  auto broken = FirstLineBreak(lines);
  if (!broken) return {};
  // Line 2, the heading, then the rows kept.
  if (broken->first < 2) return "the system's name holds a line break";
  int row = rows[broken->first - 2];
  std::string heading = table.CellGet(0, static_cast<int>(broken->second));
  return "Row " + IntegerText(row) + (heading.empty() ? "" : ", " + heading) + " holds a line break";
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

std::string ReferenceDataWrite(const FrequencyTable& table, const std::filesystem::path& file,
                               const DataConditions& conditions) {
  auto rows = ReferenceRowsKept(table);
  std::vector<Record> lines{ConditionsRecord(conditions), RowTexts(table, 0)};
  for (int row : rows) lines.push_back(SavedRowTexts(table, row));
  if (auto problem = SaveProblem(table, lines, rows); !problem.empty()) return problem;
  std::error_code error;
  std::filesystem::create_directories(file.parent_path(), error);
  if (!error && WriteRecords(file, DataTimeText(conditions.time), lines, error, kDataFileQuotes)) return {};
  return ErrorText(error) + "\r" + NotWrittenText(file) + ".";
}

std::optional<std::filesystem::path> ReferenceStationSave(const FrequencyTable& table,
                                                          const std::filesystem::path& programFolder,
                                                          const DataConditions& conditions, Messenger& messages) {
  if (ReferenceRowsKept(table).empty()) {
    messages.Show(kReferenceNothingMeasured, MessageIcon::Exclamation);
    return std::nullopt;
  }
  auto file = DataFileName(programFolder, conditions.time, kReferenceExtension);
  auto problem = ReferenceDataWrite(table, file, conditions);
  if (problem.empty()) return file;
  messages.Show("ReferenceStationSave, " + problem, MessageIcon::Exclamation);
  return std::nullopt;
}

std::optional<Record> ReferenceRowRead(std::string_view line) {
  Record fields = SplitRecord(line, 0, kDataFileQuotes);
  if (fields.size() < kColumnsSaved) return std::nullopt;
  for (int column : kMeasuredColumns)
    if (Measured(fields[column]) && !FieldNumber(fields[column])) return std::nullopt;
  return fields;
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
  auto text = ReadText(file, failure);
  if (!text) {
    // Named: the file selected long before may be gone since.
    messages.Show(std::string(failure.stage == FileStage::Open ? "ReferenceDataRecall - Open, "
                                                               : "ReferenceDataRecall - Read, ") +
                      ErrorText(failure.error) + "\r" + NotReadText(file) + ".",
                  MessageIcon::Exclamation);
    return std::nullopt;
  }
  DataFileLines lines(*text);
  auto refuse = [&](size_t number, std::optional<std::string_view> line) {
    messages.Show("ReferenceDataRecall - Read, " + TypeMismatch(number, line.value_or("")), MessageIcon::Exclamation);
    return std::nullopt;
  };
  ReferenceRecall recall;
  auto time = lines.TimeLine() ? DataTimeRead(*lines.TimeLine()) : std::nullopt;
  if (!time) return refuse(1, lines.TimeLine());
  recall.conditions.time = *time;
  if (!lines.ConditionsLine() ||
      !ConditionsRead(SplitRecord(*lines.ConditionsLine(), 0, kDataFileQuotes), recall.conditions))
    return refuse(2, lines.ConditionsLine());
  // Every row read before the table changes; then read again into it, so
  // the file is never held twice over.
  while (auto line = lines.Next())
    if (!ReferenceRowRead(line->text)) return refuse(line->number, line->text);
  RedrawPause pause(table);
  table.RowsCut(1);
  lines.Rewind();
  while (auto line = lines.Next()) RecalledRowSet(table, *ReferenceRowRead(line->text), reference);
  recall.fit = ReferenceFitStations(table);
  return recall;
}

FitSummary ReferenceDataRecompute(FrequencyTable& table, const AutoConnectSettings& settings,
                                  StationRowsServices services, const DataConditions& recalled) {
  RedrawPause pause(table);
  // Without the ship's position nothing can be predicted again.
  if (!ShipKnown(recalled)) return ReferenceFitStations(table);
  auto blocks = StationBlocks(table);
  PredictionFill fill(services.predictions, blocks.size());
  StationRows rows(table, settings, kModeReferenceData, services, recalled.ship, recalled.time);
  if (std::isfinite(recalled.sunSpotNumber)) rows.SunSpotNumberSet(recalled.sunSpotNumber);
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

UtcDateTime PredictionTime(const AutoConnectSettings& settings, UtcClock& clock) {
  return UtcAddHours(clock.Now(), settings.propagationModelTimeShift);
}

ReferenceList ReferenceListBuild(const std::filesystem::path& programFolder, const AutoConnectSettings& settings,
                                 StationRowsServices services, ReferenceFilesTold* told) {
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
      row.fit = ReferenceDataRecompute(scratch, settings, services, recall->conditions);
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
