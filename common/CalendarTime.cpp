#include "common/CalendarTime.h"

namespace velmora {

std::tm LocalCalendarTime(std::time_t moment) {
  std::tm tm{};
#ifdef _WIN32
  localtime_s(&tm, &moment);
#else
  localtime_r(&moment, &tm);
#endif
  return tm;
}

std::tm UtcCalendarTime(std::time_t moment) {
  std::tm tm{};
#ifdef _WIN32
  gmtime_s(&tm, &moment);
#else
  gmtime_r(&moment, &tm);
#endif
  return tm;
}

}  // namespace velmora
