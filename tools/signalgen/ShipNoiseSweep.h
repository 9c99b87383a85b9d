#pragma once
// --sweep-ship: what each detector makes of the boat's own interference
// (ShipNoise.h) at a few ratios over the channel's noise, the detector
// options off and on. The seeds the figures may be looked at while choosing
// (1, 2) are kept apart from those that only measure (21 to 24).
#include <cstdint>
#include <iosfwd>

namespace velmora::signalgen {

void RunShipNoiseSweep(double seconds, std::int32_t sampleSize, std::ostream& out);

}  // namespace velmora::signalgen
