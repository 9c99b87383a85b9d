#include "selection/ReasonColors.h"

namespace velmora {

std::optional<ReasonSlot> ReasonColors::ReasonOf(Bgr color) const {
  for (int slot = kReasonHigherFrequency; slot <= kReasonUsuallyBusy; ++slot)
    if (slots[static_cast<size_t>(slot)] == color) return static_cast<ReasonSlot>(slot);
  return std::nullopt;
}

std::string_view ReasonToolTip(ReasonSlot slot) {
  switch (slot) {
    case kReasonHigherFrequency: return "Selected Higher Frequency";
    case kReasonNoisy: return "Frequency was Noisy";
    case kReasonNotBusy: return "Frequency was Not Busy";
    case kReasonSameFrequency: return "Same Frequency is being used by Multiple Stations";
    case kReasonBusy: return "Frequency was Busy";
    case kReasonMultipleRadios: return "Reduced Frequency List, Station supports Multiple Radios";
    case kReasonUsuallyBusy: return "Frequency is Usually Busy at this Hour";
    default: return {};
  }
}

}  // namespace velmora
