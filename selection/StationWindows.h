#pragma once
// The windows that show one station of the frequency table in more depth,
// opened from the AutoConnect window's View menu and the table's pop-up
// menu for the station of the current row. The time is the prediction
// time of the table: the present UTC time plus "Propagation Model Time Shift".
#include <string_view>

#include "common/SystemLib.h"

namespace velmora {

class StationWindows {
 public:
  virtual ~StationWindows() = default;
  // "Station Propagation Detailed...": the station's rows with every
  // additional propagation column, predicted for `time`; its caption shows
  // the time.
  virtual void PropagationDetailsShow(std::string_view system, std::string_view station, const UtcDateTime& time) = 0;
  // "Station Propagation 24 Hour...": the SNR of each of the station's
  // frequencies for every hour of the day of `time`'s month.
  virtual void PropagationHoursShow(std::string_view system, std::string_view station, const UtcDateTime& time) = 0;
  // "Station Channel Occupancy...": how busy each of the station's
  // frequencies has been at every hour of the day.
  virtual void ChannelOccupancyShow(std::string_view system, std::string_view station) {}
};

}  // namespace velmora
