#include "selection/ReasonColors.h"

#include <cmath>

namespace velmora {
namespace {

// A colour's byte as the share of light it gives (the screen's gamma undone).
double LinearShare(Bgr colour, int shift) {
  const double share = static_cast<double>((colour >> shift) & 0xFF) / 255.0;
  return share <= 0.04045 ? share / 12.92 : std::pow((share + 0.055) / 1.055, 2.4);
}

}  // namespace

std::optional<ReasonSlot> ReasonColors::ReasonOf(Bgr color) const {
  for (int slot = kReasonHigherFrequency; slot <= kReasonUsuallyBusy; ++slot)
    if (slots[static_cast<size_t>(slot)] == color) return static_cast<ReasonSlot>(slot);
  return std::nullopt;
}

Bgr TextColourOn(Bgr back) {
  const double luminance =
      0.2126 * LinearShare(back, 0) + 0.7152 * LinearShare(back, 8) + 0.0722 * LinearShare(back, 16);
  // Where the contrast with black, (L + 0.05) / 0.05, matches that with white, 1.05 / (L + 0.05).
  constexpr double kEvenContrast = 0.1791;
  return luminance >= kEvenContrast ? kColorBlack : kColorWhite;
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
