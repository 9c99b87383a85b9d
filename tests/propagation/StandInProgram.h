#pragma once
// A prediction program that writes a given output when started, and keeps
// the decks and command lines it saw.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "propagation/ModelProgram.h"
#include "tests/airmail/Fixture.h"

namespace velmora::testing {

class StandInProgram final : public LocalModelFiles {
 public:
  explicit StandInProgram(std::filesystem::path folder) : folder_(std::move(folder)) {}
  bool Start(const std::string& commandLine, std::error_code& error) override {
    commandLines.push_back(commandLine);
    decks.push_back(ReadBytes(folder_ / "RUN" / "sound.dat"));
    if (!starts) {
      error = std::make_error_code(std::errc::no_such_file_or_directory);
      return false;
    }
    if (output) WriteBytes(folder_ / "RUN" / "sound.out", *output);
    return true;
  }
  bool Wait(double seconds) override { return finishes; }

  std::optional<std::string> output;
  bool starts = true, finishes = true;
  std::vector<std::string> commandLines, decks;

 private:
  std::filesystem::path folder_;
};

}  // namespace velmora::testing
