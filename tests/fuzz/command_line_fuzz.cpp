// Command lines: the program's own ("/connect"), and the arguments of
// velmora-predict, velmora-analyse, velmora-history and velmora-signalgen
// (the input cut at NULs into arguments).
#include <string>

#include "app/CommandLine.h"
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
  return 0;
}
