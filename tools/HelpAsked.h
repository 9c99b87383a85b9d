#pragma once
// The tools' answer to a user asking how to use them: "--help" or "-h"
// anywhere on the command line, or "/?" as Windows users type it.
#include <span>
#include <string_view>

namespace velmora {

inline bool HelpAsked(std::span<const std::string_view> arguments) {
  for (std::string_view a : arguments)
    if (a == "--help" || a == "-h" || a == "/?") return true;
  return false;
}

}  // namespace velmora
