#include "selection/win32/PropagationWindows.h"

namespace velmora {

void PropagationWindows::PropagationDetailsShow(std::string_view system, std::string_view station,
                                                const UtcDateTime& time) {
  if (!details_) details_ = std::make_unique<PropagationDetailsWindow>(owner_, s_);
  details_->Update(system, station, time);
}

void PropagationWindows::PropagationHoursShow(std::string_view system, std::string_view station,
                                              const UtcDateTime& time) {
  if (!hours_) hours_ = std::make_unique<PropagationHoursWindow>(owner_, s_);
  hours_->Update(system, station, time);
}

void PropagationWindows::ChannelOccupancyShow(std::string_view system, std::string_view station) {
  if (!occupancy_) occupancy_ = std::make_unique<ChannelOccupancyWindow>(owner_, s_);
  occupancy_->Update(system, station);
}

void PropagationWindows::DependentWindowsReset() {
  if (details_) details_->Hide();
  if (hours_) hours_->Hide();
  if (occupancy_) occupancy_->Hide();
}

void PropagationWindows::Close() {
  details_.reset();
  hours_.reset();
  occupancy_.reset();
}

}  // namespace velmora
