#pragma once
// velmora-history --occupancy FILE: the occupancy record as CSV, one line
// per station frequency and UTC hour, as the file keeps it.
#include <ostream>
#include <span>
#include <string_view>

namespace velmora {

inline constexpr std::string_view kOccupancyOption = "--occupancy";
inline constexpr const char* kOccupancyHeading = "System,Station,Frequency,Hour,Minutes Heard,Busy Percent";

// Exit status: 0 done, 1 the file (or a line of it) could not be read, 2 bad arguments.
int OccupancyListing(std::span<const std::string_view> arguments, std::ostream& out, std::ostream& err);

}  // namespace velmora
