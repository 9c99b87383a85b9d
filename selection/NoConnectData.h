#pragma once
// No-connect data: the whole frequency table of a failed run (texts,
// alignments, colours, check boxes) kept as a ".nct" file with the ship's
// position and sunspot number, recalled in mode 5 to be looked at or tried
// again, optionally with fresh predictions.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "airmail/AutoConnectSettings.h"
#include "common/Messages.h"
#include "selection/DataConditions.h"
#include "selection/FrequencyTable.h"
#include "selection/StationRows.h"

namespace velmora {

inline constexpr std::string_view kNoConnectExtension = ".nct";

// The grid's alignment codes as the file stores them.
int AlignmentCode(CellAlign align);
std::optional<CellAlign> AlignmentOf(long long code);

// Writes the table, whole or not at all (its folder made when missing).
// Empty when written, else the problem: a cell holding a line break, by its
// row and heading, or the system's text.
std::string NoConnectDataWrite(const FrequencyTable& table, const std::filesystem::path& file,
                               const DataConditions& conditions, int mode);

// Saves the table as a new file in the Data folder; its path, or nullopt
// (told) when it failed.
std::optional<std::filesystem::path> NoConnectSave(const FrequencyTable& table,
                                                   const std::filesystem::path& programFolder,
                                                   const DataConditions& conditions, int mode, Messenger& messages);

struct NoConnectRecall {
  DataConditions conditions;
  int mode = 0;
};

// Fills the table (its columns built for mode 5) from the file, cell by
// cell into the columns it has; a check state of -1, as older files hold
// it, is a cell without a box. A file that cannot be read, or holds a
// malformed number or a line that is no row, is told and leaves the table
// as it was.
std::optional<NoConnectRecall> NoConnectDataRecall(FrequencyTable& table, const std::filesystem::path& file,
                                                   Messenger& messages);

// The predictions of the recalled rows made again, station by station, for
// the recalled ship and sunspot number (none when the ship's position was
// not known). With `difference` the "Snr" cell
// keeps the recalled figure after the new one: "new / recalled".
void NoConnectRecalculate(FrequencyTable& table, const AutoConnectSettings& settings, StationRowsServices services,
                          const DataConditions& recalled, const UtcDateTime& time, bool difference);

// The window's caption: "No Connect Data - mm/dd/yy hh:mm:ss" from the
// selected file's name, "AutoConnect" when none is selected.
std::string NoConnectCaption(std::string_view file);

}  // namespace velmora
