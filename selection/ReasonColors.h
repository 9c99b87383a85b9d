#pragma once
// The back colours of the frequency table that explain a choice: slot 0
// marks the frequency being called, slots 1 to 8 the reasons AutoSelect and
// the station corrections give. Colours are stored as the platform stores
// them, blue in the high byte and red in the low one.
#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace velmora {

using Bgr = std::uint32_t;

inline constexpr Bgr kColorWhite = 0xFFFFFF;
inline constexpr Bgr kColorBlack = 0x000000;

enum ReasonSlot : int {
  kReasonConnecting = 0,
  kReasonHigherFrequency = 1,
  kReasonNoisy = 2,
  kReasonNotBusy = 3,
  kReasonSameFrequency = 4,
  kReasonBusy = 5,
  kReasonStationCorrection = 6,
  kReasonMultipleRadios = 7,
  kReasonUsuallyBusy = 8,  // AutoSelect's "Busy": the channel's share at this hour
};

struct ReasonColors {
  std::array<Bgr, 9> slots = {0x80FF80, 0x80C0FF, 0x8080FF, 0x80FF80, 0xFF00FF,
                              0x80FFFF, 0xFFFF00, 0xFF8080, 0x60A0E0};

  Bgr operator[](ReasonSlot slot) const { return slots[static_cast<size_t>(slot)]; }
  // The reason (1 to 8) a back colour stands for, the lowest slot first;
  // the connecting colour alone explains nothing.
  std::optional<ReasonSlot> ReasonOf(Bgr color) const;
};

// Black or white, whichever reads better on the back colour: black on the
// light colours the program gives, white on a dark one (a no-connect
// snapshot recalled from its file may hold any colour).
Bgr TextColourOn(Bgr back);

// What the tool-tip says over a cell of the slot's colour; empty for slot 0
// and for slot 6, whose text is built from the station's corrections.
std::string_view ReasonToolTip(ReasonSlot slot);

}  // namespace velmora
