#pragma once
// "StationOffsetData.txt": fixed SNR corrections per station and frequency,
// shaped by the station antenna's beam and a daily time window, and how
// they are added to the SNR cells of a station's rows.
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "airmail/AirmailProfile.h"
#include "common/TextFileLines.h"
#include "selection/FrequencyTable.h"

namespace velmora {

inline constexpr const char* kStationOffsetDataFile = "StationOffsetData.txt";
inline constexpr const char* kStationOffsetHeading =
    "System,Station,Frequency,Snr Offset dB,Antenna 3 dB Beamwidth,Mainbeam Azimuth,Start Time Zulu,Stop Time Zulu";

struct StationOffsetRecord {
  std::string system;
  std::string station;      // the call sign; for SAILMAIL the file may give the station's name instead
  std::string frequencies;  // frequency texts as the table shows them, one blank between them
  float offset = 0;         // dB
  float beamwidth = 360;    // degrees at the 3 dB points; 360 is omnidirectional
  float mainbeam = 0;       // degrees
  int start = 0;            // hhmm Zulu
  int stop = 2400;          // hhmm Zulu

  bool operator==(const StationOffsetRecord&) const = default;
};

struct OffsetDataFailure {
  FileStage stage = FileStage::Open;
  std::string description;
};

// The records of the file. The first line is the heading unless it reads as
// a record (a file written by hand may start with one). A field in double
// quotes may hold "," (a SAILMAIL station's name does). A field that should
// be a number and is not, or is one beyond its type's range, makes the whole
// file a read failure; of the stop time, the rest of the line, only its
// leading number counts.
std::optional<std::vector<StationOffsetRecord>> StationOffsetDataRead(const std::filesystem::path& file,
                                                                      OffsetDataFailure& failure);

// The records of the file's lines up to the first line that is none, and
// that line's index: what the file holds up to a read error.
struct StationOffsetLines {
  std::vector<StationOffsetRecord> records;
  std::optional<size_t> bad;
};
StationOffsetLines StationOffsetLinesRead(std::span<const std::string> lines);

// The file's text: the heading and the records; numbers always with ".",
// whatever the user's number format, and a text holding "," in double quotes.
std::string StationOffsetDataText(const std::vector<StationOffsetRecord>& records);

// The frequency texts of a record's third field.
std::vector<std::string> OffsetFrequencies(std::string_view field);

// Whether the daily window from start to stop (hhmm, wrapping past
// midnight when start > stop) holds the time; never when start = stop.
bool OffsetWindowHolds(int start, int stop, int hhmm);

// The loss in dB towards `azimuth` of an antenna with this beamwidth aimed at
// `mainbeam`: 3 dB at the beam's edge, 20 dB straight behind, none at all
// for a beamwidth of 360.
double BeamLoss(double beamwidth, double mainbeam, double azimuth);

struct StationOffsetRows {
  std::string_view system;
  std::string_view station;  // the call sign
  int first = 1, last = 0;
  double azimuth = 0;  // at the station, towards the ship
  int hhmm = 0;        // the prediction time
  int frequencyColumn = 0, snrColumn = 0, offsetColumn = 0;
  bool colour = true;  // the reason colour on changed SNR cells, else bold
  int mode = 0;
  bool reportUnmatched = true;  // tell of a record's frequencies the rows do not have
};

// The records of `system` for a table fill, read once for all its stations,
// each record's station as a call sign: a SAILMAIL station's name is
// converted once per read, and one that names no station is reported once
// and its records left out. A missing file is no offsets; a file that
// cannot be opened or read is reported and gives no offsets either.
std::vector<StationOffsetRecord> StationOffsetDataGet(const std::filesystem::path& file, std::string_view system,
                                                      const AirmailDataFolder& data);

// Adds every offset of the station that applies to the rows to their SNR
// and writes offset less beam loss into the offset column. Frequencies of a
// record that the rows do not have are reported.
void StationOffsetGet(FrequencyTable& table, const StationOffsetRows& rows,
                      const std::vector<StationOffsetRecord>& records, Messenger& messenger,
                      const ReasonColors& colors);

}  // namespace velmora
