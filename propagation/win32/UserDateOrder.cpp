#include "propagation/win32/UserDateOrder.h"

#include <windows.h>

namespace velmora {

DateOrder UserDateOrder() {
  char pattern[128] = {};
  if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, pattern, sizeof pattern) == 0)
    return DateOrder::MonthDayYear;
  return DateOrderFromPattern(pattern);
}

}  // namespace velmora
