#pragma once
// What the waterfall says in words: the read-out under the mouse and the
// tool-tip that explains its colours.
#include <string>
#include <string_view>

#include "display/DisplayViews.h"
#include "display/WaterfallHistory.h"

namespace velmora {

std::string_view VerdictName(VerdictKind kind);  // "Busy", "Noise", "Free", "No Input"

// Seconds of signal in one row: one buffer of 2 · bins samples.
double SecondsPerRow(const WaterfallHistory& history);

// Status panel 2 over the waterfall: the frequency as the spectrum's
// read-out gives it, how long ago that row was and its verdict, for
// example "1701 (Hz),  12.3 (Sec) ago,  Busy".
std::string WaterfallReadout(const SpectrumView& view, const WaterfallHistory& history, int x, int y);

std::string WaterfallTip(bool colour);

}  // namespace velmora
