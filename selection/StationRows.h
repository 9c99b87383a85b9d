#pragma once
// A station's rows of the frequency table: one per frequency of its list,
// then filled with range, azimuth, the prediction for the moment and the
// station's offset and history corrections.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>
#include <string_view>

#include "airmail/AirmailProfile.h"
#include "airmail/AutoConnectSettings.h"
#include "airmail/StationFile.h"
#include "selection/FrequencyTable.h"
#include "selection/BusyShare.h"
#include "selection/SelectionPorts.h"
#include "selection/StationOffsets.h"

namespace velmora {

// The LUF-MUF cell: the MUF when the frequency lies between LUF and MUF,
// else "> " and the MUF above it or "< " and the LUF below it, the number
// padded with three blanks for each character it is shorter than 7.
std::string LufMufText(double frequency, double luf, double muf);

// The Layer cell: the mode text, " 2F2", between two blanks either side.
std::string LayerText(std::string_view mode);

struct StationRowsServices {
  PredictionSource& predictions;
  StationGeometry& geometry;
  const AirmailDataFolder& data;
  std::filesystem::path programFolder;  // where the offset and history files live
  const ReasonColors& colors;
  // The occupancy record, for the "Busy" column and rule; none leaves
  // the "Busy" cells empty.
  OccupancySource* occupancy = nullptr;
};

// The rows of the stations of one table fill, all predicted for one moment
// from one ship position.
class StationRows {
 public:
  StationRows(FrequencyTable& table, const AutoConnectSettings& settings, int mode, StationRowsServices services,
              const LatLon& ship, const UtcDateTime& time)
      : table_(table), settings_(settings), mode_(mode), s_(services), ship_(ship), time_(time) {}

  // Appends a row per frequency of the station's list, both boxes checked,
  // with its busy share; false (reported) when the station has no
  // frequency. `first` and `last` are the rows added.
  bool StationRowsAdd(std::string_view system, std::string_view station, int& first, int& last);

  // Range, azimuth and prediction cells of rows [first, last], then the
  // offsets and history when they are switched on; false (reported) when
  // the station's position or the prediction cannot be had.
  bool StationRowsFill(std::string_view system, std::string_view station, int first, int last);

  bool StationRowsAddAndFill(std::string_view system, std::string_view station, int& first, int& last) {
    return StationRowsAdd(system, station, first, last) && StationRowsFill(system, station, first, last);
  }

  // Tells the predictions what StationRowsFill will ask for these
  // stations. Read quietly: a station whose list or position cannot be had
  // ends the stations told, and its own fill says why.
  void StationRowsAhead(std::string_view system, const std::vector<std::string_view>& stations);

  // The frequency column of this mode's rows.
  int FrequencyColumnOf() const;

  // Predictions made with this sunspot number instead of today's.
  void SunSpotNumberSet(float number) { sunSpotNumber_ = number; }

 private:
  void PredictionWrite(int row, const PredictionNow& prediction, size_t index, double frequency);
  void CorrectionsApply(std::string_view system, std::string_view station, int first, int last, double azimuth);

  FrequencyTable& table_;
  const AutoConnectSettings& settings_;
  int mode_;
  StationRowsServices s_;
  LatLon ship_;
  UtcDateTime time_;
  std::optional<float> sunSpotNumber_;
  // Read once per fill (and system), so a problem with the file or a
  // station name in it is told once.
  std::optional<std::vector<StationOffsetRecord>> offsets_;
  std::string offsetsSystem_;
  // AirMail's station file, read once for the rows of every station.
  StationFileCache stations_;
};

}  // namespace velmora
