#include "selection/StationHistoryData.h"

#include <algorithm>

#include "common/Format.h"
#include "common/ProfileFile.h"
#include "common/ProfileWriter.h"
#include "common/SystemLib.h"
#include "common/TextParse.h"

namespace velmora {

std::string StationHistorySection(std::string_view system, std::string_view station) {
  return std::string(system) + "," + std::string(station);
}

std::optional<double> StationHistoryValue(const ProfileDocument& history, std::string_view system,
                                          std::string_view station, std::string_view frequency) {
  auto text = history.Find(StationHistorySection(system, station), frequency);
  if (!text) return std::nullopt;
  auto value = ParseLeadingNumber(*text, true);
  // Values are kept as singles: one beyond their range is none a save wrote.
  if (value && !SingleHolds(*value)) return std::nullopt;
  return value;
}

void StationHistoryGet(FrequencyTable& table, const StationHistoryRows& rows, const std::filesystem::path& file,
                       const ReasonColors& colors) {
  auto history = ProfileDocument::Load(file);
  for (int row = rows.first; row <= rows.last && row < table.Rows(); ++row) {
    auto value = StationHistoryValue(history, rows.system, rows.station, table.CellGet(row, rows.frequencyColumn));
    if (!value) continue;
    double snr = table.CellValue(row, rows.snrColumn) + *value;
    table.CellSet(row, rows.snrColumn, FormatNumber(snr, "0.0"), CellAlign::Right, !rows.colour);
    if (rows.colour) table.CellColorSet(row, rows.snrColumn, colors[kReasonStationCorrection]);
    table.CellSet(row, rows.historyColumn, FormatNumber(*value, "0.0"), CellAlign::Right);
  }
}

double StationHistoryNext(double value, int outcome, const AutoConnectSettings& settings) {
  if (outcome == -1)
    return std::max(value + settings.stationHistoryBad, static_cast<double>(settings.stationHistoryMin));
  if (outcome == 1)
    return std::min(value + settings.stationHistoryGood, static_cast<double>(settings.stationHistoryMax));
  return value;
}

void StationHistoryFile::StationHistorySet(std::string_view system, std::string_view station,
                                           std::string_view frequency, int outcome) {
  // Marks already waiting were told of: a file held through a run of many
  // calls gives one box, not one per call, each holding the run up.
  const bool told = !waiting_.empty();
  waiting_.push_back({std::string(system), std::string(station), std::string(frequency), outcome});
  std::error_code error;
  if (!WaitingWrite(error) && !told)
    messenger_.Show("StationHistorySet, " + ErrorText(error) + "\r" + NotWrittenText(file_) +
                    ": the mark is written with the next one.");
}

void StationHistoryFile::StationHistoryEnd() {
  std::error_code error;
  if (!WaitingWrite(error))
    messenger_.Show("StationHistorySet, " + ErrorText(error) + "\r" + NotWrittenText(file_) + ".");
}

bool StationHistoryFile::WaitingWrite(std::error_code& error) {
  if (waiting_.empty()) return true;
  ProfileWriter writer(file_);
  for (const auto& mark : waiting_) {
    // Read from the writer: a later mark of the same frequency goes on from this one.
    double value = StationHistoryValue(writer.Document(), mark.system, mark.station, mark.frequency).value_or(0);
    value = StationHistoryNext(value, mark.outcome, settings_);
    writer.Write(StationHistorySection(mark.system, mark.station), mark.frequency,
                 ShortestSingle(static_cast<float>(value)));
  }
  if (!writer.Commit(error)) return false;
  waiting_.clear();
  return true;
}

}  // namespace velmora
