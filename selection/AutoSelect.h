#pragma once
// AutoSelect: which of the table's (station, frequency) rows stay checked
// for listening and calling. It only unchecks boxes, removes and re-sorts
// rows, and colours cells with the reason colours whose tool-tips explain
// the choice. A station's rows are consecutive; the per-station operations
// take its first and last row.
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "airmail/AutoConnectSettings.h"
#include "selection/FrequencyTable.h"
#include "selection/ReferenceLookup.h"
#include "selection/SelectionWindow.h"
#include "selection/StationRows.h"

namespace velmora {

// The most stations one fill predicts, of those in range. AirMail's
// "Selected" list may name a thousand; their blocks go to the program
// forty to a run (200 stations of 12 frequencies: about 2 s), but a
// thousand would still keep the window busy for long. The stations left
// out are named to the user.
inline constexpr size_t kAutoSelectStationLimit = 200;
// The most items of AirMail's "Selected" list that are read.
inline constexpr size_t kSelectedStationsMax = 1001;
// The nearest stations taken when all of a system's stations are used.
inline constexpr size_t kNearestStations = 20;

// The stations of the AutoSelect table: the 20 nearest of the system that
// have a position (with "Auto Select All Stations" on, or when AirMail's
// "Selected" list is empty), else the "Selected" list in its order;
// nullopt when the station file cannot be read (told).
std::optional<std::vector<std::string>> AutoSelectStationSet(const AirmailDataFolder& data, std::string_view system,
                                                             const AutoConnectSettings& settings,
                                                             const std::optional<LatLon>& ship);

struct AutoSelectServices {
  StationRowsServices rows;
  SelectionWindow& window;
  UtcClock& clock;
};

class AutoSelect {
 public:
  AutoSelect(FrequencyTable& table, const AutoConnectSettings& settings, int mode, std::string system,
             AutoSelectServices services)
      : table_(table), settings_(settings), mode_(mode), system_(std::move(system)), s_(services) {}

  // Fills the rows of one station and selects among them; false when the
  // rows could not be filled or nothing is left to call on.
  bool AutoSelectOneStation(std::string_view station);
  // The choice among one station's filled rows [first, last], as for one
  // selected station, without the noise measurement and the final check.
  void OneStationSelect(std::string_view station, int first, int& last);
  // The same for a list of stations, then the choice across all of them.
  // Stations out of range or without a position are passed over; of the
  // others the first kAutoSelectStationLimit are predicted.
  bool AutoSelectStations(const std::vector<std::string>& stations, const LatLon& ship);

  // "Auto Select Pactor Mode" (or the scan's own): 0 keeps only Pactor 3
  // frequencies, 1 only the others, anything else all.
  void AutoSelectPactor(int first, int last, int pactorMode);
  // Fills the rows' reference cells from the selected reference data,
  // then keeps the best N by reference level.
  void AutoSelectReference(int first, int last);
  void AutoSelectSnr(int first, int last);
  // "Auto Select Busy": the rows usually busy at this hour are not called
  // (see BusyShare.h); nothing without the occupancy record.
  void AutoSelectBusy(int first, int last);
  void AutoSelectSnrTop(int first, int last);
  void AutoSelectHighest(int first, int last);
  void AutoSelectAllStations(int column, double drop);
  void AutoSelectSameFrequency();
  bool AutoSelectCheck();
  // Keeps of the station's rows only those one transceiver serves with a
  // checked row ("Station Stations"); the rows kept get the reason colour.
  void MultipleRadioReduce(std::string_view station, int first, int& last);

  // The prediction time: the present UTC time plus "Propagation Model Time Shift".
  UtcDateTime PredictionTime() const;
  StationRows RowsFor(const LatLon& ship) const;

 private:
  bool Ham() const;
  std::vector<std::string_view> StationsInRange(const std::vector<std::string>& stations, const LatLon& ship);
  void StationSelect(std::string_view station, int first, int& last);
  void Uncheck(int row);
  void ReferenceFill(int first, int last);
  Messenger& Messages() const { return s_.rows.data.Messages(); }

  FrequencyTable& table_;
  const AutoConnectSettings& settings_;
  int mode_;
  std::string system_;
  AutoSelectServices s_;
  std::optional<LatLon> ship_;
  // The reference data, read at the first station that needs it and kept
  // for the rest of the run.
  bool referenceRead_ = false;
  std::optional<ReferenceLookup> reference_;
  // The reference stations' positions, each asked for once in the run, so
  // that one without a position is told once and not at every row.
  std::map<std::pair<std::string, std::string>, std::optional<LatLon>> referencePositions_;
  // What the multiple-radio reduction told: a radio data file that cannot
  // be read is told at the first station only.
  std::set<std::string> radioDataTold_;
  // AirMail's station file, read once for the transceiver filter of every station.
  StationFileCache stations_;
};

}  // namespace velmora
