#pragma once
// What the readers of the program's logs take from a record, which the
// writers keep to, so that every record written reads back as written.
#include <cstddef>

namespace velmora {

// A log line longer than this is read cut to this length.
inline constexpr std::size_t kLongestLogLine = 64 * 1024;

// A figure of a record (seconds, counts, decibels) past this size either
// way is none a run can have: sums of such figures would overflow.
inline constexpr double kLargestLogFigure = 1e12;

}  // namespace velmora
