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

void PropagationWindows::DependentWindowsReset() {
  if (details_) details_->Hide();
  if (hours_) hours_->Hide();
}

void PropagationWindows::Close() {
  details_.reset();
  hours_.reset();
}

}  // namespace velmora
