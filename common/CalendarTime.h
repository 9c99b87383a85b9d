#pragma once
// A moment on the system clock as calendar fields, in local time or UTC:
// the C library's thread-safe conversions differ by platform.
#include <ctime>

namespace velmora {

std::tm LocalCalendarTime(std::time_t moment);
std::tm UtcCalendarTime(std::time_t moment);

}  // namespace velmora
