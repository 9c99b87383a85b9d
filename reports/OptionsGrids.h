#pragma once
// The grids of the AutoConnect options dialog as rows of cell texts: the
// station antenna offsets ("StationOffsetData.txt"), the station radios
// ("StationRadioData.txt") and the station history
// ("StationHistoryData.txt"). Each is read into its rows when the dialog
// opens and, on Apply, checked cell by cell and written whole or not at all.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "airmail/AirmailProfile.h"
#include "common/Messages.h"

namespace velmora {

using GridRow = std::vector<std::string>;
using GridRows = std::vector<GridRow>;

inline constexpr const char* kOffsetGridHeaders[] = {"System", "Station", "Frequency", "Offset",
                                                     "Ant Bw", "Ant Az",  "Start",     "Stop"};
inline constexpr const char* kHistoryGridHeaders[] = {"System", "Station", "Frequency", "Offset"};
inline constexpr const char* kRadioGridHeaders[] = {"System", "Station", "Tx Rc", "Frequency"};

// Frequency labels as a cell shows them: ", " between them.
std::string LabelsCell(const std::vector<std::string>& labels);
// A cell's labels, however the user separated them (",", blanks or both).
std::vector<std::string> CellLabels(std::string_view cell);

// Each reads its file's rows; a missing file is no rows, a file that
// cannot be opened or read is reported as "<name> - Open, " or
// "<name> - Read, " + the description, and gives no rows.
GridRows OffsetGridRecall(const std::filesystem::path& file, Messenger& messages);
GridRows RadioGridRecall(const std::filesystem::path& file, Messenger& messages);
GridRows HistoryGridRecall(const std::filesystem::path& file, Messenger& messages);

// Each checks every cell and writes the file whole; a bad cell is reported
// with its row (from 1) and column, a failed write with its description,
// and either leaves the file as it was.
bool OffsetGridSave(const std::filesystem::path& file, const GridRows& rows, Messenger& messages);
bool RadioGridSave(const std::filesystem::path& file, const GridRows& rows, Messenger& messages);
bool HistoryGridSave(const std::filesystem::path& file, const GridRows& rows, Messenger& messages);

// "Check": asks (Yes/No) about each frequency of a row that its station's
// "[Frequency List]" does not hold, a SAILMAIL station found by its name
// too; No ends the check.
void OffsetGridCheck(const GridRows& rows, const AirmailDataFolder& data, Messenger& messages);

// What an offsets cell's in-place editor offers: the data folder's systems
// (column 0), the row's system's stations by display name (1), the row's
// station's frequency labels (2); nothing for the number columns, which
// take a text box. A file that cannot be read offers nothing.
std::vector<std::string> OffsetCellChoices(const GridRow& row, size_t column, const AirmailDataFolder& data);

// The station radio rows as AirMail's "System.HAM.ini" gives them: one row
// per station and ";"-group of its "[Frequency List]", numbered from 1. A
// file that cannot be opened or read is reported.
std::optional<GridRows> RadioGridFromHamGroups(const AirmailDataFolder& data, Messenger& messages);

// The Stations page's label: "Last Modified:  " and the date of
// "FreqList.rtf" ("mm/dd/yyyy", or "n/a"), with source 1 also ", " and the
// date of "StationRadioData.txt".
std::string LastModifiedLabel(const std::filesystem::path& freqList, const std::filesystem::path& radioData,
                              int source);
// "FreqList.rtf" changed since "StationRadioData.txt" was made (or there
// is none yet).
bool RadioDataOutOfDate(const std::filesystem::path& freqList, const std::filesystem::path& radioData);
// The station radio rows as "FreqList.rtf" gives them: one row per HAM
// station and transceiver heading. An unreadable file is reported as
// "StationsFileUpdate - Open, " or "- Read, " + the description.
std::optional<GridRows> RadioGridFromFreqList(const std::filesystem::path& freqList, Messenger& messages);

// The transceivers of two sources compared station by station and
// transceiver by transceiver, labels as text; each difference is asked
// about (Yes/No): "Missing Station " + station, "Missing Data for Station "
// + station + " and TxRc " + n, "Different Frequency Data for Station " +
// station + " and TxRc " + n, each ending CR, CR, "Would you like to
// continue checking?". No ends the comparison.
void RadioSourcesCompare(const GridRows& first, const GridRows& second, Messenger& messages);

// The difference view's two tables: each row of the first takes away the
// first row of the second with the same system, station and "Tx Rc", and
// itself; what is left of each is its differences, or one row reading
// "No Errors".
struct RadioDifferences {
  GridRows first, second;
};
RadioDifferences RadioSourcesDifference(GridRows first, GridRows second);

}  // namespace velmora
