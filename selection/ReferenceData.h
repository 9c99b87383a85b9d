#pragma once
// Reference data: the received levels measured on reference stations in
// mode 3, saved beside their predictions as a ".ref" file, recalled into
// the table of mode 4 and fitted against the predictions ("Fit Err", "Fit
// Rms"), optionally with the predictions made again.
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "airmail/AutoConnectSettings.h"
#include "common/Messages.h"
#include "selection/DataConditions.h"
#include "selection/FrequencyTable.h"
#include "selection/StationRows.h"

namespace velmora {

inline constexpr std::string_view kReferenceExtension = ".ref";

// The first and last row of each run of rows of one station.
struct RowBlock {
  int first = 1, last = 0;
};
std::vector<RowBlock> StationBlocks(const FrequencyTable& table);

// One station's fit: the rows that had both a reference level and a
// prediction, and the spread of their errors about the mean.
struct ReferenceFit {
  int matched = 0;
  double rms = 0;
};

// The fit of many stations: matched rows summed, RMS over the stations
// that had a matched row.
struct FitSummary {
  int matched = 0;
  double rms = 0;
  int stations = 0;
};

class FitTotal {
 public:
  void Add(const ReferenceFit& fit);
  void Add(const FitSummary& summary);
  FitSummary Summary() const;

 private:
  int matched_ = 0;
  int stations_ = 0;
  double squares_ = 0;
};

// The rows a save keeps: those measured (a "Ref", "Rx Pwr" or "Rx Snr"),
// and a row of the same station right above or below one. None when
// nothing was measured.
std::vector<int> ReferenceRowsKept(const FrequencyTable& table);

// Writes the table's kept rows, whole or not at all, to the file (its
// folder made when missing); a measured cell that holds no number ("NaN")
// is written empty, as not known. Empty when written, else the problem: a
// cell holding a line break, by its row and heading, or the system's text.
std::string ReferenceDataWrite(const FrequencyTable& table, const std::filesystem::path& file,
                               const DataConditions& conditions);

inline constexpr const char* kReferenceNothingMeasured =
    "ReferenceStationSave, The table holds no measured Reference Station Data.";

// Saves the measurements of the run started at conditions.time as a new
// file in the Data folder; its path, or nullopt (told) when it failed or
// the table holds no measured row.
std::optional<std::filesystem::path> ReferenceStationSave(const FrequencyTable& table,
                                                          const std::filesystem::path& programFolder,
                                                          const DataConditions& conditions, Messenger& messages);

// A row of a reference file: a field for every column of the table, the
// measured ones ("Rx Pwr", "Rx Snr", "Ref") numbers or empty; nullopt for
// a line that is no row.
std::optional<Record> ReferenceRowRead(std::string_view line);

// Fits rows [first, last] of one station: the error of each row with a
// reference level and a prediction into "Fit Err", the station's RMS into
// "Fit Rms" of every row. No matched row gives an RMS of 0.
ReferenceFit ReferenceStationFit(FrequencyTable& table, int first, int last);
// Fits every station of the table.
FitSummary ReferenceFitStations(FrequencyTable& table);

struct ReferenceRecall {
  DataConditions conditions;
  FitSummary fit;
};

// Fills the table (its columns built for mode 4) from the file and fits
// each station. "Ref" is taken from "Rx Snr" (reference 0) or "Rx Pwr" (1).
// A file that cannot be read, or holds a malformed number or a line that is
// no row, is told and leaves the table as it was.
std::optional<ReferenceRecall> ReferenceDataRecall(FrequencyTable& table, const std::filesystem::path& file,
                                                   int reference, Messenger& messages);

// The predictions of every station's rows made again for the recalled
// ship and sunspot number at the recalled time, and the fit again: the
// measurements are fitted against the hour and month they were taken in.
// Stations whose prediction fails keep their old figures and are left out
// of the fit; a file that did not know the ship's position is fitted as it
// stands.
FitSummary ReferenceDataRecompute(FrequencyTable& table, const AutoConnectSettings& settings,
                                  StationRowsServices services, const DataConditions& recalled);

// The fit label: the RMS, or after a recomputation with the difference
// shown, the new RMS, " / " and the recalled one.
std::string FitRmsText(double rms, std::optional<double> original = std::nullopt);

// One saved file in the list of mode 4.
struct ReferenceListRow {
  std::string name;  // without ".ref"
  FitSummary fit;
  std::optional<double> original;  // the fit as recalled, when recomputed
};

struct ReferenceList {
  std::vector<ReferenceListRow> rows;
  FitSummary allFiles;  // every file's stations in one fit
};

// The files of the list that could not be read, each with its time when it
// was told: told once, and again only when it has changed.
using ReferenceFilesTold = std::map<std::filesystem::path, std::filesystem::file_time_type>;

// The moment the reference stations and a recalculated no-connect table are
// predicted for: now, moved by "Propagation Model Time Shift", as every
// other prediction is.
UtcDateTime PredictionTime(const AutoConnectSettings& settings, UtcClock& clock);

// Every "*.ref" of the Data folder by name, recalled and fitted; with
// "Reference Data Recompute" fitted against fresh predictions for each
// file's own time, the recalled fit kept as the original. Files that cannot
// be read are told (with `told`, once each) and left out.
ReferenceList ReferenceListBuild(const std::filesystem::path& programFolder, const AutoConnectSettings& settings,
                                 StationRowsServices services, ReferenceFilesTold* told = nullptr);

// The working grid's texts for the list: the heading row, then a row per file.
std::vector<Record> ReferenceListTable(const ReferenceList& list, const AutoConnectSettings& settings);

}  // namespace velmora
