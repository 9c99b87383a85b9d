// velmora-analyse: runs a recording through the program's analysis and
// detectors and prints the verdict of every buffer.
#include <iostream>
#include <string_view>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "tools/analyse/RecordingAnalyser.h"

int main(int argc, char** argv) {
#ifdef _WIN32
  _setmode(_fileno(stdin), _O_BINARY);  // recordings are bytes, not text
#endif
  std::vector<std::string_view> arguments(argv + 1, argv + argc);
  const auto options = velmora::ParseAnalyseOptions(arguments);
  if (!options) {
    std::cerr << velmora::AnalyseUsage();
    return 2;
  }
  return velmora::AnalyseRecording(*options, std::cin, std::cout, std::cerr);
}
