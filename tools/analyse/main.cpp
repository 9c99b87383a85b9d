// velmora-analyse: runs a recording through the program's analysis and
// detectors and prints the verdict of every buffer.
#include <cstdio>
#include <exception>
#include <iostream>
#include <new>
#include <string_view>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "common/SystemLib.h"
#include "tools/HelpAsked.h"
#include "tools/OutputChecked.h"
#include "tools/analyse/RecordingAnalyser.h"

namespace {

int Run(int argc, char** argv) {
#ifdef _WIN32
  _setmode(_fileno(stdin), _O_BINARY);  // recordings are bytes, not text
#endif
  std::vector<std::string_view> arguments(argv + 1, argv + argc);
  if (velmora::HelpAsked(arguments)) {
    std::cout << velmora::AnalyseUsage();
    return 0;
  }
  std::string problem;
  const auto options = velmora::ParseAnalyseOptions(arguments, problem);
  if (!options) {
    std::cerr << "velmora-analyse: " << problem << "\n" << velmora::AnalyseUsage();
    return 2;
  }
  return velmora::AnalyseRecording(*options, stdin, std::cout, std::cerr);
}

}  // namespace

int main(int argc, char** argv) {
  velmora::PathTextInCodePage();  // the paths given are in the system's code page
  velmora::SystemErrorBoxesOff();
  // Whatever goes wrong ends in one line and status 2, never in an abort.
  try {
    return velmora::OutputChecked("velmora-analyse", Run(argc, argv), 2);
  } catch (const std::bad_alloc&) {
    std::cerr << "velmora-analyse: out of memory\n";
  } catch (const std::exception& e) {
    std::cerr << "velmora-analyse: " << e.what() << "\n";
  }
  return 2;
}
