// velmora-predict: the frequency table of an AutoConnect mode as Velmora
// fills it from the ITS HF programs and AutoSelect leaves it, as CSV, so a
// user sees what Velmora will rank without opening the window and scripts
// can check it.
#include <exception>
#include <iostream>
#include <new>
#include <string_view>
#include <vector>

#include "common/SystemLib.h"
#include "tools/HelpAsked.h"
#include "tools/OutputChecked.h"
#include "tools/predict/PredictRun.h"
#ifdef _WIN32
#include "common/win32/WindowFind.h"
#include "propagation/PropagationRunner.h"
#include "propagation/win32/Win32ModelProgram.h"
#else
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "tools/predict/posix/WineModelProgram.h"
#endif

namespace velmora {
namespace {

#ifndef _WIN32
// Where Wine users keep the package: the prefix's c:\itshfbc.
std::string WineItshfbcFolder() {
  const char* prefix = std::getenv("WINEPREFIX");
  const char* home = std::getenv("HOME");
  std::string root = prefix && *prefix ? prefix : std::string(home ? home : "") + "/.wine";
  return root + "/drive_c/itshfbc";
}

std::string ExecutableFolder() {
  std::error_code error;
  auto self = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::string(".") : self.parent_path().string();
}
#endif

int Run(int argc, char** argv) {
  std::vector<std::string_view> arguments(argv + 1, argv + argc);
  if (HelpAsked(arguments)) {
    std::cout << kPredictUsage;
    return 0;
  }
  std::string problem;
  auto options = ParsePredictOptions(arguments, problem);
  if (!options) {
    std::cerr << "velmora-predict: " << problem << "\n" << kPredictUsage;
    return kPredictBadArguments;
  }
#ifdef _WIN32
  Win32ModelProgram program;
  return PredictRun(*options, {program, kItshfbcFolder, 5, ProgramFolder()}, std::cout, std::cerr);
#else
  auto wine = WineFind();
  if (!wine) {
    std::cerr << "velmora-predict: the ITS HF programs are Windows programs, and without \"wine\" they cannot run "
                 "here: run velmora-predict.exe on Windows, or install Wine.\n";
    return kPredictFailed;
  }
  WineModelProgram program(*wine);
  // Wine's own start, slow the first time, is no part of the program's time.
  constexpr double kWineWaitSeconds = 30;
  return PredictRun(*options, {program, WineItshfbcFolder(), kWineWaitSeconds, ExecutableFolder()}, std::cout,
                    std::cerr);
#endif
}

}  // namespace
}  // namespace velmora

int main(int argc, char** argv) {
  velmora::PathTextInCodePage();  // the paths given are in the system's code page
  velmora::SystemErrorBoxesOff();
  // Whatever goes wrong ends in one line and a status, never in an abort.
  try {
    return velmora::OutputChecked("velmora-predict", velmora::Run(argc, argv), velmora::kPredictFailed);
  } catch (const std::bad_alloc&) {
    std::cerr << "velmora-predict: out of memory\n";
  } catch (const std::exception& e) {
    std::cerr << "velmora-predict: " << e.what() << "\n";
  }
  return velmora::kPredictFailed;
}
