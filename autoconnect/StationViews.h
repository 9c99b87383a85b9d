#pragma once
// The windows that show one station of the frequency table: its predicted
// propagation in detail or over 24 hours, and its information. They are
// built elsewhere and attached to the AutoConnect window; until they are,
// the View menu's station entries and the Frequency pop-up are greyed.
#include <string>

#include "common/SystemLib.h"

namespace velmora {

struct TableStation {
  std::string system;
  std::string station;    // the station key
  std::string frequency;  // the row's frequency text, "(p3)" included
  UtcDateTime time;       // the prediction time: UTC now plus the model's time shift
};

class StationViews {
 public:
  virtual ~StationViews() = default;
  virtual void PropagationDetailsShow(const TableStation& station) = 0;
  virtual void PropagationHoursShow(const TableStation& station) = 0;
  virtual void StationInfoShow(const TableStation& station, bool beamList) = 0;
};

}  // namespace velmora
