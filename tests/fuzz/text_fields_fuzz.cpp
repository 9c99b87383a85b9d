// Short texts, each read as every field parser takes it: command lines
// (the program's own "/connect", and the arguments of velmora-predict,
// velmora-analyse, velmora-history and velmora-signalgen, the input cut at
// NULs), their times, and the date, time, position and number texts of
// stored and outside files (AirMail's position report and debug-log stamps,
// the data files' first line, the AutoConnect log's time, locators,
// latitudes and longitudes).
#include <string>

#include "airmail/DebugLogStamp.h"
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
#include "tools/signalgen/SignalGenOptions.h"
#include "tests/fuzz/FuzzSupport.h"

using namespace velmora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto text = fuzz::Text(data, size);
  CommandLineRead(text);
  const auto arguments = fuzz::Arguments(text);
  std::string problem;
  ParsePredictOptions(arguments, problem);
  ParseAnalyseOptions(arguments, problem);
  if (auto history = ParseHistoryOptions(arguments, problem)) history->Period();
  signalgen::ParseSignalGenOptions(arguments, problem);
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
  return 0;
}
