#include <chrono>
#include <cmath>

#include "common/UtcAddHours.h"

namespace velmora {

UtcDateTime UtcAddHours(const UtcDateTime& time, double hours) {
  using namespace std::chrono;
  sys_days day{year{time.year} / month{static_cast<unsigned>(time.month)} / static_cast<unsigned>(time.day)};
  auto at = sys_time<milliseconds>(day) + std::chrono::hours(time.hour) + minutes(time.minute) +
            seconds(time.second) + milliseconds(time.millisecond) +
            milliseconds(std::llround(hours * 3600000.0));
  auto date = floor<days>(at);
  year_month_day ymd{date};
  hh_mm_ss clock{at - date};
  return {static_cast<int>(ymd.year()),
          static_cast<int>(static_cast<unsigned>(ymd.month())),
          static_cast<int>(static_cast<unsigned>(ymd.day())),
          static_cast<int>(clock.hours().count()),
          static_cast<int>(clock.minutes().count()),
          static_cast<int>(clock.seconds().count()),
          static_cast<int>(clock.subseconds().count())};
}

}  // namespace velmora
