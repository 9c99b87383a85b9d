#pragma once
// The propagation details and hours windows of the AutoConnect window, and
// its channel occupancy window: each made when it is first asked for and
// kept, put aside whenever the frequency table is rebuilt (the station
// they show may be gone from it).
#include <memory>

#include "selection/ConfigurePorts.h"
#include "selection/StationWindows.h"
#include "selection/win32/HourGridWindows.h"
#include "selection/win32/PropagationDetailsWindow.h"

namespace velmora {

class PropagationWindows final : public StationWindows, public DependentWindows {
 public:
  // The windows stay in front of their owner, the AutoConnect window.
  PropagationWindows(HWND owner, const PropagationWindowServices& services) : owner_(owner), s_(services) {}
  // For an owner made after this object; counts for windows not made yet.
  void OwnerSet(HWND owner) { owner_ = owner; }

  void PropagationDetailsShow(std::string_view system, std::string_view station, const UtcDateTime& time) override;
  void PropagationHoursShow(std::string_view system, std::string_view station, const UtcDateTime& time) override;
  void ChannelOccupancyShow(std::string_view system, std::string_view station) override;
  // Hides them until they are asked for again.
  void DependentWindowsReset() override;
  // The AutoConnect window closes: so do these.
  void Close();

  PropagationDetailsWindow* Details() const { return details_.get(); }
  PropagationHoursWindow* Hours() const { return hours_.get(); }
  ChannelOccupancyWindow* Occupancy() const { return occupancy_.get(); }

 private:
  HWND owner_;
  PropagationWindowServices s_;
  std::unique_ptr<PropagationDetailsWindow> details_;
  std::unique_ptr<PropagationHoursWindow> hours_;
  std::unique_ptr<ChannelOccupancyWindow> occupancy_;
};

}  // namespace velmora
