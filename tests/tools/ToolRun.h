#pragma once
// One of the command-line tools run as a user runs it: its exit code and
// what it wrote to standard output and standard error, line by line.
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "common/TextFileLines.h"
#include "tests/airmail/Fixture.h"
#include "tests/common/TempFolder.h"

namespace velmora::testing {

struct ToolRun {
  int status = -1;
  std::string out, errors;
  std::vector<std::string> lines, errorLines;  // of out and errors
};

inline std::string Quoted(const std::filesystem::path& p) { return "'" + p.string() + "'"; }

// The tool's standard input is the output of the shell command given, and
// its memory limited to the kilobytes given.
inline ToolRun RunTool(const std::string& tool, const std::string& arguments, const std::string& input = "",
                       int memoryKb = 0) {
  TempFolder folder;
  const auto out = folder.path() / "out.txt", err = folder.path() / "err.txt";
  std::string command = std::string(VELMORA_BINARY_DIR) + "/" + tool + " " + arguments;
  if (memoryKb) command = "(ulimit -v " + std::to_string(memoryKb) + "; exec " + command + ")";
  if (!input.empty()) command = input + " | " + command;
  command += " >" + Quoted(out) + " 2>" + Quoted(err);
  const int raw = std::system(command.c_str());
  const std::string outText = ReadBytes(out), errText = ReadBytes(err);
  return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, outText, errText, SplitLines(outText), SplitLines(errText)};
}

}  // namespace velmora::testing
