#include "app/CommandLine.h"

#include "common/TextParse.h"

namespace velmora {

std::vector<std::string> CommandLineArguments(std::string_view line) {
  std::vector<std::string> arguments;
  std::string current;
  bool inArgument = false, quoted = false;
  for (char c : line) {
    if (c == '"') {
      quoted = !quoted;
      inArgument = true;
    } else if ((c == ' ' || c == '\t') && !quoted) {
      if (inArgument) arguments.push_back(current);
      current.clear();
      inArgument = false;
    } else {
      current += c;
      inArgument = true;
    }
  }
  if (inArgument) arguments.push_back(current);
  return arguments;
}

CommandLine CommandLineRead(std::string_view line) {
  CommandLine read;
  for (const std::string& argument : CommandLineArguments(line)) {
    if (ToUpper(argument) != "/CONNECT") {
      read.refused = argument;
      return read;
    }
    read.connect = true;
  }
  return read;
}

std::string CommandLineRefusedText(std::string_view argument) {
  return "Velmora - Unknown command line argument \"" + std::string(argument) +
         "\".\r\rThe only argument is /connect: an AutoConnect run in the saved mode, after which Velmora ends.";
}

}  // namespace velmora
