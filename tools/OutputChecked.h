#pragma once
// A tool's report on standard output must reach it whole: a full disk or a
// pipe closed early fails the run, instead of a cut report behind a success.
#include <cstdio>
#include <iostream>
#include <string_view>

namespace velmora {

// The status to exit with: `status`, or `failed` with a line on standard
// error when standard output could not take all that was written to it.
inline int OutputChecked(std::string_view tool, int status, int failed) {
  std::cout.flush();
  if (!std::cout.fail() && std::fflush(stdout) == 0 && !std::ferror(stdout)) return status;
  std::cerr << tool << ": the output could not be written whole (a full disk, or a pipe closed early)\n";
  return status == 0 ? failed : status;
}

}  // namespace velmora
