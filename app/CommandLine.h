#pragma once
// What Velmora is asked on its command line: nothing (the usual start) or
// "/connect", in any case of letters: an unattended AutoConnect run in the
// saved mode, after which the program ends with an exit code.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

struct CommandLine {
  bool connect = false;
  std::optional<std::string> refused;  // the first argument not understood
};

// The arguments as Windows splits them: blanks between, double quotes
// around an argument that holds blanks.
std::vector<std::string> CommandLineArguments(std::string_view line);
CommandLine CommandLineRead(std::string_view line);
// The message naming a refused argument.
std::string CommandLineRefusedText(std::string_view argument);

}  // namespace velmora
