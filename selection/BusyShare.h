#pragma once
// The occupancy record as the frequency table uses it: the busy share of a
// station's frequency at the present UTC hour in the "Busy" column, its
// tool-tip, and AutoSelect's "Busy" rule, which deselects for calling the
// frequencies that are usually busy at this hour.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "airmail/AutoConnectSettings.h"
#include "common/Messages.h"
#include "selection/FrequencyTable.h"
#include "selection/SelectionPorts.h"
#include "selection/StationOccupancy.h"

namespace velmora {

// Under a minute heard says nothing yet: the cell stays empty.
inline constexpr double kBusyShownSeconds = 60;

// The record at the present hour, each entry as it counts today.
struct OccupancyNow {
  const StationOccupancy& record;
  int hour = 0;  // UTC
  OccupancyDay today{};
  double halfLifeDays = 30;

  // Nullopt when the frequency was never heard at this hour (or is forgotten).
  std::optional<OccupancyEntry> At(std::string_view system, std::string_view station,
                                   std::string_view frequency) const;
};

// Where a table fill finds the record: read when it is first wanted.
class OccupancySource {
 public:
  virtual ~OccupancySource() = default;
  // Nullptr when there is nothing to show (the file could not be read).
  virtual const OccupancyNow* OccupancyAtThisHour() = 0;
};

// The record of "StationOccupancyData.txt", read again only when the file
// changed since the last read (or could not be read then), so a fill of
// many stations reads it once and a problem in it is told once.
class OccupancyFile final : public OccupancySource {
 public:
  OccupancyFile(std::filesystem::path file, const AutoConnectSettings& settings, UtcClock& clock,
                Messenger& messenger)
      : file_(std::move(file)), settings_(settings), clock_(clock), messenger_(messenger) {}
  OccupancyFile(const OccupancyFile&) = delete;
  OccupancyFile& operator=(const OccupancyFile&) = delete;

  const OccupancyNow* OccupancyAtThisHour() override;

 private:
  struct Stamp {
    bool exists = false;
    std::filesystem::file_time_type written{};
    std::uintmax_t size = 0;
    bool operator==(const Stamp&) const = default;
  };
  Stamp StampOf() const;

  std::filesystem::path file_;
  const AutoConnectSettings& settings_;  // the half-life
  UtcClock& clock_;
  Messenger& messenger_;
  std::optional<Stamp> read_;
  StationOccupancy record_;
  std::optional<OccupancyNow> now_;
};

// Minutes heard: "0.5" below ten, "42" above.
std::string OccupancyMinutesText(double seconds);
// "73": the busy per cent; empty under a minute heard.
std::string BusyCellText(const OccupancyEntry& entry);
// "Busy 73% of 42 Minutes Heard at 14 UTC, Last Heard 3 Days Ago".
std::string BusyToolTipText(const OccupancyEntry& entry, int hour, OccupancyDay today);

// The "Busy" cells of rows [first, last] and the tool-tips behind them.
void BusyCellsFill(FrequencyTable& table, int first, int last, std::string_view system, const OccupancyNow& now);

struct BusyRule {
  const OccupancyNow& now;
  std::string_view system;
  double thresholdPercent = 50;  // "Auto Select Busy Threshold"
  double minimumMinutes = 10;    // "Auto Select Busy Minutes"; never under the column's minute
  Bgr colour = 0;                // the reason colour of the rows deselected
};

// Of a station's rows [first, last], unchecks "Tx Connect" where the share
// heard at this hour is above the threshold, with at least the minimum
// heard, and colours the cell. A station left with nothing to call keeps
// the least busy of its rows (the first of equals).
void AutoSelectBusy(FrequencyTable& table, int first, int last, const BusyRule& rule);

}  // namespace velmora
