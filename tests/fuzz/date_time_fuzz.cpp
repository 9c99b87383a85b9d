// Date, time, position and number texts from stored and outside files:
// AirMail's position report and debug-log stamps, the data files' first
// line, the AutoConnect log's time, locators, latitudes and longitudes.
#include <string>

#include "airmail/DebugLogStamp.h"
#include "airmail/Locator.h"
#include "common/TextParse.h"
#include "propagation/AngleText.h"
#include "propagation/DateTimeText.h"
#include "reports/LogFileSummary.h"
#include "selection/DataConditions.h"
#include "tests/fuzz/FuzzSupport.h"

using namespace velmora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto text = fuzz::Text(data, size);
  if (auto time = DateTimeFromText(text)) CalendarDaysBetween(*time, UtcDateTime{2024, 5, 14, 8, 30, 0, 0});
  DataTimeRead(text);
  AutoConnectLogTime(text);
  DebugLogLineStamp(text);
  double angle = 0;
  LatitudeFromString(text, angle, nullptr);
  LongitudeFromString(text, angle, nullptr);
  std::string locator(text);
  LatLon position;
  GridToLatLon(locator, position, nullptr);
  ParseLeadingNumber(text, true);
  ParseInteger(text);
  ParseBoolean(text);
  FieldNumber(text);
  return 0;
}
