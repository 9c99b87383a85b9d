#include "common/UtcAddHours.h"

#include <algorithm>
#include <chrono>
#include <cmath>

namespace velmora {

UtcDateTime UtcAddHours(const UtcDateTime& time, double hours) {
  using namespace std::chrono;
  using Moment = sys_time<milliseconds>;
  const Moment first{sys_days{year{1} / January / 1}};
  const Moment last{sys_days{year{10000} / January / 1} - milliseconds(1)};
  // Ten thousand years of hours, as milliseconds, still fit the count.
  constexpr double kMostHours = 10000 * 366 * 24.0;
  if (!std::isfinite(hours)) hours = 0;
  hours = std::clamp(hours, -kMostHours, kMostHours);

  sys_days day{year{time.year} / month{static_cast<unsigned>(time.month)} / static_cast<unsigned>(time.day)};
  auto at = Moment(day) + std::chrono::hours(time.hour) + minutes(time.minute) + seconds(time.second) +
            milliseconds(time.millisecond) + milliseconds(std::llround(hours * 3600000.0));
  at = std::clamp(at, first, last);
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
