#pragma once
// The grids of the AutoConnect options dialog as rows of cell texts: the
// station antenna offsets ("StationOffsetData.txt"), the station radios
// ("StationRadioData.txt") and the station history
// ("StationHistoryData.txt"). Each is read into its rows when the dialog
// opens; on Apply every cell is checked and the file's new text read back
// before anything is written, so what is written reads back as shown.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "airmail/AirmailProfile.h"
#include "common/Messages.h"
#include "common/TextFileLines.h"

namespace velmora {

using GridRow = std::vector<std::string>;
using GridRows = std::vector<GridRow>;

inline constexpr const char* kOffsetGridHeaders[] = {"System", "Station", "Frequency", "Offset",
                                                     "Ant Bw", "Ant Az",  "Start",     "Stop"};
inline constexpr const char* kHistoryGridHeaders[] = {"System", "Station", "Frequency", "Offset"};
inline constexpr const char* kRadioGridHeaders[] = {"System", "Station", "Tx Rc", "Frequency"};
// A history row keeps the file's own text of its value after the cells it
// shows: a value nobody edited is written back as it was, not as shown.
inline constexpr size_t kHistoryValueText = std::size(kHistoryGridHeaders);

// Frequency labels as a cell shows them: ", " between them.
std::string LabelsCell(const std::vector<std::string>& labels);
// A cell's labels, however the user separated them (",", blanks or both).
std::vector<std::string> CellLabels(std::string_view cell);

// A file's content as a grid read or wrote it, to tell whether something
// else changed it since (a value written again as it was is no change).
struct FileStamp {
  std::uintmax_t size = 0;
  std::size_t hash = 0;
  bool operator==(const FileStamp&) const = default;
  static FileStamp Of(std::string_view content) {
    return {content.size(), std::hash<std::string_view>{}(content)};
  }
};

// A grid's rows as read from its file, and what of the file they leave
// out: the lines from a read error on, lines the grid cannot show, or the
// whole file when it could not be read. Writing the rows drops those.
struct GridRecall {
  GridRows rows;
  std::vector<std::string> dropped;  // "Line 7: ..." each
  std::optional<FileStamp> stamp;    // the content read; none when there was no file to read
};

// A grid file's lines (up to `limit` bytes, cut into lines by `split`) and in `recall` the stamp of what was read; a missing file is
// none. A file that cannot be read is told as "<recallName> - Open, " (or
// "Read, ") and left out whole.
std::optional<std::vector<std::string>> GridLines(const std::filesystem::path& file, const std::string& recallName,
                                                  GridRecall& recall, Messenger& messages, size_t limit,
                                                  std::vector<std::string> (*split)(std::string_view) = SplitLines);

// Each reads its file's rows; a missing file is no rows. A file that cannot
// be opened or read is reported as "<name> - Open, " or "<name> - Read, " +
// the description; the offsets and radio grids stop at a line that is no
// record, report it so and keep the rows read before it.
GridRecall OffsetGridRecall(const std::filesystem::path& file, Messenger& messages);
GridRecall RadioGridRecall(const std::filesystem::path& file, Messenger& messages);
GridRecall HistoryGridRecall(const std::filesystem::path& file, Messenger& messages);

// Each checks every cell and makes the file's new text, read back before it
// is returned: a cell refused, or one that would not read back as typed, is
// reported with its row (from 1) and column, and gives nullopt.
std::optional<std::string> OffsetGridText(const GridRows& rows, Messenger& messages);
std::optional<std::string> RadioGridText(const GridRows& rows, Messenger& messages);
std::optional<std::string> HistoryGridText(const GridRows& rows, Messenger& messages);

// Writes the text whole, or tells "<operation>, " + the description and
// leaves the file as it was.
bool GridFileWrite(const std::filesystem::path& file, std::string_view text, std::string_view operation,
                   Messenger& messages);

// Before a grid is written over a file it did not read whole: asks (Yes/No)
// "<operation>, <file name> was not read whole" and the lines the write
// would drop; true to write. Nothing dropped asks nothing.
bool GridDropAsk(std::string_view operation, const std::filesystem::path& file,
                 const std::vector<std::string>& dropped, Messenger& messages);


// Before a grid is written over a file that changed since the grid was read
// from it (a run's outcome in the history, another program): asks (Yes/No)
// "<operation>, <file name> was changed since it was shown"; true to write.
// A file unchanged, or gone, asks nothing.
bool GridChangedAsk(std::string_view operation, const std::filesystem::path& file,
                    const std::optional<FileStamp>& shown, Messenger& messages);

// Deletes one of the data files ("Reset"); a missing one is no failure. A
// failed delete tells "<operation>, Unable to delete "<path>"", CR and the
// system's error text.
bool DataFileDelete(const std::filesystem::path& file, std::string_view operation, Messenger& messages);

// "Check": asks (Yes/No) about each frequency of a row that its station's
// "[Frequency List]" does not hold, a SAILMAIL station found by its name
// too; No ends the check. A system whose station file cannot be read is
// told once, "OffsetDataCheck, Unable to open" (or "read") and its rows
// are passed over.
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
// "FreqList.rtf" ("mm/dd/yyyy" as the user's clock reads it, or "n/a"),
// with source 1 also ", " and the date of "StationRadioData.txt".
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
