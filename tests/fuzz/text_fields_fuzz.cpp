// Short texts, each read as every field parser takes it: command lines
// (the program's own "/connect", and the arguments of velmora-predict,
// velmora-analyse and velmora-history, the input cut at NULs), their times,
// the date, time, position and number texts of stored and outside files
// (AirMail's position report and debug-log stamps, the data files' first
// line, the AutoConnect log's time, locators, latitudes and longitudes),
// and keystroke scripts: modifiers, groups, named keys with repeat counts
// and literal characters turned into key presses through a keyboard layout.
#include <algorithm>
#include <string>
#include <vector>

#include "airmail/DebugLogStamp.h"
#include "airmail/KeyScript.h"
#include "airmail/Locator.h"
#include "app/CommandLine.h"
#include "common/TextParse.h"
#include "propagation/AngleText.h"
#include "propagation/DateTimeText.h"
#include "reports/LogFileSummary.h"
#include "selection/DataConditions.h"
#include "tools/analyse/RecordingAnalyser.h"
#include "tools/history/HistoryOptions.h"
#include "tools/predict/PredictOptions.h"
#include "tests/airmail/UsKeyLayout.h"
#include "tests/fuzz/FuzzSupport.h"

using namespace velmora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto text = fuzz::Text(data, size);
  CommandLineRead(text);
  std::vector<std::string_view> arguments;  // the input cut at NULs, as a command line's
  for (std::size_t start = 0; start <= text.size();) {
    const std::size_t end = std::min(text.find('\0', start), text.size());
    arguments.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  std::string problem;
  ParsePredictOptions(arguments, problem);
  ParseAnalyseOptions(arguments, problem);
  if (auto history = ParseHistoryOptions(arguments, problem)) history->Period();
  for (auto argument : arguments) PredictTimeParse(argument);

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

  testing::UsKeyLayout layout;
  // However long the script, a token gives at most its repeat limit of
  // presses and releases, with modifiers around them.
  fuzz::Require(KeyScriptParse(text, layout).size() <= (size + 1) * (2 * kKeyRepeatLimit + 8));
  return 0;
}
